// Tests for text/CatalogueCheck.h: a catalogue the C library would crash or hang on is told apart
// from a sound one, from bytes written by hand.
#include "text/CatalogueCheck.h"

#include "testutil/Hex.h"

#include <gtest/gtest.h>

namespace {

using testutil::fromHex;

// A sound catalogue of two strings, the header ("" -> its 40 bytes) and "Hello" -> "Hi!", with a hash
// table of three slots; `header` stands in for the header's 40 bytes.
std::string catalogue(const std::string& header = "Plural-Forms: nplurals=1; plural=0;    \n")
{
    return fromHex("DE 12 04 95  00 00 00 00  02 00 00 00"  //  0: magic, revision 0, two strings
                   "1C 00 00 00  2C 00 00 00"               // 12: originals at 28, translations at 44
                   "03 00 00 00  3C 00 00 00"               // 20: a hash table of 3 slots at 60
                   "00 00 00 00  48 00 00 00"               // 28: "" at 72
                   "05 00 00 00  49 00 00 00"               // 36: "Hello" at 73
                   "28 00 00 00  4F 00 00 00"               // 44: the header's 40 bytes at 79
                   "03 00 00 00  78 00 00 00"               // 52: "Hi!" at 120
                   "01 00 00 00  00 00 00 00  02 00 00 00"  // 60: the hash table, one slot empty
                   "00  48 65 6C 6C 6F 00") +               // 72: "", "Hello"
           header + fromHex("00  48 69 21 00");             // 79: the header, then "Hi!"
}

// `bytes` with `hex` written over them at `at`.
std::string patched(std::size_t at, const char* hex)
{
    std::string bytes = catalogue();
    const std::string patch = fromHex(hex);
    return bytes.replace(at, patch.size(), patch);
}

TEST(CatalogueCheck, RefusesWhatTheCLibraryCannotReadSafely)
{
    const struct {
        const char* what;
        std::string bytes;
        const char* problem;  // a part of the problem said, "" for a sound catalogue
    } rows[] = {
        {"sound", catalogue(), ""},
        {"no hash table", patched(20, "00 00 00 00"), ""},
        {"a plural formula dividing by ten", catalogue("Plural-Forms: nplurals=2; plural=n%10; \n"), ""},
        {"shorter than the header", catalogue().substr(0, 20), "shorter"},
        {"another magic number", patched(0, "DE 12 04 96"), "not a message catalogue"},
        {"revision 1", patched(4, "01 00 00 00"), "revision"},
        {"the originals' table past the end", patched(12, "70 00 00 00"), "outside the file"},
        {"a string past the end", patched(40, "FF FF FF 7F"), "runs past the end"},
        {"a length past the end", patched(52, "FF FF FF FF"), "runs past the end"},
        {"a string without its NUL", patched(78, "21"), "no terminating NUL"},
        {"a hash table of four slots", patched(20, "04 00 00 00"), "not a prime"},
        {"a hash table of two slots", patched(20, "02 00 00 00"), "not a prime"},
        {"a hash table past the end", patched(24, "78 00 00 00"), "outside the file"},
        {"a full hash table", patched(64, "01 00 00 00"), "empty slot"},
        {"a hash entry beyond the strings", patched(68, "03 00 00 00"), "not there"},
        {"a plural formula dividing by zero", catalogue("Plural-Forms: nplurals=2; plural=n%0;  \n"), "by zero"},
        {"a plural formula dividing by n", catalogue("Plural-Forms: nplurals=2; plural=n/n;  \n"), "other than a number"},
        {"a plural formula left open", catalogue("Plural-Forms: nplurals=2; plural=(n;   \n"), "parentheses"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string problem = messages::catalogueProblem(row.bytes);
        if (*row.problem == '\0') EXPECT_EQ(problem, "");
        else EXPECT_NE(problem.find(row.problem), std::string::npos) << problem;
    }
}

}  // namespace
