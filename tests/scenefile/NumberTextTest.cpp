// Tests for scenefile/NumberText: the one place where numbers become text and back.
#include <cwscene/NumberText.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Fixed notation: the awkward values are where two C runtimes would disagree first.
TEST(NumberText, FormatFixed)
{
    struct Row { double value; int decimals; const char* expected; };
    const Row rows[] = {
        {1000.0, 6, "1000.000000"},  {-1.0, 6, "-1.000000"},  {0.0, 0, "0"},
        {12.5, 1, "12.5"},           {1.005, 3, "1.005"},     {2.9999999, 3, "3.000"},
        {-0.35, 2, "-0.35"},         {0.0001, 3, "0.000"},    {0.07, 2, "0.07"},
        {-50.0, 6, "-50.000000"},    {1e20, 0, "100000000000000000000"},
        // An exact tie rounds away from zero, as the target runtime prints it; to_chars alone would
        // give "2", "0.062", "-0.062" and "1.12".
        {2.5, 0, "3"},               {3.5, 0, "4"},           {0.0625, 3, "0.063"},
        {-0.0625, 3, "-0.063"},      {1.125, 2, "1.13"},      {-0.5, 0, "-1"},
        // Only exact ties: one step below 0.0625 still rounds down, and 2.35 (really 2.35000000000000008)
        // rounds to nearest.
        {0.062499999999999993, 3, "0.062"},                   {2.35, 1, "2.4"},
        {-0.0001, 3, "-0.000"},      {-0.0, 0, "-0"},         // the sign stays, as "%f" keeps it
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        char buffer[64];
        std::size_t length = numtext::formatFixed(buffer, sizeof buffer, row.value, row.decimals);
        EXPECT_STREQ(buffer, row.expected);
        EXPECT_EQ(length, std::strlen(row.expected));
    }
}

// The text encoding's float conversion takes an integer path; it must give the general conversion's
// text for every float. Ties (2^-7 = 0.0078125 scales to 7812.5) round away from zero, like "%f" of
// the target runtime.
TEST(NumberText, FloatFixedSixMatchesTheGeneralConversion)
{
    struct Row { float value; const char* expected; };
    const Row rows[] = {
        {0.0f, "0.000000"},           {-0.0f, "-0.000000"},      {1000.0f, "1000.000000"},
        {-50.0f, "-50.000000"},       {0.1f, "0.100000"},        {0.0078125f, "0.007813"},
        {0.0234375f, "0.023438"},     {-1e-7f, "-0.000000"},     {16777216.0f, "16777216.000000"},
        {-0.0078125f, "-0.007813"},
        {4.5e12f, "4500000079872.000000"},                       // the integer path's last stretch
        {5e12f, "4999999913984.000000"},                         // past the integer path's range
        {3.4028235e38f, "340282346638528859811704183484516925440.000000"},
    };
    char buffer[numtext::kFloatFixedMax];
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(numtext::formatFloatFixed6(buffer, sizeof buffer, row.value), std::strlen(row.expected));
        EXPECT_STREQ(buffer, row.expected);
    }

    // A deterministic sweep over float bit patterns, every exponent included.
    char expected[numtext::kFloatFixedMax];
    std::uint32_t bits = 12345;
    for (int i = 0; i < 200000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        float value;
        std::memcpy(&value, &bits, sizeof value);
        std::size_t length = numtext::formatFloatFixed6(buffer, sizeof buffer, value);
        std::size_t expectedLength = numtext::formatFixed(expected, sizeof expected, static_cast<double>(value), 6);
        ASSERT_EQ(length, expectedLength) << std::hex << bits;
        ASSERT_STREQ(buffer, expected) << std::hex << bits;
    }
}

TEST(NumberText, FormatGeneralFifteenDigits)
{
    struct Row { double value; const char* expected; };
    const Row rows[] = {{400.0, "400"}, {1450.0, "1450"}, {12.5, "12.5"}, {0.1, "0.1"},
                        {-3.25, "-3.25"}, {1e20, "1e+020"}, {123456789012345678.0, "1.23456789012346e+017"},
                        {1.5e-7, "1.5e-007"}, {1e300, "1e+300"},
                        // Ties away from zero at the fifteenth digit, left and right of the point.
                        {1234567890123.125, "1234567890123.13"}, {1000000000000005.0, "1.00000000000001e+015"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(numtext::general(row.value), row.expected);
    }
}

// An exact tie rounds away from zero also where a double's step is coarser than half the last digit
// kept, so that no double lies between the tie and the next rounding boundary. Found by
// fuzz_number_text (2026-12): 2222222222222222.25 printed with 17 digits as ...222.5, and the
// 17-digit form no longer read back as the same double.
TEST(NumberText, TiesWhereADoubleStepsCoarserThanTheLastDigit)
{
    struct Row { double value; char format; int digits; const char* expected; };
    const Row rows[] = {
        {2222222222222222.25, 'g', 17, "2222222222222222.3"},   // step 0.25, tie at 0.05
        {999999999999999.875, 'g', 17, "999999999999999.88"},   // step 0.125; not "1000000000000000"
        {10000000000000.0625, 'f', 3, "10000000000000.063"},    // step 2^-9, tie at 0.0005
        // Where the step is fine, the same rule: carries into a new digit, a new exponent, below 1.
        {-99.5, 'f', 0, "-100"},  {9.5, 'g', 1, "1e+001"},  {0.000244140625, 'g', 8, "0.00024414063"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        char buffer[64];
        const std::size_t length = row.format == 'f' ? numtext::formatFixed(buffer, sizeof buffer, row.value, row.digits)
                                                     : numtext::formatGeneral(buffer, sizeof buffer, row.value, row.digits);
        EXPECT_STREQ(buffer, row.expected);
        EXPECT_EQ(length, std::strlen(row.expected));
    }
}

TEST(NumberText, RefusesWhatDoesNotFit)
{
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(numtext::formatFixed(small, sizeof small, 1234.0, 0), 0u);  // 4 digits + NUL needs 5 bytes
    EXPECT_STREQ(small, "");
    EXPECT_EQ(numtext::formatFixed(small, sizeof small, 123.0, 0), 3u);
    EXPECT_STREQ(small, "123");

    char six[6];
    EXPECT_EQ(numtext::formatGeneral(six, sizeof six, 1e20), 0u);  // "1e+020" and its NUL need 7 bytes
    EXPECT_STREQ(six, "");

    char buffer[256];
    EXPECT_EQ(numtext::formatFixed(buffer, sizeof buffer, 1e300, 3), 0u);  // 301 digits never fit 256 bytes
    EXPECT_EQ(numtext::formatFixed(buffer, sizeof buffer, -std::numeric_limits<double>::max(), 0), 0u);
    EXPECT_GT(numtext::formatFixed(buffer, sizeof buffer, 1e250, 0), 0u);
}

TEST(NumberText, DecimalPointIgnoresTheLocale)
{
    // A locale with a decimal comma, when the machine has one; the C locale otherwise.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = previous ? previous : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    char buffer[32];
    numtext::formatFixed(buffer, sizeof buffer, 12.5, 1);
    EXPECT_STREQ(buffer, "12.5");
    EXPECT_EQ(numtext::parseDecimal("12.5"), 12.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, ParseDecimal)
{
    struct Row { const char* text; bool ok; double value; };
    const Row rows[] = {
        {"400", true, 400.0},      {"  1450 ", true, 1450.0}, {"\t12.5\t", true, 12.5},
        {"1e3", true, 1000.0},     {"-0.35", true, -0.35},    {"+7", true, 7.0},
        {".5", true, 0.5},         {"5.", true, 5.0},         {"2E-2", true, 0.02},
        {"0", true, 0.0},          {"1e-400", true, 0.0},
        {"", false, 0},            {"   ", false, 0},        {"abc", false, 0},
        {"12abc", false, 0},       {"1 2", false, 0},        {"nan", false, 0},
        {"inf", false, 0},         {"-infinity", false, 0},  {"0x10", false, 0},
        {"1e400", false, 0},       {"1,5", false, 0},        {"--1", false, 0},
        {"+", false, 0},           {"e5", false, 0},         {"1e", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.text + "\"");
        std::optional<double> parsed = numtext::parseDecimal(row.text);
        ASSERT_EQ(parsed.has_value(), row.ok);
        if (row.ok) {
            EXPECT_EQ(*parsed, row.value);
        }
    }
}

// The scene file reader's fixed-notation parser takes exactly what formatFixed writes, and nothing
// looser.
TEST(NumberText, ParseFixed)
{
    struct Row { const char* text; bool fixedOk; double fixed; };
    const Row rows[] = {
        {"0", true, 0.0},                         {"-32768", true, -32768.0},
        {"4", true, 4.0},                         {"1000.000000", true, 1000.0},
        {"-50.000000", true, -50.0},              {"0.100000", true, 0.1},
        {"9223372036854775807", true, 9223372036854775807.0},
        {"9223372036854775808", true, 9223372036854775808.0},
        {"", false, 0},                           {"-", false, 0},
        {"+4", false, 0},                         {" 4", false, 0},
        {"4 ", false, 0},                         {"1e3", false, 0},
        {"1.", false, 0},                         {".5", false, 0},
        {"0x10", false, 0},                       {"1,5", false, 0},
        {"--1", false, 0},                        {"0.0000000000000000000000000000000000000000001", true, 1e-43},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.text + "\"");
        std::optional<double> fixed = numtext::parseFixed(row.text);
        ASSERT_EQ(fixed.has_value(), row.fixedOk);
        if (row.fixedOk) {
            EXPECT_EQ(*fixed, row.fixed);
        }
    }
    // formatFixed's spellings of the non-finite values read back.
    EXPECT_TRUE(std::isnan(*numtext::parseFixed("nan")));
    EXPECT_TRUE(std::signbit(*numtext::parseFixed("-nan")));
    EXPECT_EQ(*numtext::parseFixed("-inf"), -std::numeric_limits<double>::infinity());
    EXPECT_FALSE(numtext::parseFixed("NaN"));
    EXPECT_FALSE(numtext::parseFixed("infinity"));
}

}  // namespace
