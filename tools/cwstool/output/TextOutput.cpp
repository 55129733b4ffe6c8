// TextOutput.cpp - numbers, names, paths and XML text for cwstool's output (see TextOutput.h).
#include "tools/cwstool/output/TextOutput.h"

#include <cwscene/NumberText.h>
#include <cwscene/RecordParser.h>  // kMaxFrameDepth
#include <cwscene/ShiftJis.h>

#include <cfloat>   // FLT_MAX
#include <cmath>    // isfinite, fabs, signbit
#include <cstdint>  // uint32_t
#include <cstring>  // memcpy

namespace cwstool {

namespace {

// The text of a float that is exactly N / 10^d with N below 10^6 and d at most 3: then "%.6g" prints
// that decimal itself (six digits hold it, and its exponent is between -3 and 5, so in fixed
// notation), which reads back as the float. 0 for any other float. Most coordinates of a scene are
// such floats, so this is the common path: one test per d, and the digits made from the right.
// "00", "01" ... "99": two digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839404142434445464748495"
    "05152535455565758596061626364656667686970717273747576777879808182838485868788899091929394959697989"
    "9";

std::size_t shortDecimalChars(char* buffer, float value)
{
    const double widened = value;
    // N / 10^d is below 10^6 in magnitude when N is; also false for NaN and the infinities.
    if (!(std::fabs(widened) < 1e6)) return 0;
    double scaled = widened;
    for (int decimals = 0; decimals <= 3; ++decimals, scaled *= 10) {  // exact: 24 bits times 10^3
        const auto whole = static_cast<long long>(scaled);  // below 10^9 in magnitude: no overflow
        if (static_cast<double>(whole) != scaled) continue;
        if (!(std::fabs(scaled) < 1e6)) return 0;
        auto units = static_cast<std::uint32_t>(whole < 0 ? -whole : whole);  // below 10^6
        // The digits of N, then with the zeros before the point: 0.25 has three.
        int digits = units >= 100000 ? 6 : units >= 10000 ? 5 : units >= 1000 ? 4 : units >= 100 ? 3 : units >= 10 ? 2 : 1;
        if (digits <= decimals) digits = decimals + 1;
        const bool negative = std::signbit(widened);  // "-0" for negative zero, as "%g" prints it
        const std::size_t length = (negative ? 1 : 0) + static_cast<std::size_t>(digits) + (decimals > 0 ? 1 : 0);
        // The digits from the right, two at a time, then the point moved in before the decimals.
        char* const first = buffer + (negative ? 1 : 0);
        char* next = first + digits;
        for (; next - first >= 2; units /= 100) {
            next -= 2;
            std::memcpy(next, kDigitPairs + 2 * (units % 100), 2);
        }
        if (next != first) *--next = static_cast<char>('0' + units);
        if (decimals > 0) {
            char* point = first + digits - decimals;
            for (char* p = first + digits; p != point; --p) *p = p[-1];
            *point = '.';
        }
        if (negative) buffer[0] = '-';
        return length;
    }
    return 0;
}

std::size_t specialChars(char* buffer, double value)
{
    const std::string_view text = std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    return text.copy(buffer, text.size());  // no NUL: the caller takes the length
}

}  // namespace

std::size_t floatChars(char* buffer, float value)
{
    if (!std::isfinite(value)) return specialChars(buffer, value);
    if (std::size_t length = shortDecimalChars(buffer, value)) return length;
    std::size_t length = 0;
    for (int digits = 6; digits <= 9; ++digits) {  // nine significant digits identify every float
        length = numtext::formatGeneral(buffer, kNumberChars, static_cast<double>(value), digits);
        std::optional<double> back = numtext::parseDecimal(std::string_view(buffer, length));
        // A text above the float range (FLT_MAX rounded up) cannot be the float's own: try more digits.
        if (back && std::fabs(*back) <= FLT_MAX && static_cast<float>(*back) == value) break;
    }
    return length;
}

void appendFloatText(std::string& out, float value)
{
    char text[kNumberChars];
    out.append(text, floatChars(text, value));
}

std::string floatText(float value)
{
    std::string text;
    appendFloatText(text, value);
    return text;
}

std::size_t doubleChars(char* buffer, double value)
{
    if (!std::isfinite(value)) return specialChars(buffer, value);
    std::size_t length = 0;
    for (int digits = 6; digits <= 17; ++digits) {  // 17 significant digits identify every double
        length = numtext::formatGeneral(buffer, kNumberChars, value + 0.0, digits);  // + 0.0: no "-0"
        std::optional<double> back = numtext::parseDecimal(std::string_view(buffer, length));
        if (back && *back == value) break;
    }
    return length;
}

void appendDoubleText(std::string& out, double value)
{
    char text[kNumberChars];
    out.append(text, doubleChars(text, value));
}

std::string doubleText(double value)
{
    std::string text;
    appendDoubleText(text, value);
    return text;
}

namespace {

// The escaped UTF-8 form of a Shift-JIS name, without quotes, appended to `out`; '/' too when
// `slash` is set (a path element).
void appendEscapedName(std::string& out, std::string_view sjis, bool slash)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string utf8 = cwscene::toUtf8(sjis);
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\' || (slash && c == '/')) {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20 || u == 0x7F) {
            out += "\\x";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
}

}  // namespace

std::string quotedName(std::string_view sjis)
{
    std::string out = "\"";
    appendEscapedName(out, sjis, false);
    return out + "\"";
}

std::string framePath(const scenefile::FrameRecord& frame, std::string_view leaf)
{
    const scenefile::FrameRecord* chain[scenefile::kMaxFrameDepth];
    int count = 0;
    for (const scenefile::FrameRecord* f = &frame; f && count < scenefile::kMaxFrameDepth; f = f->parent) chain[count++] = f;
    std::string out = "\"";
    while (count-- > 0) {
        appendEscapedName(out, chain[count]->name, true);
        if (count > 0) out += '/';
    }
    if (!leaf.empty()) {
        out += '/';
        appendEscapedName(out, leaf, true);
    }
    return out + "\"";
}

std::size_t utf8CharLength(std::string_view text, unsigned long* codePoint)
{
    if (text.empty()) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || length > text.size()) return 0;
    unsigned long code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    static const unsigned long kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    if (codePoint) *codePoint = code;
    return length;
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of `text` that XML 1.0 can hold, or 0:
// neither U+FFFE nor U+FFFF.
std::size_t xmlCharLength(std::string_view text)
{
    unsigned long code = 0;
    const std::size_t length = utf8CharLength(text, &code);
    return code == 0xFFFE || code == 0xFFFF ? 0 : length;
}

}  // namespace

std::string xmlEscape(std::string_view utf8)
{
    static const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = xmlCharLength(utf8.substr(i));
        if (length == 0) {
            out += kReplacement;  // one replacement per byte that starts no character
            ++i;
            continue;
        }
        const char c = utf8[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // XML 1.0 has no place for control characters other than tab (and line ends, unused here).
            if (length > 1 || static_cast<unsigned char>(c) >= 0x20 || c == '\t') out.append(utf8, i, length);
        }
        i += length;
    }
    return out;
}

}  // namespace cwstool
