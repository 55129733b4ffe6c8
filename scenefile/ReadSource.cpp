// ReadSource.cpp - the byte input, and bounded reads of the binary and the text encoding (see
// ReadSource.h).
//
// Portable: standard C++ only. Part of the byte layer (scenefile/).
#include "scenefile/ReadSource.h"

#include <algorithm>  // min
#include <cerrno>
#include <cfloat>     // FLT_MAX
#include <cmath>      // isfinite, fabs, nearbyint, signbit
#include <cstring>    // memchr, memcmp, memcpy, memmove
#include <limits>     // quiet_NaN, infinity
#include <optional>

#include <cwscene/FileAccess.h>  // errorText
#include <cwscene/NumberText.h>
#include "scenefile/Texts.h"

namespace scenefile {

using cwscene::detail::said;
using cwscene::detail::translated;

namespace {

// Lines of a number are short: "%f" of the largest float is 47 characters.
constexpr std::size_t kMaxNumberLine = 64;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Why a read of `stream` gave no bytes: the system's reason for an error, or the file's end where
// its size said there were more (the file became shorter while it was read).
std::string readFailureText(std::FILE* stream)
{
    if (!std::ferror(stream)) return said(N_("cannot read the file: it became shorter while it was read"));
    return said(N_("cannot read the file: %s"), fileio::errorText(errno ? errno : EIO));
}

// The digits of a "%d" number: at least one, and no leading zero unless the digit is all there is.
bool canonicalDigits(std::string_view digits)
{
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return false;
    for (char c : digits) {
        if (!isDigit(c)) return false;
    }
    return true;
}

// `into` becomes the `count` bytes at `bytes`, which lie outside it. Names of a file often have the
// length of the name before, and then this is a copy without the general assign's checks.
void assignBytes(std::string& into, const char* bytes, std::size_t count)
{
    into.resize(count);
    if (count > 0) std::memcpy(&into[0], bytes, count);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Helpers

std::string describeBytes(std::string_view bytes, std::size_t limit)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            text += static_cast<char>(c);
        } else {
            text += "\\x";
            text += kHex[c >> 4];
            text += kHex[c & 15];
        }
    }
    if (bytes.size() > limit) text += "...";
    return text;
}

float throughText(float value)
{
    char text[numtext::kFloatFixedMax];
    std::size_t length = numtext::formatFloatFixed6(text, sizeof text, value);
    std::optional<double> back = numtext::parseFixed(std::string_view(text, length));
    if (!back || (std::isfinite(*back) && std::fabs(*back) > FLT_MAX)) return value;  // cannot happen
    return static_cast<float>(*back);
}

Encoding detectEncoding(std::string_view bytes)
{
    if (bytes.empty()) return Encoding::Unknown;
    // The text header is a decimal line; the binary header's first byte is the low byte of the version
    // (4), never a digit. Which version is allowed is the reader's business, not this guess's.
    char first = bytes.front();
    if (isDigit(first) || first == '-') return Encoding::Text;
    return Encoding::Binary;
}

bool parseIntegerLine(std::string_view line, long long& value)
{
    bool negative = !line.empty() && line.front() == '-';
    std::string_view digits = negative ? line.substr(1) : line;
    // Eleven digits are more than any value the format holds; more could overflow the sum.
    if (!canonicalDigits(digits) || digits.size() > 11 || (negative && digits == "0")) return false;
    long long magnitude = 0;
    for (char c : digits) magnitude = magnitude * 10 + (c - '0');
    value = negative ? -magnitude : magnitude;
    return true;
}

FloatLine parseFloatLine(std::string_view line, float& value)
{
    const char* p = line.data();
    const char* const end = p + line.size();
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    if (p < end && (*p == 'n' || *p == 'i')) {  // the spellings of the non-finite values
        std::string_view word(p, static_cast<std::size_t>(end - p));
        if (word == "nan") {
            const double nan = std::numeric_limits<double>::quiet_NaN();
            value = static_cast<float>(negative ? -nan : nan);
            return FloatLine::Valid;
        }
        if (word == "inf") {
            value = negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
            return FloatLine::Valid;
        }
        return FloatLine::Malformed;
    }
    // Digits without a leading zero, '.', exactly six digits; their value as a whole number of
    // millionths on the way (it overflows harmlessly for more than nine whole digits, taken apart below).
    const char* const whole = p;
    std::uint64_t units = 0;
    while (p < end && isDigit(*p)) units = units * 10 + static_cast<std::uint64_t>(*p++ - '0');
    const std::size_t wholeDigits = static_cast<std::size_t>(p - whole);
    if (wholeDigits == 0 || (wholeDigits > 1 && *whole == '0') || end - p != 7 || *p != '.') {
        return FloatLine::Malformed;
    }
    const unsigned char* d = reinterpret_cast<const unsigned char*>(p + 1);
    const unsigned d0 = d[0] - 48u, d1 = d[1] - 48u, d2 = d[2] - 48u, d3 = d[3] - 48u, d4 = d[4] - 48u,
                   d5 = d[5] - 48u;  // '0' is 48; a byte below it wraps to a large number
    if (d0 > 9 || d1 > 9 || d2 > 9 || d3 > 9 || d4 > 9 || d5 > 9) return FloatLine::Malformed;
    units = units * 1000000 + (((((d0 * 10 + d1) * 10 + d2) * 10 + d3) * 10 + d4) * 10 + d5);

    // The float it reads as: the correctly rounded double of the decimal value, then the float nearest
    // to that double (the conversion the text encoding has always used).
    double scaled = -1;  // the text's value times 10^6 when that is an exact double, else -1
    double magnitude;
    if (wholeDigits <= 9) {
        // Fifteen digits at most: the scaled value is an exact integer of a double, and one correctly
        // rounded division by 10^6 gives the correctly rounded double of the decimal.
        scaled = static_cast<double>(units);
        magnitude = scaled / 1e6;
    } else {
        std::optional<double> parsed = numtext::parseFixed(std::string_view(whole, static_cast<std::size_t>(end - whole)));
        // A finite value beyond the float range cannot come from "%f" of a float, and converting it
        // would be undefined.
        if (!parsed || std::fabs(*parsed) > FLT_MAX) return FloatLine::Malformed;
        magnitude = *parsed;
    }
    value = static_cast<float>(negative ? -magnitude : magnitude);

    // One spelling per float: the text must be the one the writer makes of the float it reads as. When
    // the float's millionfold is a whole number the writer writes exactly that number's digits, so
    // comparing the numbers is enough; any other float is formatted to compare.
    if (scaled >= 0) {  // then the value is below 10^9, its millionfold below 10^15
        const double back = std::fabs(static_cast<double>(value)) * 1e6;  // exact: 24 bits times 2^6 * 15625
        if (static_cast<double>(static_cast<long long>(back)) == back) {
            return back == scaled && std::signbit(value) == negative ? FloatLine::Valid : FloatLine::NotWritten;
        }
    }
    char text[numtext::kFloatFixedMax];
    std::size_t length = numtext::formatFloatFixed6(text, sizeof text, value);
    return std::string_view(text, length) == line ? FloatLine::Valid : FloatLine::NotWritten;
}

// ---------------------------------------------------------------------------------------------------
// ByteInput

ByteInput::ByteInput(std::string_view bytes)
    : m_window(bytes.data()), m_cur(bytes.data()), m_end(bytes.data() + bytes.size()), m_size(bytes.size())
{
}

ByteInput::ByteInput(std::FILE* stream, std::uint64_t size, std::size_t windowSize)
    : m_size(size), m_stream(stream), m_storage(new char[windowSize]), m_windowSize(windowSize)
{
    m_window = m_cur = m_end = m_storage.get();
}

bool ByteInput::refill(std::size_t count)
{
    if (!m_stream) return false;
    // Keep the unread bytes, moved to the start of the window, and read what follows them. A value
    // longer than the window gets a window of its own size.
    std::size_t kept = available();
    std::uint64_t at = position();
    if (count > m_windowSize && count <= m_size - at) {
        std::unique_ptr<char[]> larger(new char[count]);
        std::memcpy(larger.get(), m_cur, kept);
        m_storage = std::move(larger);
        m_windowSize = count;
    } else {
        std::memmove(m_storage.get(), m_cur, kept);
    }
    char* window = m_storage.get();
    m_base = at;
    m_window = m_cur = window;
    m_end = window + kept;
    std::uint64_t left = m_size - (m_base + kept);
    std::size_t room = m_windowSize - kept;
    std::size_t wanted = left < room ? static_cast<std::size_t>(left) : room;
    while (wanted > 0) {
        std::size_t got = std::fread(window + (m_end - m_window), 1, wanted, m_stream);
        if (got == 0) throw ReadFailure(readFailureText(m_stream));
        m_end += got;
        wanted -= got;
    }
    return available() >= count;
}

void ByteInput::seek(std::uint64_t target)
{
    std::uint64_t held = static_cast<std::uint64_t>(m_end - m_window);
    if (target >= m_base && target <= m_base + held) {
        m_cur = m_window + (target - m_base);
        return;
    }
    reload(target);  // outside the window: only a file gets here
}

void ByteInput::reload(std::uint64_t target)
{
    if (target > m_size) throw ReadFailure("cannot read the file: it became shorter while it was read");
    if (std::fseek(m_stream, static_cast<long>(target), SEEK_SET) != 0) throw ReadFailure(readFailureText(m_stream));
    m_base = target;
    m_window = m_cur = m_end = m_storage.get();
}

std::uint64_t ByteInput::lineAt(std::uint64_t target)
{
    if (!m_stream) {
        std::string_view before(m_window, static_cast<std::size_t>(target));
        return 1 + static_cast<std::uint64_t>(std::count(before.begin(), before.end(), '\n'));
    }
    const std::uint64_t back = position();
    std::uint64_t lines = 1;
    try {
        reload(0);
        while (position() < target) {
            fill(1);
            std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(available(), target - position()));
            lines += static_cast<std::uint64_t>(std::count(m_cur, m_cur + part, '\n'));
            advance(part);
        }
        reload(back);
    } catch (const ReadFailure&) {
        // ignored: a file that cannot be read again is reported by the failure this line is for
    }
    return lines;
}

// ---------------------------------------------------------------------------------------------------
// FieldSource

std::string FieldSource::whereAt(std::uint64_t pos) const
{
    if (m_text) return said(N_("line %s"), std::to_string(m_in.lineAt(pos)));
    return said(N_("offset %s"), std::to_string(pos));
}

void FieldSource::failAt(std::uint64_t pos, const std::string& text) const
{
    throw ReadFailure(said(N_("%s: %s"), whereAt(pos), text));
}

std::string FieldSource::upcoming() const
{
    if (atEnd()) return said(N_("end of file"));
    m_in.fill(8);
    return describeBytes(std::string_view(m_in.data(), std::min<std::size_t>(m_in.available(), 8)), 8);
}

void FieldSource::requireRoom(std::size_t count, std::size_t valuesPerItem, const char* what,
                              std::uint64_t countAt) const
{
    // count and valuesPerItem are small (16 bits, a few dozen), so the product cannot overflow.
    std::uint64_t needed = static_cast<std::uint64_t>(count) * valuesPerItem * minValueBytes();
    if (needed > remaining()) {
        failAt(countAt, said(N_("%s %s cannot be right: that many need at least %s bytes, only %s remain"),
                             translated(what), std::to_string(count), std::to_string(needed), std::to_string(remaining())));
    }
}

// ---------------------------------------------------------------------------------------------------
// BinarySource

bool BinarySource::survivesText(float value)
{
    const double widened = value;
    if (std::fabs(widened) >= 16.0) return true;  // float spacing there exceeds 10^-6: six decimals identify it
    const double scaled = widened * 1e6;           // exact: a float's 24 bits times 2^6 * 15625
    if (scaled == std::nearbyint(scaled)) return true;  // its six decimals are its exact value
    // Bit for bit: -0 and 0 differ, and so do NaNs of other payloads.
    const float back = throughText(value);
    std::uint32_t backBits = 0, valueBits = 0;
    std::memcpy(&backBits, &back, sizeof backBits);
    std::memcpy(&valueBits, &value, sizeof valueBits);
    return backBits == valueBits;
}

void BinarySource::failShort(std::size_t count, const char* what) const
{
    fail(said(count == 1 ? N_("unexpected end of file: expected %s (%s byte), %s left")
                         : N_("unexpected end of file: expected %s (%s bytes), %s left"),
              translated(what), std::to_string(count), std::to_string(remaining())));
}

void BinarySource::readBlock(const char* what, std::string& into)
{
    std::uint16_t length = readUInt16(what);
    std::string_view bytes = take(length, what);
    assignBytes(into, bytes.data(), bytes.size());
}

// ---------------------------------------------------------------------------------------------------
// TextSource

std::string_view TextSource::takeLine(std::size_t maxLength, const char* what)
{
    const std::size_t window = maxLength + 2;  // the line, CR and LF
    m_in.fill(window);
    const char* line = m_in.data();
    const std::size_t held = std::min(m_in.available(), window);
    const char* lineFeed = static_cast<const char*>(std::memchr(line, '\n', held));
    if (!lineFeed) {
        if (held == 0) fail(said(N_("unexpected end of file: expected %s"), translated(what)));
        std::string_view shown(line, std::min(held, maxLength));
        fail(said(N_("expected %s on a line of its own, found '%s'"), translated(what), describeBytes(shown, 24)));
    }
    std::size_t end = static_cast<std::size_t>(lineFeed - line);
    if (end == 0 || line[end - 1] != '\r') fail(said(N_("line ends in LF without CR, in %s"), translated(what)));
    m_in.advance(end + 1);
    return std::string_view(line, end - 1);
}

void TextSource::expectLineEnd(const char* what)
{
    m_in.fill(8);
    std::string_view next(m_in.data(), std::min<std::size_t>(m_in.available(), 8));
    if (next.substr(0, 2) != "\r\n") {
        fail(said(N_("expected CR LF after %s, found '%s'"), translated(what), describeBytes(next)));
    }
    m_in.advance(2);
}

long long TextSource::readInteger(long long min, long long max, const char* what)
{
    std::uint64_t start = position();
    std::string_view line = takeLine(kMaxNumberLine, what);
    long long value = 0;
    if (!parseIntegerLine(line, value) || value < min || value > max) {
        failAt(start, said(N_("expected %s (an integer from %s to %s), found '%s'"), translated(what), std::to_string(min),
                           std::to_string(max), describeBytes(line, 24)));
    }
    return value;
}

char TextSource::readChar(const char* what)
{
    // "%c\n": the character itself, whatever it is (CR and LF included), then the line end.
    if (remaining() < 3) fail(said(N_("unexpected end of file: expected %s (a character line)"), translated(what)));
    m_in.fill(1);
    char c = m_in.data()[0];
    m_in.advance(1);
    expectLineEnd(what);
    return c;
}

float TextSource::readFloat(const char* what)
{
    std::uint64_t start = position();
    std::string_view line = takeLine(kMaxNumberLine, what);
    float value = 0;
    FloatLine spelling = parseFloatLine(line, value);
    if (spelling != FloatLine::Valid) {
        if (spelling == FloatLine::NotWritten) {
            char text[numtext::kFloatFixedMax];
            failAt(start, said(N_("expected %s (a 32-bit float in fixed notation), found '%s', which the writer writes "
                                 "as '%s'"),
                               translated(what), describeBytes(line, 24),
                               std::string_view(text, numtext::formatFloatFixed6(text, sizeof text, value))));
        }
        failAt(start, said(N_("expected %s (a 32-bit float in fixed notation), found '%s'"), translated(what),
                           describeBytes(line, 24)));
    }
    return value;
}

void TextSource::readBlock(const char* what, std::string& into)
{
    // "%d " then the bytes: the length has at most five digits and ends at the blank.
    std::uint64_t start = position();
    m_in.fill(12);
    std::string_view head(m_in.data(), std::min<std::size_t>(m_in.available(), 12));
    std::size_t blank = head.substr(0, 7).find(' ');
    long long length = -1;
    if (blank == std::string_view::npos || !parseIntegerLine(head.substr(0, blank), length) || length < 0 ||
        length > 65535) {
        fail(said(N_("expected %s as a length from 0 to 65535 and a blank, found '%s'"), translated(what),
                  describeBytes(head)));
    }
    m_in.advance(blank + 1);
    std::size_t count = static_cast<std::size_t>(length);
    if (remaining() < count) {
        failAt(start, said(N_("unexpected end of file: %s claims %s bytes, %s left"), translated(what),
                           std::to_string(count), std::to_string(remaining())));
    }
    m_in.fill(count);
    assignBytes(into, m_in.data(), count);
    m_in.advance(count);
    expectLineEnd(what);
}

std::string_view TextSource::readTag(const char* what)
{
    if (remaining() < 4) fail(said(N_("unexpected end of file: expected %s"), translated(what)));
    m_in.fill(4);
    std::memcpy(m_tag, m_in.data(), 4);  // expectLineEnd may slide the window on
    m_in.advance(4);
    expectLineEnd(what);
    return std::string_view(m_tag, 4);
}

std::string_view TextSource::peekTag()
{
    if (!m_in.fill(6) || std::memcmp(m_in.data() + 4, "\r\n", 2) != 0) return std::string_view();
    return std::string_view(m_in.data(), 4);
}

}  // namespace scenefile
