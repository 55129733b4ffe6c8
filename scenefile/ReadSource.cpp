// ReadSource.cpp - bounded reads of the binary and the text encoding (see ReadSource.h).
#include "scenefile/ReadSource.h"

#include "scenefile/NumberText.h"

#include <algorithm>  // count, min
#include <cfloat>     // FLT_MAX
#include <cmath>      // isnan, fabs
#include <cstring>    // memcpy

namespace scenefile {

namespace {

const char kCrLf[] = "\r\n";

// Lines of a number are short: "%f" of the largest float is 47 characters.
constexpr std::size_t kMaxNumberLine = 64;

}  // namespace

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

namespace {

// The float a text line holds, or nullopt: fixed notation, and no finite value beyond the float range
// (it cannot come from "%f" of a float, and converting it would be undefined).
std::optional<float> floatFromText(std::string_view line)
{
    std::optional<double> value = numtext::parseFixed(line);
    if (!value || (std::isfinite(*value) && std::fabs(*value) > FLT_MAX)) return std::nullopt;
    return static_cast<float>(*value);
}

}  // namespace

float throughText(float value)
{
    char text[numtext::kFloatFixedMax];
    std::size_t length = numtext::formatFixed(text, sizeof text, value, 6);
    std::optional<float> back = floatFromText(std::string_view(text, length));
    return back ? *back : value;  // formatFixed always fits a float and parseFixed reads it back
}

Encoding detectEncoding(std::string_view bytes)
{
    if (bytes.empty()) return Encoding::Unknown;
    // The text header is a decimal line; the binary header's first byte is the low byte of the version
    // (4), never a digit. Which version is allowed is the reader's business, not this guess's.
    char first = bytes.front();
    if ((first >= '0' && first <= '9') || first == '-') return Encoding::Text;
    return Encoding::Binary;
}

// ---------------------------------------------------------------------------------------------------
// FieldSource

void FieldSource::failAt(std::size_t pos, const std::string& text) const
{
    throw ReadFailure(whereAt(pos) + ": " + text);
}

std::string FieldSource::upcoming() const
{
    return atEnd() ? std::string("end of file") : describeBytes(m_bytes.substr(m_pos, 8), 8);
}

void FieldSource::expectTag(const char* tag)
{
    if (peekTag() != tag) fail(std::string("expected the tag ") + tag + ", found '" + upcoming() + "'");
    readTag(tag);
}

void FieldSource::requireRoom(std::size_t count, std::size_t valuesPerItem, const char* what,
                              std::size_t countAt) const
{
    // count and valuesPerItem are small (16 bits, a few dozen), so the product cannot overflow.
    std::size_t needed = count * valuesPerItem * minValueBytes();
    if (needed > remaining()) {
        failAt(countAt, std::string(what) + " " + std::to_string(count) + " cannot be right: that many need at least " +
             std::to_string(needed) + " bytes, only " + std::to_string(remaining()) + " remain");
    }
}

// ---------------------------------------------------------------------------------------------------
// BinarySource

std::string BinarySource::whereAt(std::size_t pos) const { return "offset " + std::to_string(pos); }

std::string_view BinarySource::take(std::size_t count, const char* what)
{
    if (remaining() < count) {
        fail(std::string("unexpected end of file: expected ") + what + " (" + std::to_string(count) + " byte" +
             (count == 1 ? "" : "s") + "), " + std::to_string(remaining()) + " left");
    }
    std::string_view bytes = m_bytes.substr(m_pos, count);
    m_pos += count;
    return bytes;
}

std::uint32_t BinarySource::takeLittleEndian(std::size_t width, const char* what)
{
    std::string_view bytes = take(width, what);
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::int32_t BinarySource::readInt32(const char* what)
{
    return static_cast<std::int32_t>(takeLittleEndian(4, what));  // two's complement, defined since C++20
}                                                                  // and what every compiler does

char BinarySource::readChar(const char* what) { return take(1, what)[0]; }

std::uint8_t BinarySource::readByte(const char* what) { return static_cast<std::uint8_t>(take(1, what)[0]); }

std::uint16_t BinarySource::readUInt16(const char* what)
{
    return static_cast<std::uint16_t>(takeLittleEndian(2, what));
}

std::int16_t BinarySource::readInt16(const char* what)
{
    return static_cast<std::int16_t>(takeLittleEndian(2, what));
}

float BinarySource::readFloat(const char* what)
{
    std::uint32_t bits = takeLittleEndian(4, what);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    float back = throughText(value);
    if (std::memcmp(&back, &value, sizeof value) != 0) ++m_lossyTextFloats;
    return value;
}

std::string BinarySource::readBlock(const char* what)
{
    std::uint16_t length = readUInt16(what);
    return std::string(take(length, what));
}

std::string BinarySource::readTag(const char* what) { return std::string(take(4, what)); }

std::string BinarySource::peekTag() const
{
    return remaining() >= 4 ? std::string(m_bytes.substr(m_pos, 4)) : std::string();
}

// ---------------------------------------------------------------------------------------------------
// TextSource

std::string TextSource::whereAt(std::size_t pos) const
{
    std::string_view before = m_bytes.substr(0, pos);
    return "line " + std::to_string(1 + std::count(before.begin(), before.end(), '\n'));
}

std::string_view TextSource::takeLine(std::size_t maxLength, const char* what)
{
    std::string_view rest = m_bytes.substr(m_pos);
    std::size_t end = rest.find('\n');
    if (end == std::string_view::npos || end > maxLength + 1) {
        std::string_view shown = rest.substr(0, std::min(rest.size(), maxLength));
        if (rest.empty()) fail(std::string("unexpected end of file: expected ") + what);
        fail(std::string("expected ") + what + " on a line of its own, found '" + describeBytes(shown, 24) + "'");
    }
    if (end == 0 || rest[end - 1] != '\r') fail(std::string("line ends in LF without CR, in ") + what);
    m_pos += end + 1;
    return rest.substr(0, end - 1);
}

void TextSource::expectLineEnd(const char* what)
{
    if (m_bytes.substr(m_pos, 2) != kCrLf) {
        fail(std::string("expected CR LF after ") + what + ", found '" + describeBytes(m_bytes.substr(m_pos, 8)) + "'");
    }
    m_pos += 2;
}

long long TextSource::readInteger(long long min, long long max, const char* what)
{
    std::size_t start = m_pos;
    std::string_view line = takeLine(kMaxNumberLine, what);
    std::optional<long long> value = numtext::parseInteger(line);
    if (!value || *value < min || *value > max) {
        failAt(start, std::string("expected ") + what + " (an integer from " + std::to_string(min) + " to " +
             std::to_string(max) + "), found '" + describeBytes(line, 24) + "'");
    }
    return *value;
}

std::int32_t TextSource::readInt32(const char* what)
{
    return static_cast<std::int32_t>(readInteger(INT32_MIN, INT32_MAX, what));
}

char TextSource::readChar(const char* what)
{
    // "%c\n": the character itself, whatever it is (CR and LF included), then the line end.
    if (remaining() < 3) fail(std::string("unexpected end of file: expected ") + what + " (a character line)");
    char c = m_bytes[m_pos];
    ++m_pos;
    expectLineEnd(what);
    return c;
}

std::uint8_t TextSource::readByte(const char* what) { return static_cast<std::uint8_t>(readInteger(0, 255, what)); }

std::uint16_t TextSource::readUInt16(const char* what)
{
    return static_cast<std::uint16_t>(readInteger(0, 65535, what));
}

std::int16_t TextSource::readInt16(const char* what)
{
    return static_cast<std::int16_t>(readInteger(-32768, 32767, what));
}

float TextSource::readFloat(const char* what)
{
    std::size_t start = m_pos;
    std::string_view line = takeLine(kMaxNumberLine, what);
    std::optional<float> value = floatFromText(line);
    if (!value) {
        failAt(start, std::string("expected ") + what + " (a 32-bit float in fixed notation), found '" +
             describeBytes(line, 24) + "'");
    }
    return *value;
}

std::string TextSource::readBlock(const char* what)
{
    // "%d " then the bytes: the length has at most five digits and ends at the blank.
    std::size_t start = m_pos;
    std::string_view rest = m_bytes.substr(m_pos, 7);
    std::size_t blank = rest.find(' ');
    std::optional<long long> length;
    if (blank != std::string_view::npos) length = numtext::parseInteger(rest.substr(0, blank));
    if (!length || *length < 0 || *length > 65535) {
        fail(std::string("expected ") + what + " as a length from 0 to 65535 and a blank, found '" +
             describeBytes(m_bytes.substr(m_pos, 12)) + "'");
    }
    m_pos += blank + 1;
    std::size_t count = static_cast<std::size_t>(*length);
    if (remaining() < count) {
        failAt(start, std::string("unexpected end of file: ") + what + " claims " + std::to_string(count) + " bytes, " +
             std::to_string(remaining()) + " left");
    }
    std::string bytes(m_bytes.substr(m_pos, count));
    m_pos += count;
    expectLineEnd(what);
    return bytes;
}

std::string TextSource::readTag(const char* what)
{
    if (remaining() < 4) fail(std::string("unexpected end of file: expected ") + what);
    std::string tag(m_bytes.substr(m_pos, 4));
    m_pos += 4;
    expectLineEnd(what);
    return tag;
}

std::string TextSource::peekTag() const
{
    if (remaining() < 6 || m_bytes.substr(m_pos + 4, 2) != kCrLf) return std::string();
    return std::string(m_bytes.substr(m_pos, 4));
}

}  // namespace scenefile
