// Encoding.cpp - the seven primitives, the binary mode switch and the write staging (see Encoding.h).
//
// Portable: standard C++ only. A value goes either straight into the stage of a save in progress (the
// direct paths, EncodingDetail.h and below), or through streamWrite, the general path, which is where the
// test hook (WriteFaults.h) makes a chosen operation fail; while a fault is armed every value takes
// the general path. The error chain is ErrorChain.cpp's.
// Numbers become text through cwscene/NumberText.h, so both builds print the same bytes whatever
// the C runtime and locale; the one exception is a float whose six decimals are its exact value,
// whose digits are written here without any rounding (exactSixDecimals).
#include <cwscene/Encoding.h>
#include "scenefile/EncodingDetail.h"

#include <charconv>  // to_chars
#include <cmath>     // signbit
#include <cstring>   // memcpy
#include <memory>    // unique_ptr
#include <new>       // std::nothrow
#include <vector>

#include "scenefile/ErrorTexts.h"
#include "scenefile/WriteFaults.h"
#include <cwscene/NumberText.h>

namespace scenefile::detail {
DirectStage g_directStage;
}  // namespace scenefile::detail

namespace {

std::int32_t g_binaryMode = 1;  // 1 binary, 0 text; binary from program start

constexpr char kLineEnd[] = "\r\n";  // the text encoding's line end, on every platform
constexpr std::size_t kLineEndSize = 2;

// Write staging (StagedStream): the stream being staged, and the stage. The stage is allocated at the
// first staged save and kept; left uninitialised, it is only read up to where it was filled. Its free
// part is g_directStage's [next, end), for the binary values that go there directly (EncodingDetail.h) and
// for everything else alike. g_stageSize is 0 when it could not be allocated.
constexpr std::size_t kStageSize = 256 * 1024;
std::FILE* g_stagedStream = nullptr;
std::unique_ptr<char[]> g_stage;
std::size_t g_stageSize = 0;

scenefile::detail::DirectStage& stage() { return scenefile::detail::g_directStage; }

using scenefile::detail::faultArmed;
using scenefile::detail::updateDirectStream;

// Where a value of at most `size` bytes goes straight into the stage, or null when it cannot: the
// text encoding's counterpart of the direct path.
char* stageRoom(std::FILE* stream, std::size_t size)
{
    if (stream != g_stagedStream || g_stageSize == 0 || faultArmed()) return nullptr;
    if (static_cast<std::size_t>(stage().end - stage().next) < size) return nullptr;
    return stage().next;
}

bool flushStage()
{
    char* start = g_stage.get();
    const std::size_t used = static_cast<std::size_t>(stage().next - start);
    stage().next = start;
    return used == 0 || std::fwrite(start, used, 1, g_stagedStream) == 1;
}

// One stream operation: `size` bytes as one item. False when the stream refuses it (or the fault hook
// says so). Never called with size 0. On a staged stream a refusal shows when the stage is handed
// on, as it would with the stream's own buffer.
bool streamWrite(const void* data, std::size_t size, std::FILE* stream)
{
    if (scenefile::detail::streamOperationFails()) return false;
    if (stream != g_stagedStream || g_stageSize == 0) return std::fwrite(data, size, 1, stream) == 1;
    if (static_cast<std::size_t>(stage().end - stage().next) < size && !flushStage()) return false;
    if (size > g_stageSize) return std::fwrite(data, size, 1, stream) == 1;
    // NOLINTNEXTLINE(clang-analyzer-core.NonNullParamChecker): a staged stream always has its stage
    std::memcpy(stage().next, data, size);
    stage().next += size;
    return true;
}

bool isBinary() { return g_binaryMode != 0; }

[[noreturn]] void fail(const char* text) { throw WriteFailure(text); }

// Binary: `width` bytes of `bits`, least significant first, on the general path.
void writeLittleEndian(std::uint32_t bits, std::size_t width, std::FILE* stream)
{
    unsigned char bytes[4];
    for (std::size_t i = 0; i < width; ++i) bytes[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xFFu);
    if (!streamWrite(bytes, width, stream)) fail(sjis::kBinaryWriteFailed);
}

// Text: a decimal integer and the line end, as one operation ("%d\n").
constexpr std::size_t kIntLineMax = 32;
std::size_t intLine(char* line, long long value)
{
    std::size_t length = numtext::formatInt(line, kIntLineMax - kLineEndSize, value);
    std::memcpy(line + length, kLineEnd, kLineEndSize);
    return length == 0 ? 0 : length + kLineEndSize;
}

void writeIntLine(long long value, std::FILE* stream)
{
    if (char* out = stageRoom(stream, kIntLineMax)) {
        stage().next += intLine(out, value);  // a long long always fits
        return;
    }
    char line[kIntLineMax];
    std::size_t length = intLine(line, value);
    if (length == 0 || !streamWrite(line, length, stream)) fail(sjis::kTextWriteFailed);
}

// The two digits of every number from 0 to 99, for writing digits in pairs.
constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// "%f" of a float whose millionfold is a whole number (below 9e15): its exact value, so no rounding
// is involved and the text is the one numtext::formatFloatFixed6 makes; the usual coordinates
// (whole millimetres, halves, quarters) are such floats. 0 for any other float, which then goes
// through numtext. `out` has room for kFloatFixedMax bytes.
std::size_t exactSixDecimals(char* out, float value)
{
    const double scaled = static_cast<double>(value) * 1e6;  // exact: 24 bits times 2^6 * 15625
    if (!(scaled > -9e15 && scaled < 9e15)) return 0;       // NaN and infinities included
    const long long whole = static_cast<long long>(scaled);
    if (static_cast<double>(whole) != scaled) return 0;
    const unsigned long long units = static_cast<unsigned long long>(whole < 0 ? -whole : whole);
    const unsigned long long integer = units / 1000000;
    const unsigned fraction = static_cast<unsigned>(units % 1000000);
    char* p = out;
    if (std::signbit(value)) *p++ = '-';  // "-0.000000" for -0.0, like "%f"
    p = std::to_chars(p, out + numtext::kFloatFixedMax, integer).ptr;
    *p = '.';
    if (fraction == 0) {  // whole numbers, the most common by far
        std::memcpy(p + 1, "000000", 6);  // NOLINT(bugprone-not-null-terminated-result): six digits, no string
    } else {
        std::memcpy(p + 1, kPairs + 2 * (fraction / 10000), 2);
        std::memcpy(p + 3, kPairs + 2 * (fraction / 100 % 100), 2);
        std::memcpy(p + 5, kPairs + 2 * (fraction % 100), 2);
    }
    return static_cast<std::size_t>(p + 7 - out);
}

// Text: a float's "%f" and the line end. 0 when the text does not fit (it always does).
std::size_t floatLine(char* line, float value)
{
    std::size_t length = exactSixDecimals(line, value);
    if (length == 0) length = numtext::formatFloatFixed6(line, numtext::kFloatFixedMax, value);
    if (length == 0) return 0;
    std::memcpy(line + length, kLineEnd, kLineEndSize);
    return length + kLineEndSize;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Primitives: the general paths of the fixed-width ones (EncodingDetail.h), and the blocks

namespace scenefile::detail {

// Either encoding of an integer: `width` little-endian bytes of its two's complement, or its line.
void writeInteger(long long value, std::size_t width, std::FILE* stream)
{
    if (isBinary())
        writeLittleEndian(static_cast<std::uint32_t>(value), width, stream);
    else
        writeIntLine(value, stream);
}

void writeChar(char value, std::FILE* stream)
{
    if (isBinary()) {
        if (!streamWrite(&value, 1, stream)) fail(sjis::kBinaryWriteFailed);
        return;
    }
    const char line[3] = {value, kLineEnd[0], kLineEnd[1]};  // "%c\n"
    if (char* out = stageRoom(stream, sizeof line)) {
        std::memcpy(out, line, sizeof line);
        stage().next += sizeof line;
        return;
    }
    if (!streamWrite(line, sizeof line, stream)) fail(sjis::kTextWriteFailed);
}

void writeFloat(float value, std::FILE* stream)
{
    if (isBinary()) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        writeLittleEndian(bits, 4, stream);
        return;
    }
    // "%f\n": the value widened to double, six decimals.
    constexpr std::size_t kLineMax = numtext::kFloatFixedMax + kLineEndSize;
    if (char* out = stageRoom(stream, kLineMax)) {
        stage().next += floatLine(out, value);  // a float's text always fits
        return;
    }
    char line[kLineMax];
    std::size_t length = floatLine(line, value);
    if (length == 0 || !streamWrite(line, length, stream)) fail(sjis::kTextWriteFailed);
}

}  // namespace scenefile::detail

namespace scenefile::detail {

void writeBlock(const void* data, std::size_t length, std::FILE* stream, bool omitLength)
{
    if (length > 0xFFFFu) fail(sjis::kTextTooLong);  // checked before anything is written
    const bool binary = isBinary();
    if (char* out = binary ? nullptr : stageRoom(stream, 8 + length + kLineEndSize)) {
        // The text form in one step: "%d " (the length and a blank), the bytes, the line end.
        char* p = out;
        if (!omitLength) {
            p = std::to_chars(p, p + 8, length).ptr;
            *p++ = ' ';
        }
        if (length > 0) std::memcpy(p, data, length);
        std::memcpy(p + length, kLineEnd, kLineEndSize);
        stage().next = p + length + kLineEndSize;
        return;
    }
    if (!omitLength) {
        if (binary) {
            putUInt16(static_cast<std::uint16_t>(length), stream);
        } else {
            char prefix[16];  // "%d ": the length and one blank, no line end
            std::size_t size = numtext::formatInt(prefix, sizeof prefix - 1, static_cast<long long>(length));
            prefix[size++] = ' ';
            if (!streamWrite(prefix, size, stream)) fail(sjis::kTextOrBinaryWriteFailed);
        }
    }
    // The bytes go out unchanged in both encodings; a refusal is a text failure in both.
    if (length > 0 && !streamWrite(data, length, stream)) fail(sjis::kTextWriteFailed);
    if (!binary && !streamWrite(kLineEnd, kLineEndSize, stream)) fail(sjis::kTextWriteFailed);
}

}  // namespace scenefile::detail

void writeCount(std::size_t count, std::FILE* stream)
{
    if (count > 0xFFFFu) fail(sjis::kCountTooLarge);  // checked before anything is written
    putUInt16(static_cast<std::uint16_t>(count), stream);
}

// The public primitives: the library's own short path, out of line, for a program's record writers.
void WriteInt32(std::int32_t value, std::FILE* stream) { putInt32(value, stream); }
void WriteChar(char value, std::FILE* stream) { putChar(value, stream); }
void WriteByte(std::uint8_t value, std::FILE* stream) { putByte(value, stream); }
void WriteUInt16(std::uint16_t value, std::FILE* stream) { putUInt16(value, stream); }
void WriteInt16(std::int16_t value, std::FILE* stream) { putInt16(value, stream); }
void WriteFloat(float value, std::FILE* stream) { putFloat(value, stream); }
void WriteBlock(const void* data, std::size_t length, std::FILE* stream, bool omitLength)
{
    putBlock(data, length, stream, omitLength);
}

// ---------------------------------------------------------------------------------------------------
// The direct path: open for a binary save with a stage and no fault armed

void scenefile::detail::updateDirectStream()
{
    const bool open = g_stagedStream && g_stageSize > 0 && !faultArmed() && g_binaryMode != 0;
    stage().stream = open ? g_stagedStream : nullptr;
}

// ---------------------------------------------------------------------------------------------------
// Binary mode switch

std::int32_t binaryModeSwitch() { return g_binaryMode; }

void setBinaryModeSwitch(std::int32_t binary)
{
    g_binaryMode = binary;
    updateDirectStream();
}

// ---------------------------------------------------------------------------------------------------
// Write staging

namespace scenefile {

StagedStream::StagedStream(std::FILE* stream) : m_active(g_stagedStream == nullptr)
{
    if (!m_active) return;  // a save inside a save: the stage stays with the outer one
    g_stagedStream = stream;
    if (!g_stage) {
        // Without memory for the stage the primitives write straight to the stream.
        g_stage.reset(new (std::nothrow) char[kStageSize]);
        g_stageSize = g_stage ? kStageSize : 0;
    }
    stage().next = g_stage.get();
    stage().end = g_stage.get() + g_stageSize;
    updateDirectStream();
}

StagedStream::~StagedStream()
{
    if (!m_active) return;
    // What was not flushed is dropped (the save failed, its temporary goes anyway).
    stage().next = stage().end = nullptr;
    g_stagedStream = nullptr;
    updateDirectStream();
}

bool StagedStream::flush() { return !m_active || flushStage(); }

}  // namespace scenefile
