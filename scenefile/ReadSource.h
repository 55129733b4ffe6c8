// ReadSource.h - the scene file reader's primitives: one value at a time, in the binary or the text
// encoding, each read bounded by the input and refused with a positioned message.
//
// Byte layer (scenefile/), private: the record parser's own, never part of the library's interface.
// Portable: standard C++ only. This is the mirror of cwscene/Encoding.h: the record parser
// (RecordParser.cpp) calls readInt32 ... readBlock in file order and never looks at bytes itself, so
// one parser serves both encodings, as one record writer does.
//   - binary: fixed-width little-endian values, nothing between them; positions are byte offsets;
//   - text: one value per line ending in CR LF, spelled exactly as the writer spells it (`"%d"`
//     without leading zeros or "-0", `"%f"` with six decimals); a counted block is `"%d "` (length and
//     one blank), exactly that many bytes (which may hold CR or LF, so they are taken by length,
//     never by line), then CR LF; positions are line numbers.
//
// The bytes come through a ByteInput: all of them when they are in memory, or a window of 256 KiB onto
// a file that slides along as the parser reads, so that reading a file takes the same memory whatever
// its size. A value is only ever looked at inside the window, and a view of it (a tag, a block's
// bytes) is valid until the next read.
#pragma once

#include <cstddef>    // size_t
#include <cstdint>    // int32_t, uint16_t ...
#include <cstdio>     // FILE
#include <cstring>    // memcpy
#include <exception>  // std::exception
#include <memory>     // unique_ptr
#include <string>
#include <string_view>
#include <utility>    // std::move

#include <cwscene/Encoding.h>  // Encoding

namespace scenefile {

// A refused input: the message names the place ("offset 1234" or "line 12") and what was expected.
class ReadFailure : public std::exception {
public:
    explicit ReadFailure(std::string message) : m_message(std::move(message)) {}  // A refusal with this message.
    const char* what() const noexcept override { return m_message.c_str(); }  // The message, NUL-terminated.
    const std::string& message() const { return m_message; }  // The message.

private:
    std::string m_message;
};

// ---------------------------------------------------------------------------------------------------
// The bytes of one scene file: in memory, or read from a seekable file through a sliding window.
class ByteInput {
public:
    // All the bytes, in memory; they must outlive the input.
    explicit ByteInput(std::string_view bytes);
    // A file of `size` bytes, open for reading at its start; not owned. Reads that fail, or a file
    // that ends before `size`, throw ReadFailure "cannot read the file". The window starts at
    // `windowSize` bytes and grows only for a value longer than that (tests use a small one).
    ByteInput(std::FILE* stream, std::uint64_t size, std::size_t windowSize = kWindowSize);
    ByteInput(const ByteInput&) = delete;             // Not copyable: it may own the file's window.
    ByteInput& operator=(const ByteInput&) = delete;  // Not copyable.

    // The window's unread bytes: [data(), data() + available()).
    const char* data() const { return m_cur; }
    std::size_t available() const { return static_cast<std::size_t>(m_end - m_cur); }  // The number of unread bytes in the window.
    // Makes at least `count` bytes available if the input still has them. True when it could;
    // otherwise everything that is left is available.
    bool fill(std::size_t count) { return available() >= count || refill(count); }
    void advance(std::size_t count) { m_cur += count; }  // Moves past `count` available bytes.

    // The reading position: the offset of the next unread byte in the input.
    std::uint64_t position() const { return m_base + static_cast<std::uint64_t>(m_cur - m_window); }
    std::uint64_t size() const { return m_size; }  // The input's size in bytes.
    std::uint64_t remaining() const { return m_size - position(); }  // The bytes after the reading position.
    // Moves the reading position, backwards or forwards (the parser reads some records twice).
    void seek(std::uint64_t position);
    // The line (1 for the first) that holds the byte at `position`. A file is read again from its
    // start to count; the reading position stays where it was.
    std::uint64_t lineAt(std::uint64_t position);

    static constexpr std::size_t kWindowSize = 256 * 1024;  // Holds the longest value, a 65535-byte block.

private:
    bool refill(std::size_t count);
    // Empties the window and goes to `target` in the file: the next fill reads from there.
    void reload(std::uint64_t target);

    const char* m_window;      // The bytes in memory, or the file's window.
    const char* m_cur;         // The next unread byte.
    const char* m_end;         // The end of what the window holds.
    std::uint64_t m_base = 0;  // The offset of m_window[0] in the input.
    std::uint64_t m_size;
    std::FILE* m_stream = nullptr;      // The file, or null for bytes in memory.
    std::unique_ptr<char[]> m_storage;  // The file's window.
    std::size_t m_windowSize = 0;
};

// ---------------------------------------------------------------------------------------------------
// What the two sources share: positions, look-ahead and failure messages. `what` names the value in a
// failure message ("expected <what> ..."). Every read either returns a value or throws ReadFailure;
// none reads past the end of the input, whatever the input claims.
class FieldSource {
public:
    // A source reading `in` (not owned, must outlive the source) in the text or the binary encoding.
    FieldSource(ByteInput& in, bool text) : m_in(in), m_text(text) {}
    FieldSource(const FieldSource&) = delete;             // Not copyable.
    FieldSource& operator=(const FieldSource&) = delete;  // Not copyable.

    bool text() const { return m_text; }  // True for the text encoding.
    bool atEnd() const { return m_in.remaining() == 0; }  // True when every byte has been read.
    std::uint64_t remaining() const { return m_in.remaining(); }  // The bytes not read yet.
    std::uint64_t position() const { return m_in.position(); }  // The byte offset of the next value.
    void seek(std::uint64_t position) { m_in.seek(position); }  // Moves the reading position.

    // "offset 1234" or "line 12": the place of the value about to be read, or of the byte at `pos`.
    std::string whereAt(std::uint64_t pos) const;
    std::string where() const { return whereAt(position()); }  // whereAt the present position.
    // The fewest bytes one value can take in this encoding (1 in binary, 3 in text: a digit and CR LF),
    // so a count can be checked against what remains before anything is done for it.
    std::size_t minValueBytes() const { return m_text ? 3 : 1; }
    // The next few bytes, printable, for a "found ..." in a message ("end of file" when none are left).
    std::string upcoming() const;

    // Throws ReadFailure "<where>: <text>", at the present position or at an earlier one.
    [[noreturn]] void fail(const std::string& text) const { failAt(position(), text); }
    // Throws ReadFailure "<where>: <text>" with the place of the byte at `pos`.
    [[noreturn]] void failAt(std::uint64_t pos, const std::string& text) const;
    // Refuses a count (read at `countAt`) whose items, each at least `valuesPerItem` values long,
    // cannot fit in what remains: a file that claims 60000 frames in 200 bytes is refused before
    // anything is done for them.
    void requireRoom(std::size_t count, std::size_t valuesPerItem, const char* what, std::uint64_t countAt) const;

protected:
    ByteInput& m_in;  // The bytes read, not owned.
    bool m_text;      // True for the text encoding.
};

// The binary encoding: fixed-width little-endian values. Each read returns the value or throws
// ReadFailure "offset N: ..." when the input ends first.
class BinarySource : public FieldSource {
public:
    explicit BinarySource(ByteInput& in) : FieldSource(in, false) {}  // A binary source reading `in`.

    std::int32_t readInt32(const char* what) { return static_cast<std::int32_t>(takeLittleEndian<4>(what)); }  // 4 bytes, little-endian.
    char readChar(const char* what) { return static_cast<char>(takeLittleEndian<1>(what)); }  // 1 byte, a character.
    std::uint8_t readByte(const char* what) { return static_cast<std::uint8_t>(takeLittleEndian<1>(what)); }  // 1 byte.
    std::uint16_t readUInt16(const char* what) { return static_cast<std::uint16_t>(takeLittleEndian<2>(what)); }  // 2 bytes, little-endian.
    std::int16_t readInt16(const char* what) { return static_cast<std::int16_t>(takeLittleEndian<2>(what)); }  // 2 bytes, little-endian, signed.
    // 4 bytes, a float's little-endian bit pattern.
    float readFloat(const char* what)
    {
        std::uint32_t bits = takeLittleEndian<4>(what);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (m_countLossy && !survivesText(value)) ++m_lossyTextFloats;
        return value;
    }
    // Three floats (a coordinate), as three readFloat would read them, with one look at the window for
    // the twelve bytes: most of a scene's values are coordinates. Where fewer are left, one at a time,
    // so that the failure names the float that is cut short.
    void readFloat3(const char* what, float& x, float& y, float& z)
    {
        if (!m_in.fill(12)) {
            x = readFloat(what);
            y = readFloat(what);
            z = readFloat(what);
            return;
        }
        const char* p = m_in.data();
        x = floatAt(p);
        y = floatAt(p + 4);
        z = floatAt(p + 8);
        m_in.advance(12);
        if (m_countLossy) {
            for (float value : {x, y, z}) m_lossyTextFloats += survivesText(value) ? 0 : 1;
        }
    }
    // A counted block: the 16-bit length, then the bytes (into `into`, which keeps its capacity).
    void readBlock(const char* what, std::string& into);
    // A four-letter tag (the tag form of a block: no length); the view is valid until the next read.
    std::string_view readTag(const char* what) { return take(4, what); }
    // The four bytes that follow, without moving on, or "" when fewer are left.
    std::string_view peekTag() { return m_in.fill(4) ? std::string_view(m_in.data(), 4) : std::string_view(); }

    // Floats that would not come back bit for bit through the text encoding: counted only when asked
    // for (a check per float), and only while counting is on (a record read twice counts once).
    void countLossyTextFloats(bool on) { m_countLossy = on; }
    long lossyTextFloats() const { return m_lossyTextFloats; }  // The floats counted so far.

    // Whether `value` comes back bit for bit from its six-decimal text. Cheap for the common floats:
    // every float of magnitude 16 or more, and every float whose millionfold is a whole number.
    static bool survivesText(float value);

private:
    template <std::size_t Width>
    std::uint32_t takeLittleEndian(const char* what)
    {
        if (!m_in.fill(Width)) failShort(Width, what);
        const unsigned char* p = reinterpret_cast<const unsigned char*>(m_in.data());
        m_in.advance(Width);
        // Written out, so that the compiler sees one load of a little-endian word.
        if constexpr (Width == 4) {
            return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        } else if constexpr (Width == 2) {
            return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
        } else {
            return p[0];
        }
    }
    // The float whose little-endian bit pattern is at `p`.
    static float floatAt(const char* p)
    {
        const auto* b = reinterpret_cast<const unsigned char*>(p);
        const std::uint32_t bits = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                                   static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string_view take(std::size_t count, const char* what)
    {
        if (!m_in.fill(count)) failShort(count, what);
        std::string_view bytes(m_in.data(), count);
        m_in.advance(count);
        return bytes;
    }
    [[noreturn]] void failShort(std::size_t count, const char* what) const;

    bool m_countLossy = false;
    long m_lossyTextFloats = 0;
};

// The text encoding: one value per line, spelled exactly as the writer spells it. Each read returns
// the value or throws ReadFailure "line N: ..." for a value that is missing, out of range or spelt
// otherwise.
class TextSource : public FieldSource {
public:
    explicit TextSource(ByteInput& in) : FieldSource(in, true) {}  // A text source reading `in`.

    std::int32_t readInt32(const char* what) { return static_cast<std::int32_t>(readInteger(INT32_MIN, INT32_MAX, what)); }  // A `"%d"` line of a signed 32-bit value.
    char readChar(const char* what);  // A line holding one character, whatever it is (CR and LF included).
    std::uint8_t readByte(const char* what) { return static_cast<std::uint8_t>(readInteger(0, 255, what)); }  // A `"%d"` line from 0 to 255.
    std::uint16_t readUInt16(const char* what) { return static_cast<std::uint16_t>(readInteger(0, 65535, what)); }  // A `"%d"` line from 0 to 65535.
    std::int16_t readInt16(const char* what) { return static_cast<std::int16_t>(readInteger(-32768, 32767, what)); }  // A `"%d"` line from -32768 to 32767.
    // A `"%f"` line, refused unless the writer writes the float it reads as with this very text.
    float readFloat(const char* what);
    // Three `"%f"` lines (a coordinate).
    void readFloat3(const char* what, float& x, float& y, float& z)
    {
        x = readFloat(what);
        y = readFloat(what);
        z = readFloat(what);
    }
    // A counted block: `"%d "`, exactly that many bytes (into `into`), then CR LF.
    void readBlock(const char* what, std::string& into);
    // A line of four letters; the view is valid until the next read.
    std::string_view readTag(const char* what);
    // The four letters of the next line when it is a tag's line, without moving on; "" otherwise.
    std::string_view peekTag();

    void countLossyTextFloats(bool) {}  // The binary source's switch, which means nothing here: a text file's floats are its text.
    long lossyTextFloats() const { return 0; }  // Always 0.

private:
    // The rest of the current line (without its CR LF), moving past the line end; a failure when the
    // line has no CR LF within `maxLength` bytes. Valid until the next read.
    std::string_view takeLine(std::size_t maxLength, const char* what);
    long long readInteger(long long min, long long max, const char* what);
    void expectLineEnd(const char* what);

    char m_tag[4] = {};  // The last tag read.
};

// ---------------------------------------------------------------------------------------------------
// Helpers

// The float that the text encoding gives back for `value`: `"%f"` with six decimals, read back.
float throughText(float value);

// The encoding a file's first byte suggests: a digit or '-' begins a text file, any other byte a
// binary one; Unknown for no bytes. A guess only: whether the header is right is the parser's
// business.
Encoding detectEncoding(std::string_view bytes);

// Printable form of some bytes for a message: ASCII as is, others as `\xNN`, at most `limit` bytes.
std::string describeBytes(std::string_view bytes, std::size_t limit = 16);

// The text scene file's integer spelling, exactly as the writer makes it and nothing looser: "0", or
// an optional '-' and digits without a leading zero; never "-0". True with `value` set when `line` is
// such an integer.
bool parseIntegerLine(std::string_view line, long long& value);
// How a line reads as a float of the text encoding: an integer part as above (but "-0" is allowed:
// "-0.000000" is how -0.0 is written), '.' and exactly six decimals, or "nan", "-nan", "inf",
// "-inf"; and the float it reads as must be written with this very text: "16777217.000000" reads as
// 16777216, whose text is "16777216.000000".
enum class FloatLine {
    Valid,       // `value` is the float.
    Malformed,   // Not a float's spelling.
    NotWritten,  // `value` is the float it reads as, which the writer writes otherwise.
};
// Reads `line` as a float of the text encoding (FloatLine says how), so that a text file has one
// spelling per value and text -> text conversion gives the same bytes.
FloatLine parseFloatLine(std::string_view line, float& value);

}  // namespace scenefile
