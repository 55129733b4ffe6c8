// Encoding.cpp - the seven primitives, the binary mode switch, the error chain and the fault hook
// (see Encoding.h).
//
// Portable: standard C++ only. Every stream operation of the scene file passes through streamWrite,
// which is where the test hook makes a chosen operation fail. Numbers become text only through
// scenefile/NumberText.h, so both builds print the same bytes whatever the C runtime and locale.
#include "scenefile/Encoding.h"

#include <cstring>   // memcpy
#include <memory>    // unique_ptr
#include <new>       // std::bad_alloc, std::nothrow
#include <optional>
#include <vector>

#include "scenefile/ErrorTexts.h"
#include "scenefile/NumberText.h"

namespace {

std::int32_t g_binaryMode = 1;           // 1 binary, 0 text; binary from program start
std::optional<std::string> g_errorChain;  // none until the first AppendError

long g_failAt = 0;          // fault hook: the operation number that fails; 0 = none
long g_operationCount = 0;  // operations since the hook was last set

constexpr char kLineEnd[] = "\r\n";  // the text encoding's line end, on every platform
constexpr std::size_t kLineEndSize = 2;
constexpr char kSeparator[] = "-> ";

// Write staging (StagedStream): the stream being staged, and the bytes collected for it.
constexpr std::size_t kStageSize = 256 * 1024;
std::FILE* g_stagedStream = nullptr;
// The stage, allocated at the first staged save and kept; left uninitialised, it is only read up
// to g_stageUsed. g_stageSize is 0 when it could not be allocated.
std::unique_ptr<char[]> g_stage;
std::size_t g_stageSize = 0;
std::size_t g_stageUsed = 0;

bool flushStage()
{
    if (g_stageUsed == 0) return true;
    const bool ok = std::fwrite(g_stage.get(), g_stageUsed, 1, g_stagedStream) == 1;
    g_stageUsed = 0;
    return ok;
}

// One stream operation: `size` bytes as one item. False when the stream refuses it (or the fault hook
// says so). Never called with size 0. On a staged stream a refusal shows when the stage is handed
// on, as it would with the stream's own buffer.
bool streamWrite(const void* data, std::size_t size, std::FILE* stream)
{
    ++g_operationCount;
    if (g_failAt != 0 && g_operationCount == g_failAt) return false;
    if (stream != g_stagedStream || g_stageSize == 0) return std::fwrite(data, size, 1, stream) == 1;
    if (g_stageUsed + size <= g_stageSize && size <= 4) {
        // The common case, one value of a fixed width: copies the compiler turns into single moves.
        char* out = g_stage.get() + g_stageUsed;
        switch (size) {
        case 4: std::memcpy(out, data, 4); break;
        case 2: std::memcpy(out, data, 2); break;
        default: std::memcpy(out, data, size); break;
        }
        g_stageUsed += size;
        return true;
    }
    if (g_stageUsed + size > g_stageSize && !flushStage()) return false;
    if (size > g_stageSize) return std::fwrite(data, size, 1, stream) == 1;
    std::memcpy(g_stage.get() + g_stageUsed, data, size);
    g_stageUsed += size;
    return true;
}

bool isBinary() { return g_binaryMode != 0; }

[[noreturn]] void fail(const char* text) { throw WriteFailure(text); }

// Binary: `width` bytes of `bits`, least significant first.
void writeLittleEndian(std::uint32_t bits, std::size_t width, std::FILE* stream)
{
    unsigned char bytes[4];
    for (std::size_t i = 0; i < width; ++i) bytes[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xFFu);
    if (!streamWrite(bytes, width, stream)) fail(sjis::kBinaryWriteFailed);
}

// Text: a decimal integer and the line end, as one operation ("%d\n").
void writeIntLine(long long value, std::FILE* stream)
{
    char line[32];
    std::size_t length = numtext::formatInt(line, sizeof line - kLineEndSize, value);
    std::memcpy(line + length, kLineEnd, kLineEndSize);
    if (length == 0 || !streamWrite(line, length + kLineEndSize, stream)) fail(sjis::kTextWriteFailed);
}

// Either encoding of an integer: `width` little-endian bytes of its two's complement, or its line.
void writeInteger(long long value, std::size_t width, std::FILE* stream)
{
    if (isBinary())
        writeLittleEndian(static_cast<std::uint32_t>(value), width, stream);
    else
        writeIntLine(value, stream);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Primitives

void WriteInt32(std::int32_t value, std::FILE* stream) { writeInteger(value, 4, stream); }
void WriteByte(std::uint8_t value, std::FILE* stream) { writeInteger(value, 1, stream); }
void WriteUInt16(std::uint16_t value, std::FILE* stream) { writeInteger(value, 2, stream); }
void WriteInt16(std::int16_t value, std::FILE* stream) { writeInteger(value, 2, stream); }

void WriteChar(char value, std::FILE* stream)
{
    if (isBinary()) {
        if (!streamWrite(&value, 1, stream)) fail(sjis::kBinaryWriteFailed);
        return;
    }
    const char line[3] = {value, kLineEnd[0], kLineEnd[1]};  // "%c\n"
    if (!streamWrite(line, sizeof line, stream)) fail(sjis::kTextWriteFailed);
}

void WriteFloat(float value, std::FILE* stream)
{
    if (isBinary()) {
        std::uint32_t bits;
        static_assert(sizeof bits == sizeof value, "IEEE 754 single precision expected");
        std::memcpy(&bits, &value, sizeof bits);
        writeLittleEndian(bits, 4, stream);
        return;
    }
    // "%f\n": the value widened to double, six decimals.
    char line[numtext::kFloatFixedMax + kLineEndSize];
    std::size_t length = numtext::formatFloatFixed6(line, numtext::kFloatFixedMax, value);
    std::memcpy(line + length, kLineEnd, kLineEndSize);
    if (length == 0 || !streamWrite(line, length + kLineEndSize, stream)) fail(sjis::kTextWriteFailed);
}

void WriteBlock(const void* data, std::size_t length, std::FILE* stream, bool omitLength)
{
    if (length > 0xFFFFu) fail(sjis::kTextTooLong);  // checked before anything is written
    const bool binary = isBinary();
    if (!omitLength) {
        if (binary) {
            WriteUInt16(static_cast<std::uint16_t>(length), stream);
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

void writeCount(std::size_t count, std::FILE* stream)
{
    if (count > 0xFFFFu) fail(sjis::kCountTooLarge);  // checked before anything is written
    WriteUInt16(static_cast<std::uint16_t>(count), stream);
}

// ---------------------------------------------------------------------------------------------------
// Binary mode switch

std::int32_t binaryModeSwitch() { return g_binaryMode; }
void setBinaryModeSwitch(std::int32_t binary) { g_binaryMode = binary; }

// ---------------------------------------------------------------------------------------------------
// Error chain

void AppendError(const char* message)
{
    if (!message) return;
    try {
        if (!g_errorChain) {
            g_errorChain.emplace(message);
            return;
        }
        // Build the longer chain aside, so that a failed allocation keeps the chain as it was.
        std::string joined;
        joined.reserve(g_errorChain->size() + sizeof kSeparator - 1 + std::strlen(message));
        joined.append(*g_errorChain).append(kSeparator).append(message);
        g_errorChain->swap(joined);
    } catch (const std::bad_alloc&) {
        // ignored: when memory runs out the message is lost, never the save's result
    }
}

const char* errorChain() { return g_errorChain ? g_errorChain->c_str() : nullptr; }

void releaseErrorChain() { g_errorChain.reset(); }

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
}

StagedStream::~StagedStream()
{
    if (!m_active) return;
    g_stageUsed = 0;  // not flushed: dropped (the save failed, its temporary goes anyway)
    g_stagedStream = nullptr;
}

bool StagedStream::flush() { return !m_active || flushStage(); }

}  // namespace scenefile

// ---------------------------------------------------------------------------------------------------
// Fault simulation

namespace scenefile::testing {

void failStreamOperation(long nth)
{
    g_failAt = nth;
    g_operationCount = 0;
}

long streamOperationCount() { return g_operationCount; }

}  // namespace scenefile::testing
