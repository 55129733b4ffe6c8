// EncodingDetail.h - the writer's short path: the primitives of cwscene/Encoding.h as the library's
// own record writers call them, inline, with the stage of the binary save in progress.
//
// Byte layer (scenefile/), private: the record writers of scene/ and Encoding.cpp include it by path;
// it is no part of the library's interface, so the stage below is no part of any program's contract.
// A large save is millions of values, so a binary value takes this path without a function call: while
// a binary save's stage (StagedStream) has room, its bytes go straight to the stage's end. Every other
// case, and every text value, goes through Encoding.cpp's general paths. The public Write* functions
// (Encoding.cpp) are these same functions, out of line.
#pragma once

#include <cwscene/Encoding.h>

#include <cstddef>  // size_t
#include <cstdint>  // int32_t, uint16_t ...
#include <cstdio>   // FILE
#include <cstring>  // memcpy

namespace scenefile::detail {

// The stage of the binary save in progress, when its values may go straight into it: the staged
// stream and the stage's free bytes [next, end). `stream` is null while no stage is active, while the
// text encoding is selected, and while a fault is armed for a test (each operation is then counted).
// Encoding.cpp keeps it up to date; nothing else writes it.
struct DirectStage {
    std::FILE* stream = nullptr;
    char* next = nullptr;
    char* end = nullptr;
};
// Defined once, in Encoding.cpp, not as an inline variable: the i686 mingw-w64 toolchain gives an
// inline variable's COMDAT section different sizes in different objects and warns at every link.
extern DirectStage g_directStage;

// Puts `Width` bytes of `bits`, least significant first, at the stage's end; false when the value
// must take the general path instead.
template <std::size_t Width>
inline bool putDirect(std::uint32_t bits, std::FILE* stream)
{
    char* next = g_directStage.next;
    if (stream != g_directStage.stream || static_cast<std::size_t>(g_directStage.end - next) < Width) return false;
    unsigned char bytes[Width];  // built aside and copied at once: one store on a little-endian machine
    for (std::size_t i = 0; i < Width; ++i) bytes[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xFFu);
    std::memcpy(next, bytes, Width);
    g_directStage.next = next + Width;
    return true;
}

// A short block in the binary encoding: its length (unless omitted) and bytes, at the stage's end.
inline bool putDirectBlock(const void* data, std::size_t length, bool omitLength, std::FILE* stream)
{
    constexpr std::size_t kShort = 256;  // names and tags; longer blocks take the general path
    char* next = g_directStage.next;
    if (stream != g_directStage.stream || length > kShort ||
        static_cast<std::size_t>(g_directStage.end - next) < 2 + kShort) {
        return false;
    }
    if (!omitLength) {
        const unsigned char prefix[2] = {static_cast<unsigned char>(length & 0xFFu), static_cast<unsigned char>(length >> 8)};
        std::memcpy(next, prefix, 2);
        next += 2;
    }
    std::memcpy(next, data, length);
    g_directStage.next = next + length;
    return true;
}

// The general paths (Encoding.cpp).
void writeBlock(const void* data, std::size_t length, std::FILE* stream, bool omitLength);
void writeInteger(long long value, std::size_t width, std::FILE* stream);
void writeChar(char value, std::FILE* stream);
void writeFloat(float value, std::FILE* stream);

}  // namespace scenefile::detail

// The primitives of cwscene/Encoding.h, each with the same bytes and failures as its Write* namesake.

inline void putInt32(std::int32_t value, std::FILE* stream)
{
    if (!scenefile::detail::putDirect<4>(static_cast<std::uint32_t>(value), stream)) {
        scenefile::detail::writeInteger(value, 4, stream);
    }
}

inline void putChar(char value, std::FILE* stream)
{
    if (!scenefile::detail::putDirect<1>(static_cast<unsigned char>(value), stream)) {
        scenefile::detail::writeChar(value, stream);
    }
}

inline void putByte(std::uint8_t value, std::FILE* stream)
{
    if (!scenefile::detail::putDirect<1>(value, stream)) scenefile::detail::writeInteger(value, 1, stream);
}

inline void putUInt16(std::uint16_t value, std::FILE* stream)
{
    if (!scenefile::detail::putDirect<2>(value, stream)) scenefile::detail::writeInteger(value, 2, stream);
}

inline void putInt16(std::int16_t value, std::FILE* stream)
{
    if (!scenefile::detail::putDirect<2>(static_cast<std::uint16_t>(value), stream)) {
        scenefile::detail::writeInteger(value, 2, stream);
    }
}

inline void putBlock(const void* data, std::size_t length, std::FILE* stream, bool omitLength)
{
    if (!scenefile::detail::putDirectBlock(data, length, omitLength, stream)) {
        scenefile::detail::writeBlock(data, length, stream, omitLength);
    }
}

inline void putFloat(float value, std::FILE* stream)
{
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof value, "IEEE 754 single precision expected");
    std::memcpy(&bits, &value, sizeof bits);
    if (!scenefile::detail::putDirect<4>(bits, stream)) scenefile::detail::writeFloat(value, stream);
}
