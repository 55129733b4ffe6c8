// IfcGlobalId.h - GlobalIds for the IFC export that stay with an object from one export to the next:
// each is derived from the project's identity (a text, the scene's name unless the user gives one)
// and the object's role in it ("storey/中2階", "slab/2階", a box's place in the frame tree), never from
// the dimensions, a clock or a random source, and written as IFC's 22 characters. A BIM tool that
// imports the model again after a change of dimensions finds the same objects.
// Tool layer.
//
// The 128 bits are two 64-bit FNV-1a hashes of (identity digest, role), with different offset bases,
// each passed through a 64-bit mixer; the version and variant bits of an RFC 9562 UUID of version 8
// (the version for UUIDs made by an application's own method) are then set. Two roles meet in one
// GlobalId only by a collision of 122 well-mixed bits; nothing is kept per id, so that the export's
// memory does not grow with the number of objects. IFC writes the 128 bits
// as 22 digits of base 64, most significant first, in its own alphabet
// "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$" (so the first digit is 0 to 3).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cwstool {

// The 22 characters of a 128-bit value, high word first.
std::string ifcGlobalIdText(std::uint64_t high, std::uint64_t low);

class GlobalIds {
public:
    explicit GlobalIds(std::string_view identity);

    // The GlobalId of the object with this role in the project: the same role, the same id.
    std::string operator()(std::string_view role) const;

private:
    std::string m_seed;  // the identity's digest, as 8 bytes, that every role is appended to
};

}  // namespace cwstool
