// IfcGlobalId.h - GlobalIds for the IFC export that are the same for the same input, so that two
// exports of one scene file can be diffed: each is derived from a digest of the scene file's bytes
// and the object's path in the scene (never from a clock or a random source), and written as IFC's
// 22 characters.
// Tool layer.
//
// The 128 bits are two 64-bit FNV-1a hashes of (content digest, path), with different offset bases,
// each passed through a 64-bit mixer; the version and variant bits of an RFC 9562 UUID of version 8
// (the version for UUIDs made by an application's own method) are then set. IFC writes the 128 bits
// as 22 digits of base 64, most significant first, in its own alphabet
// "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$" (so the first digit is 0 to 3).
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace cwstool {

// The 22 characters of a 128-bit value, high word first.
std::string ifcGlobalIdText(std::uint64_t high, std::uint64_t low);

class GlobalIds {
public:
    explicit GlobalIds(std::string_view content);

    // The GlobalId of the object at `path`. Different from every id this object gave before: should
    // two paths hash alike (or one path be asked twice), the later one is hashed again with a counter.
    std::string operator()(std::string_view path);

private:
    std::uint64_t m_digest;
    std::set<std::string> m_issued;
};

}  // namespace cwstool
