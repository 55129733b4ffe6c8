// Hex.h - test helpers for byte layouts: hex golden strings, hex dumps, file bytes.
#pragma once

#include <string>
#include <string_view>

namespace testutil {

// "07 00 90 56" -> the four bytes. Blanks and line breaks are ignored; '#' starts a comment that runs
// to the end of the line, so golden strings can be annotated. A malformed string fails the test.
std::string fromHex(std::string_view hex);

// Spaced upper-case hex of the bytes: "07 00 90 56".
std::string toHex(std::string_view bytes);

// An offset / hex / ASCII dump, 16 bytes a line, for failure messages.
std::string hexDump(std::string_view bytes);

// The whole content of a file ("" when it cannot be read) and whether it exists.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void writeFile(const std::string& path, std::string_view bytes);

// A fresh empty directory under the system's temporary folder, removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

}  // namespace testutil

// EXPECT_BYTES(actual, expectedHex): compares bytes and prints both as hex dumps on a mismatch, with
// the offset of the first difference.
#define EXPECT_BYTES(actual, expectedHex) \
    EXPECT_PRED_FORMAT2(::testutil::bytesEqual, actual, ::testutil::fromHex(expectedHex))

// EXPECT_SAME_BYTES(actual, expectedBytes): the same, with the expected bytes given as bytes.
#define EXPECT_SAME_BYTES(actual, expectedBytes) EXPECT_PRED_FORMAT2(::testutil::bytesEqual, actual, expectedBytes)

#include <gtest/gtest.h>

namespace testutil {
::testing::AssertionResult bytesEqual(const char* actualExpr, const char* expectedExpr, const std::string& actual,
                                      const std::string& expected);
}
