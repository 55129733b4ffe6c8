// Hex.cpp - hex golden strings and dumps for the byte-layout tests.
#include "testutil/Hex.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace testutil {

std::string fromHex(std::string_view hex)
{
    std::string bytes;
    int high = -1;
    for (std::size_t i = 0; i < hex.size(); ++i) {
        char c = hex[i];
        if (c == '#') {
            while (i < hex.size() && hex[i] != '\n') ++i;
            continue;
        }
        if (c == ' ' || c == '\n' || c == '\t' || c == '\r') continue;
        int nibble = (c >= '0' && c <= '9') ? c - '0'
                   : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                   : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                            : -1;
        if (nibble < 0) {
            ADD_FAILURE() << "fromHex: not a hex digit '" << c << "' at " << i;
            return bytes;
        }
        if (high < 0) {
            high = nibble;
        } else {
            bytes.push_back(static_cast<char>(high * 16 + nibble));
            high = -1;
        }
    }
    if (high >= 0) ADD_FAILURE() << "fromHex: odd number of hex digits";
    return bytes;
}

std::string toHex(std::string_view bytes)
{
    std::string out;
    char cell[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(cell, sizeof cell, "%02X", static_cast<unsigned char>(bytes[i]));
        if (i) out.push_back(' ');
        out += cell;
    }
    return out;
}

std::string hexDump(std::string_view bytes)
{
    std::ostringstream out;
    char line[96];
    for (std::size_t row = 0; row < bytes.size(); row += 16) {
        int n = std::snprintf(line, sizeof line, "%06zx ", row);
        std::string ascii;
        for (std::size_t i = row; i < row + 16; ++i) {
            if (i < bytes.size()) {
                unsigned char b = static_cast<unsigned char>(bytes[i]);
                n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), " %02X", b);
                ascii.push_back(b >= 0x20 && b < 0x7F ? static_cast<char>(b) : '.');
            } else {
                n += std::snprintf(line + n, sizeof line - static_cast<std::size_t>(n), "   ");
            }
        }
        out << line << "  " << ascii << '\n';
    }
    return out.str();
}

::testing::AssertionResult bytesEqual(const char* actualExpr, const char* expectedExpr, const std::string& actual,
                                      const std::string& expected)
{
    if (actual == expected) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure()
           << actualExpr << " differs from " << expectedExpr << " at offset " << at << " (0x" << std::hex << at
           << std::dec << "); sizes " << actual.size() << " and " << expected.size() << "\nactual:\n"
           << hexDump(actual) << "expected:\n"
           << hexDump(expected);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool fileExists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(path), ignored);
}

void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TempDir::TempDir()
{
    std::random_device seed;
    std::mt19937 random(seed());
    std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        std::filesystem::path candidate = base / ("skipfloor-test-" + std::to_string(random()));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            m_path = candidate.u8string();
            return;
        }
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::u8path(m_path), ignored);
}

}  // namespace testutil
