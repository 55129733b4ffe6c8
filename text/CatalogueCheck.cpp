// CatalogueCheck.cpp - the checks on a compiled message catalogue (see CatalogueCheck.h).
//
// The layout (GNU gettext's .mo), 32-bit words in the file's byte order, which the magic number tells:
//     0  magic 0x950412DE     4  revision       8  N, the number of strings
//    12  O, the originals' table                16  T, the translations' table
//    20  S, the hash table's size               24  H, the hash table's offset
// A table holds N pairs (length, offset); a string is `length` bytes at `offset` and a NUL after
// them. The hash table holds S words: 0 for an empty slot, else 1 + a string's index. The C library
// probes it by steps of 1 + hash % (S - 2), which reach every slot only when S is prime, and it stops
// only at the string or at an empty slot.
#include "text/CatalogueCheck.h"

#include <cstdint>

namespace messages {

namespace {

constexpr std::uint32_t kMagic = 0x950412DE;
constexpr std::size_t kHeaderSize = 28;

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool swapped = false;

    std::uint32_t word(std::uint64_t at) const
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto byte = static_cast<unsigned char>(m_bytes[static_cast<std::size_t>(at) + static_cast<std::size_t>(i)]);
            value |= static_cast<std::uint32_t>(byte) << (swapped ? 8 * (3 - i) : 8 * i);
        }
        return value;
    }
    bool fits(std::uint64_t at, std::uint64_t length) const { return at <= m_bytes.size() && length <= m_bytes.size() - at; }
    std::string_view text(std::uint32_t at, std::uint32_t length) const { return m_bytes.substr(at, length); }

private:
    std::string_view m_bytes;
};

bool isPrime(std::uint32_t value)
{
    if (value < 3) return false;
    for (std::uint32_t divisor = 2; divisor <= value / divisor; ++divisor)
        if (value % divisor == 0) return false;
    return true;
}

// Every string of a table inside the file and followed by its NUL.
const char* tableProblem(const Reader& file, std::uint32_t table, std::uint32_t count)
{
    if (table % 4 != 0 || !file.fits(table, std::uint64_t{count} * 8)) return "a string table lies outside the file";
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t length = file.word(table + std::uint64_t{i} * 8), at = file.word(table + std::uint64_t{i} * 8 + 4);
        if (!file.fits(at, std::uint64_t{length} + 1)) return "a string runs past the end";
        if (file.text(at + length, 1)[0] != '\0') return "a string has no terminating NUL";
    }
    return nullptr;
}

// The plural formula of the header ("Plural-Forms: nplurals=2; plural=(n != 1);"): only n, numbers,
// blanks, parentheses and operators, balanced, and every '/' and '%' followed by a number that is not
// zero, so that evaluating it can never divide by zero.
const char* pluralProblem(std::string_view header)
{
    const std::size_t line = header.find("Plural-Forms:");
    if (line == std::string_view::npos) return nullptr;
    const std::size_t start = header.find("plural=", line);
    if (start == std::string_view::npos) return nullptr;
    const std::string_view formula = header.substr(start + 7, header.find_first_of(";\n", start) - (start + 7));
    if (formula.size() > 512) return "the plural formula is too long";
    int depth = 0;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const char c = formula[i];
        if (std::string_view("n0123456789 \t?:<>=!&|+-*/%").find(c) == std::string_view::npos) {
            if (c == '(') ++depth;
            else if (c == ')') --depth;
            else return "the plural formula holds a character it may not";
            if (depth < 0 || depth > 64) return "the plural formula's parentheses do not match";
        }
        if (c != '/' && c != '%') continue;
        std::size_t digit = formula.find_first_not_of(" \t", i + 1);
        if (digit == std::string_view::npos || formula[digit] < '0' || formula[digit] > '9') {
            return "the plural formula divides by something other than a number";
        }
        const std::size_t end = formula.find_first_not_of("0123456789", digit);
        if (formula.substr(digit, end - digit).find_first_not_of('0') == std::string_view::npos) {
            return "the plural formula divides by zero";
        }
    }
    return depth == 0 ? nullptr : "the plural formula's parentheses do not match";
}

}  // namespace

std::string catalogueProblem(std::string_view bytes)
{
    if (bytes.size() < kHeaderSize) return "shorter than a catalogue's header";
    Reader file(bytes);
    if (file.word(0) != kMagic) {
        file.swapped = true;
        if (file.word(0) != kMagic) return "not a message catalogue";
    }
    if (file.word(4) != 0) return "a revision this program does not read";
    const std::uint32_t count = file.word(8), originals = file.word(12), translations = file.word(16);
    const std::uint32_t hashSize = file.word(20), hashTable = file.word(24);
    if (const char* problem = tableProblem(file, originals, count)) return problem;
    if (const char* problem = tableProblem(file, translations, count)) return problem;

    if (hashSize != 0) {
        if (!isPrime(hashSize)) return "a hash table whose size is not a prime";
        if (hashTable % 4 != 0 || !file.fits(hashTable, std::uint64_t{hashSize} * 4)) return "the hash table lies outside the file";
        bool empty = false;
        for (std::uint32_t i = 0; i < hashSize; ++i) {
            const std::uint32_t entry = file.word(hashTable + std::uint64_t{i} * 4);
            if (entry > count) return "the hash table names a string that is not there";
            empty = empty || entry == 0;
        }
        if (!empty) return "a hash table without an empty slot";
    }

    // The header is the translation of the empty original.
    for (std::uint32_t i = 0; i < count; ++i) {
        if (file.word(originals + std::uint64_t{i} * 8) != 0) continue;
        const std::uint64_t entry = translations + std::uint64_t{i} * 8;
        if (const char* problem = pluralProblem(file.text(file.word(entry + 4), file.word(entry)))) return problem;
    }
    return std::string();
}

}  // namespace messages
