/// \file
/// The seven primitives through which every byte of a scene file is written, the two encodings, the
/// process-wide binary mode switch, the failure type, and the process-wide error chain.
///
/// Portable: standard C++ only. Part of the byte layer (scenefile/). The two encodings
/// (docs/scene-file-format.md):
///   - binary: fixed-width little-endian values, nothing between them;
///   - text: one value per line, each line ending in CR LF (written here, on every platform; the
///     stream is always opened in binary mode so that nothing translates it again).
///
/// Only these functions know widths, byte order and the text forms; record writers call them and never
/// touch the stream themselves. A program's own record writer (a SceneItem of its own) calls them too.
#pragma once

#include <cwscene/Export.h>

#include <cstddef>    // size_t
#include <cstdint>    // int32_t, uint16_t ...
#include <cstdio>     // FILE
#include <exception>  // std::exception
#include <string>
#include <utility>    // std::move

// ---------------------------------------------------------------------------------------------------
/// The one thrown type of the writer: a message text (Shift-JIS bytes). A primitive throws its fixed
/// failure text; a record or section writer that catches it throws its own name or label instead.
class CWSCENE_API WriteFailure : public std::exception {
public:
    explicit WriteFailure(std::string text) : m_text(std::move(text)) {}  ///< A failure with this text.
    const char* text() const noexcept { return m_text.c_str(); }  ///< The text, NUL-terminated, owned by the failure.
    const char* what() const noexcept override { return m_text.c_str(); }  ///< The text, as text() gives it.

private:
    std::string m_text;
};

// ---------------------------------------------------------------------------------------------------
/// \name The primitives
/// Each writes one value at once to the open stream and throws WriteFailure with
/// "バイナリ書き込み失敗" (binary) or "テキスト書き込み失敗" (text) when the stream refuses it.
///@{

/// Writes a signed 32-bit integer: 4 bytes LE, or the text `"%d"`. Throws WriteFailure when the stream
/// refuses it.
CWSCENE_API void WriteInt32(std::int32_t value, std::FILE* stream);
/// Writes one character: 1 byte, or the character on a line. Throws WriteFailure when the stream
/// refuses it.
CWSCENE_API void WriteChar(char value, std::FILE* stream);
/// Writes an unsigned 8-bit integer: 1 byte, or the text `"%d"`. Throws WriteFailure when the stream
/// refuses it.
CWSCENE_API void WriteByte(std::uint8_t value, std::FILE* stream);
/// Writes an unsigned 16-bit integer: 2 bytes LE, or the text `"%d"`. Throws WriteFailure when the
/// stream refuses it.
CWSCENE_API void WriteUInt16(std::uint16_t value, std::FILE* stream);
/// Writes a signed 16-bit integer: 2 bytes LE, or the text `"%d"`. Throws WriteFailure when the stream
/// refuses it.
CWSCENE_API void WriteInt16(std::int16_t value, std::FILE* stream);
/// Writes a 32-bit float: 4 bytes LE (its bit pattern), or the text `"%f"` of the value as double.
/// Throws WriteFailure when the stream refuses it.
CWSCENE_API void WriteFloat(float value, std::FILE* stream);

/// A run of bytes: with `omitLength` false, first the length (binary: u16 LE; text: `"%d "` without a
/// line end), then the bytes unchanged; text adds a line end, also after no bytes. A length above
/// 65535 cannot be represented: nothing is written and "文字列が65535バイトを超える" is thrown.
CWSCENE_API void WriteBlock(const void* data, std::size_t length, std::FILE* stream, bool omitLength);
inline constexpr bool kOmitLength = true;   ///< Tag form: "SHAP".
inline constexpr bool kWithLength = false;  ///< Counted form: 01 00 41.
///@}

/// A list's element count as u16. A count above 65535 cannot be represented: nothing is written and
/// "個数が65535を超える" is thrown, so no record is ever silently dropped.
CWSCENE_API void writeCount(std::size_t count, std::FILE* stream);

// ---------------------------------------------------------------------------------------------------
namespace scenefile {
/// The encoding of a scene file, told by its first bytes: the binary header is the four bytes
/// 04 00 00 00, the text header the line "4". Anything else is no scene file of ours, and the parser
/// refuses it. The reader (cwscene/RecordParser.h) reports it.
enum class Encoding {
    Binary,   ///< The binary encoding.
    Text,     ///< The text encoding.
    Unknown   ///< Not known: no bytes at all, or a file that could not be read.
};

}  // namespace scenefile

// ---------------------------------------------------------------------------------------------------
/// The binary mode switch: 1 = binary (from program start), 0 = text. Process-wide.
CWSCENE_API std::int32_t binaryModeSwitch();
/// Sets the binary mode switch (1 binary, 0 text) for every later write of the process; CWScene's
/// SetTextMode is the public way to change it.
CWSCENE_API void setBinaryModeSwitch(std::int32_t binary);

// ---------------------------------------------------------------------------------------------------
/// Adds a text to the error chain: every text added with AppendError, earliest first, joined by "-> ".
/// Process-wide; released when the last scene object is destroyed (CWScriptObject). Never throws; when
/// memory runs out the text is lost.
CWSCENE_API void AppendError(const char* message);
/// The chain, or null when there is none. It belongs to the library and is valid until the next
/// AppendError or releaseErrorChain.
CWSCENE_API const char* errorChain();
/// Releases the chain (CWScriptObject's destructor calls it when the instance count reaches zero).
CWSCENE_API void releaseErrorChain();

// ---------------------------------------------------------------------------------------------------
namespace scenefile {
/// Write staging. While a StagedStream lives, the primitives collect what they write to its stream in
/// a buffer of their own and hand it to the stream in large pieces: one fwrite per value would cost
/// far more than the bytes themselves. Save stages its stream; flush() must succeed before the stream
/// is closed, and what was not flushed when the object goes is dropped. Without one, every primitive
/// writes straight to its stream.
class CWSCENE_API StagedStream {
public:
    /// Starts staging the writes to `stream` (not owned). A staging begun inside another one leaves
    /// the writes to the outer one.
    explicit StagedStream(std::FILE* stream);
    ~StagedStream();  ///< Ends the staging; bytes not flushed are dropped.
    StagedStream(const StagedStream&) = delete;             ///< Not copyable.
    StagedStream& operator=(const StagedStream&) = delete;  ///< Not copyable.
    /// Hands every collected byte to the stream. False when the stream refuses them.
    bool flush();

private:
    bool m_active;  ///< False for a staging begun inside another one: its stream is written directly.
};
}  // namespace scenefile
