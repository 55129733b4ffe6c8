// RecordFields.h - small writers for the fields that recur in records: a tag, a counted name, a
// coordinate triple, a counted list. Each is a fixed sequence of primitives (scenefile/EncodingDetail.h).
//
// Portable: standard C++ only. Internal to cwscene (the record writers of scene/ and scenefile/).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include <cwscene/ScriptObject.h>
#include "scenefile/EncodingDetail.h"

// A four-letter chunk tag, no length prefix: "PART" is 50 41 52 54 (text: the line PART).
inline void writeTag(const char (&tag)[5], std::FILE* stream) { putBlock(tag, 4, stream, kOmitLength); }

// A name or file name in the counted form: "A" is 01 00 41 (text: the line "1 A").
inline void writeName(const CWString& text, std::FILE* stream)
{
    std::string_view bytes = text.view();
    putBlock(bytes.data(), bytes.size(), stream, kWithLength);
}

inline void writeCoord(const CWCoord& coord, std::FILE* stream)
{
    putFloat(coord.m_x, stream);
    putFloat(coord.m_y, stream);
    putFloat(coord.m_z, stream);
}

// The count, then every value.
inline void writeFloatList(const std::vector<float>& values, std::FILE* stream)
{
    writeCount(values.size(), stream);
    for (float value : values) putFloat(value, stream);
}

inline void writeUInt16List(const std::vector<std::uint16_t>& values, std::FILE* stream)
{
    writeCount(values.size(), stream);
    for (std::uint16_t value : values) putUInt16(value, stream);
}

// A lock word as recorded: the complement of its low three bits, i.e. 7 minus (word AND 7).
inline std::uint16_t lockBits(std::uint32_t lockWord) { return static_cast<std::uint16_t>(~lockWord & 7u); }
