// IfcGlobalId.cpp - reproducible IFC GlobalIds (see IfcGlobalId.h).
#include "tools/cwstool/export/ifc/IfcGlobalId.h"

namespace cwstool {

namespace {

constexpr std::uint64_t kFnvPrime = 0x100000001B3ull;
constexpr std::uint64_t kFnvOffsetBasis = 0xCBF29CE484222325ull;  // FNV-1a's own
constexpr std::uint64_t kSecondBasis = 0x84222325CBF29CE4ull;     // the same halves swapped

std::uint64_t fnv1a(std::uint64_t hash, std::string_view bytes)
{
    for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
    return hash;
}

// splitmix64's finaliser: every input bit reaches every output bit.
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::string digestBytes(std::uint64_t digest)
{
    std::string bytes;
    for (int shift = 56; shift >= 0; shift -= 8) bytes += static_cast<char>((digest >> shift) & 0xFF);
    return bytes;
}

}  // namespace

std::string ifcGlobalIdText(std::uint64_t high, std::uint64_t low)
{
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";
    std::string text(22, '0');
    // Digit 21 holds the lowest 6 bits; digit 0 the highest 2 (128 = 2 + 21 * 6).
    for (int digit = 21; digit >= 0; --digit) {
        text[static_cast<std::size_t>(digit)] = kDigits[low & 0x3F];
        low = (low >> 6) | (high << 58);
        high >>= 6;
    }
    return text;
}

GlobalIds::GlobalIds(std::string_view identity) : m_seed(digestBytes(fnv1a(kFnvOffsetBasis, identity))) {}

std::string GlobalIds::operator()(std::string_view role) const
{
    std::string key = m_seed;
    key += role;
    std::uint64_t high = mix(fnv1a(kFnvOffsetBasis, key));
    std::uint64_t low = mix(fnv1a(kSecondBasis, key));
    high = (high & ~0xF000ull) | 0x8000ull;                       // version 8: bits 48-51 of the UUID
    low = (low & 0x3FFFFFFFFFFFFFFFull) | 0x8000000000000000ull;  // variant 10: bits 64-65
    return ifcGlobalIdText(high, low);
}

}  // namespace cwstool
