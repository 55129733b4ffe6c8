// TextOutput.cpp - floats, names and XML text for cwstool's output (see TextOutput.h).
#include "tools/cwstool/TextOutput.h"

#include "scenefile/NumberText.h"
#include "tools/cwstool/SjisToUtf8.h"

#include <cfloat>  // FLT_MAX
#include <cmath>   // isfinite, fabs, trunc, signbit

namespace cwstool {

namespace {

// The text of a float that is exactly N / 10^d with N below 10^6 and d at most 3: then "%.6g" prints
// that decimal itself (six digits hold it, and its exponent is between -3 and 5, so in fixed
// notation), which reads back as the float. False for any other float.
bool appendShortDecimal(std::string& out, float value)
{
    const double widened = value;
    double scaled = widened;
    for (int decimals = 0; decimals <= 3; ++decimals, scaled *= 10) {  // exact: 24 bits times 10^3
        if (scaled != std::trunc(scaled)) continue;
        if (!(std::fabs(scaled) < 1e6)) return false;
        char digits[8];  // the digits of the magnitude, least significant first
        long long units = static_cast<long long>(std::fabs(scaled));
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + units % 10);
            units /= 10;
        } while (units != 0 || count <= decimals);
        if (std::signbit(widened)) out += '-';
        for (int i = count; i-- > 0;) {
            out += digits[i];
            if (i == decimals && i > 0) out += '.';
        }
        return true;
    }
    return false;
}

}  // namespace

void appendFloatText(std::string& out, float value)
{
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
        return;
    }
    if (appendShortDecimal(out, value)) return;
    char text[32];
    std::size_t length = 0;
    for (int digits = 6; digits <= 9; ++digits) {  // nine significant digits identify every float
        length = numtext::formatGeneral(text, sizeof text, static_cast<double>(value), digits);
        std::optional<double> back = numtext::parseDecimal(std::string_view(text, length));
        // A text above the float range (FLT_MAX rounded up) cannot be the float's own: try more digits.
        if (back && std::fabs(*back) <= FLT_MAX && static_cast<float>(*back) == value) break;
    }
    out.append(text, length);
}

std::string floatText(float value)
{
    std::string text;
    appendFloatText(text, value);
    return text;
}

std::string quotedName(std::string_view sjis)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string utf8 = sjisToUtf8(sjis);
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
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
    return out + "\"";
}

std::string xmlEscape(std::string_view utf8)
{
    std::string out;
    for (char c : utf8) {
        unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            if (u >= 0x20 || c == '\t') out += c;  // XML 1.0 has no place for other control characters
        }
    }
    return out;
}

}  // namespace cwstool
