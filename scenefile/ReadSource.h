// ReadSource.h - the scene file reader's primitives: one value at a time from a byte buffer, in the
// binary or the text encoding, each read bounded by the buffer and refused with a positioned message.
//
// Portable: standard C++ only. Part of cwscene. This is the mirror of scenefile/Encoding.h: the record
// readers (SceneReader.cpp) call readInt32 ... readBlock in file order and never look at bytes
// themselves, so one record reader serves both encodings, as one record writer does.
//   binary  fixed-width little-endian values, nothing between them; positions are byte offsets;
//   text    one value per line ending in CR LF; numbers as "%d" and "%f" write them; a counted block
//           is "%d " (length and one blank), exactly that many bytes (which may hold CR or LF, so they
//           are taken by length, never by line), then CR LF; positions are line numbers.
#pragma once

#include <cstddef>    // size_t
#include <cstdint>    // int32_t, uint16_t ...
#include <exception>  // std::exception
#include <string>
#include <string_view>
#include <utility>    // std::move

namespace scenefile {

// A refused input: the message names the place ("offset 1234" or "line 12") and what was expected.
class ReadFailure : public std::exception {
public:
    explicit ReadFailure(std::string message) : m_message(std::move(message)) {}
    const char* what() const noexcept override { return m_message.c_str(); }
    const std::string& message() const { return m_message; }

private:
    std::string m_message;
};

// The values of one scene file, read in order. `what` names the value for a failure message
// ("expected <what> ..."). Every read either returns a value or throws ReadFailure; none reads past
// the end of the buffer, whatever the input claims.
class FieldSource {
public:
    explicit FieldSource(std::string_view bytes) : m_bytes(bytes) {}
    virtual ~FieldSource() = default;
    FieldSource(const FieldSource&) = delete;
    FieldSource& operator=(const FieldSource&) = delete;

    virtual std::int32_t readInt32(const char* what) = 0;
    virtual char readChar(const char* what) = 0;
    virtual std::uint8_t readByte(const char* what) = 0;
    virtual std::uint16_t readUInt16(const char* what) = 0;
    virtual std::int16_t readInt16(const char* what) = 0;
    virtual float readFloat(const char* what) = 0;
    // A counted block: the 16-bit length, then the bytes.
    virtual std::string readBlock(const char* what) = 0;
    // A four-letter tag (the tag form of a block: no length). peekTag returns it without moving on,
    // or "" when no complete tag follows.
    virtual std::string readTag(const char* what) = 0;
    virtual std::string peekTag() const = 0;

    // "offset 1234" or "line 12": the place of the value about to be read, or of the byte at `pos`.
    virtual std::string whereAt(std::size_t pos) const = 0;
    std::string where() const { return whereAt(m_pos); }
    // The fewest bytes one value can take in this encoding (1 in binary, 3 in text: a digit and CR LF),
    // so a count can be checked against what remains before anything is built for it.
    virtual std::size_t minValueBytes() const = 0;

    // The next few bytes, printable, for a "found ..." in a message ("end of file" when none are left).
    std::string upcoming() const;

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    std::size_t remaining() const { return m_bytes.size() - m_pos; }
    std::size_t position() const { return m_pos; }

    // Throws ReadFailure "<where>: <text>", at the present position or at an earlier one.
    [[noreturn]] void fail(const std::string& text) const { failAt(m_pos, text); }
    [[noreturn]] void failAt(std::size_t pos, const std::string& text) const;
    // Reads the tag `tag`, or fails naming what stands there instead.
    void expectTag(const char* tag);
    // Refuses a count (read at `countAt`) whose items, each at least `valuesPerItem` values long,
    // cannot fit in what remains: a file that claims 60000 frames in 200 bytes is refused before
    // anything is allocated for them.
    void requireRoom(std::size_t count, std::size_t valuesPerItem, const char* what, std::size_t countAt) const;

protected:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

class BinarySource : public FieldSource {
public:
    using FieldSource::FieldSource;
    std::int32_t readInt32(const char* what) override;
    char readChar(const char* what) override;
    std::uint8_t readByte(const char* what) override;
    std::uint16_t readUInt16(const char* what) override;
    std::int16_t readInt16(const char* what) override;
    float readFloat(const char* what) override;
    std::string readBlock(const char* what) override;
    std::string readTag(const char* what) override;
    std::string peekTag() const override;
    std::string whereAt(std::size_t pos) const override;
    std::size_t minValueBytes() const override { return 1; }
    // Floats read so far that would not come back bit for bit through the text encoding.
    long lossyTextFloats() const { return m_lossyTextFloats; }

private:
    // The next `count` bytes, or a failure naming `what` when fewer remain.
    std::string_view take(std::size_t count, const char* what);
    std::uint32_t takeLittleEndian(std::size_t width, const char* what);

    long m_lossyTextFloats = 0;
};

class TextSource : public FieldSource {
public:
    using FieldSource::FieldSource;
    std::int32_t readInt32(const char* what) override;
    char readChar(const char* what) override;
    std::uint8_t readByte(const char* what) override;
    std::uint16_t readUInt16(const char* what) override;
    std::int16_t readInt16(const char* what) override;
    float readFloat(const char* what) override;
    std::string readBlock(const char* what) override;
    std::string readTag(const char* what) override;
    std::string peekTag() const override;
    std::string whereAt(std::size_t pos) const override;
    std::size_t minValueBytes() const override { return 3; }

private:
    // The rest of the current line (without its CR LF), moving past the line end; a failure when
    // the line has no CR LF within `maxLength` bytes.
    std::string_view takeLine(std::size_t maxLength, const char* what);
    long long readInteger(long long min, long long max, const char* what);
    void expectLineEnd(const char* what);
};

// The float that the text encoding gives back for `value`: "%f" with six decimals, read back.
float throughText(float value);

// The encoding of a scene file, told by its first bytes: the binary header is the four bytes
// 04 00 00 00, the text header the line "4". Anything else is no scene file of ours.
enum class Encoding { Binary, Text, Unknown };
Encoding detectEncoding(std::string_view bytes);

// Printable form of some bytes for a message: ASCII as is, others as \xNN, at most `limit` bytes.
std::string describeBytes(std::string_view bytes, std::size_t limit = 16);

}  // namespace scenefile
