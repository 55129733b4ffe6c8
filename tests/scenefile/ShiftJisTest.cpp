// Tests for include/cwscene/ShiftJis.h, on both builds: iconv's tables and Windows' must agree.
#include <cwscene/ShiftJis.h>

#include "testutil/Hex.h"

#include <gtest/gtest.h>

namespace {

using testutil::fromHex;
using testutil::toHex;

// UTF-8 in, Shift-JIS out, and back.
TEST(ShiftJis, RoundTrips)
{
    struct Row {
        const char* utf8;
        const char* sjisHex;
    };
    const Row rows[] = {
        {"", ""},
        {"A-1", "41 2D 31"},
        {"1階", "31 8A 4B"},
        {"エクステリア", "83 47 83 4E 83 58 83 65 83 8A 83 41"},
        {"基礎・敷地", "8A EE 91 62 81 45 95 7E 92 6E"},
        {"ｶﾅ", "B6 C5"},                // half-width katakana: one byte each
        {"①～￢", "87 40 81 60 81 CA"},  // NEC and IBM extensions of code page 932
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.utf8);
        std::optional<std::string> sjis = cwscene::fromUtf8(row.utf8);
        ASSERT_TRUE(sjis.has_value());
        EXPECT_EQ(toHex(*sjis), row.sjisHex);
        EXPECT_EQ(cwscene::toUtf8(fromHex(row.sjisHex)), row.utf8);
        EXPECT_TRUE(cwscene::isShiftJis(*sjis));
    }
}

// The JIS forms of the six characters the tables map differently arrive as code page 932's. What has
// no code, and what is not UTF-8, is refused.
TEST(ShiftJis, FromUtf8TakesTheJisFormsAndRefusesWhatHasNoCode)
{
    EXPECT_EQ(toHex(cwscene::fromUtf8("〜‖−¢£¬").value_or("refused")), "81 60 81 61 81 7C 81 91 81 92 81 CA");
    for (const char* text : {"\xF0\x9F\x98\x80", "caf\xC3\xA9", "\xC3", "a\xFF"}) {  // 😀, café, cut, stray
        SCOPED_TRACE(toHex(text));
        EXPECT_FALSE(cwscene::fromUtf8(text).has_value());
    }
}

// A damaged name shows what it can: a byte that begins no character is U+FFFD, and the rest follows.
TEST(ShiftJis, ToUtf8ReplacesWhatIsNotShiftJis)
{
    struct Row {
        const char* sjisHex;
        const char* utf8;
    };
    const Row rows[] = {
        {"31 8A", "1\xEF\xBF\xBD"},          // a lead byte without its trail byte
        {"80 41", "\xEF\xBF\xBD" "A"},       // a byte that leads nothing
        {"8A 4B 8A", "\xE9\x9A\x8E\xEF\xBF\xBD"},  // 階, then a lead byte cut off
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sjisHex);
        EXPECT_EQ(cwscene::toUtf8(fromHex(row.sjisHex)), row.utf8);
        EXPECT_FALSE(cwscene::isShiftJis(fromHex(row.sjisHex)));
    }
}

// isShiftJis answers from a table of the characters it has met; the conversion of the whole text must
// agree for every byte and every pair of bytes, alone and after a character already in the table.
TEST(ShiftJis, IsShiftJisAgreesWithTheConversionForEveryPairOfBytes)
{
    const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD: toUtf8's mark of a byte it could not take
    const std::string kai = fromHex("8A 4B");         // 階
    int mismatches = 0;
    for (int first = 0; first < 256; ++first) {
        for (int second = -1; second < 256; ++second) {
            std::string text(1, static_cast<char>(first));
            if (second >= 0) text += static_cast<char>(second);
            for (const std::string& sjis : {text, kai + text}) {
                const bool converted = cwscene::toUtf8(sjis).find(replacement) == std::string::npos;
                if (cwscene::isShiftJis(sjis) != converted && ++mismatches <= 5) ADD_FAILURE() << toHex(sjis);
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
