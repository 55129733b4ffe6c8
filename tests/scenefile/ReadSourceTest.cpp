// Tests for scenefile/ReadSource: the text encoding's one spelling per value, and which floats come
// back from their six decimals (the cheap check of a binary file's floats against the full one).
#include "scenefile/ReadSource.h"

#include <cwscene/NumberText.h>

#include <gtest/gtest.h>

#include <cmath>    // nextafter, signbit, isnan
#include <cstdint>
#include <cstring>  // memcpy
#include <string>

namespace {

// ---------------------------------------------------------------------------------------------------
// 1. Spellings: exactly what the writer writes ("%d", "%f" of a float), nothing looser

TEST(ReadSource, NumbersHaveOneSpelling)
{
    struct IntegerRow { const char* line; bool accepted; long long value; };
    const IntegerRow integers[] = {
        {"0", true, 0}, {"-1", true, -1}, {"65535", true, 65535}, {"-2147483648", true, -2147483648LL},
        {"00", false, 0}, {"-0", false, 0}, {"04", false, 0}, {"+4", false, 0}, {" 4", false, 0},
        {"4 ", false, 0}, {"", false, 0}, {"-", false, 0}, {"1e3", false, 0}, {"123456789012", false, 0},
    };
    for (const IntegerRow& row : integers) {
        SCOPED_TRACE(row.line);
        long long value = 0;
        EXPECT_EQ(scenefile::parseIntegerLine(row.line, value), row.accepted);
        if (row.accepted) {
            EXPECT_EQ(value, row.value);
        }
    }

    using scenefile::FloatLine;
    struct FloatRow { const char* line; FloatLine spelling; float value; };
    const FloatRow floats[] = {
        {"0.000000", FloatLine::Valid, 0.0f}, {"1000.000000", FloatLine::Valid, 1000.0f},
        {"-50.000000", FloatLine::Valid, -50.0f}, {"0.100000", FloatLine::Valid, 0.1f},
        {"340282346638528859811704183484516925440.000000", FloatLine::Valid, 3.40282347e38f},
        {"13", FloatLine::Malformed, 0}, {"1.00", FloatLine::Malformed, 0}, {"1.0000000", FloatLine::Malformed, 0},
        {"01.000000", FloatLine::Malformed, 0}, {"+1.000000", FloatLine::Malformed, 0},
        {"1.0e5", FloatLine::Malformed, 0}, {".500000", FloatLine::Malformed, 0}, {"1.000000 ", FloatLine::Malformed, 0},
        {"nan ", FloatLine::Malformed, 0}, {"NaN", FloatLine::Malformed, 0}, {"-", FloatLine::Malformed, 0},
        // well spelt, but the float they read as is written otherwise
        {"16777217.000000", FloatLine::NotWritten, 16777216.0f}, {"0.000001", FloatLine::Valid, 1e-6f},
        {"0.000002", FloatLine::Valid, 2e-6f}, {"-0.000001", FloatLine::Valid, -1e-6f},
        {"12345678901.000000", FloatLine::NotWritten, 12345678848.0f}, {"12345678848.000000", FloatLine::Valid, 12345678848.0f},
    };
    for (const FloatRow& row : floats) {
        SCOPED_TRACE(row.line);
        float value = 0;
        EXPECT_EQ(scenefile::parseFloatLine(row.line, value), row.spelling);
        if (row.spelling != FloatLine::Malformed) {
            EXPECT_EQ(value, row.value);
        }
    }
    // -0.000000 is -0.0's own text; the non-finite values have theirs.
    float value = 0;
    ASSERT_EQ(scenefile::parseFloatLine("-0.000000", value), FloatLine::Valid);
    EXPECT_TRUE(std::signbit(value));
    ASSERT_EQ(scenefile::parseFloatLine("-nan", value), FloatLine::Valid);
    EXPECT_TRUE(std::isnan(value) && std::signbit(value));
    ASSERT_EQ(scenefile::parseFloatLine("-inf", value), FloatLine::Valid);
    EXPECT_TRUE(std::isinf(value) && value < 0);
}

// ---------------------------------------------------------------------------------------------------
// 2. Floats through the text encoding

TEST(ReadSource, TextKeepsTheFloatsThatSixDecimalsIdentify)
{
    // The documented promise: multiples of 1/64, and every float of magnitude 16 or more.
    for (float f = 16.0f; f < 3.0e9f; f = std::nextafter(f * 1.0009765625f, 1e10f)) {
        ASSERT_EQ(scenefile::throughText(f), f) << f;
        ASSERT_EQ(scenefile::throughText(-f), -f) << f;
    }
    for (int i = -200000; i <= 200000; ++i) {
        float f = static_cast<float>(i) / 64.0f;
        ASSERT_EQ(scenefile::throughText(f), f) << f;
    }
    // ... and not others.
    EXPECT_NE(scenefile::throughText(0.1234567f), 0.1234567f);
    EXPECT_NE(scenefile::throughText(1e-7f), 1e-7f);
}

// The binary reader's cheap test of a float against six decimals must say what the full round trip
// says, for any bit pattern; and the text reader must accept the writer's text of every float, as the
// float that text reads back as.
TEST(ReadSource, CheapSurvivalCheckAgreesWithTheRoundTrip)
{
    std::uint32_t bits = 12345;
    for (int i = 0; i < 300000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        // Half of them among the common small floats, where the cheap test decides alone.
        std::uint32_t pattern = (i % 2) ? bits : (bits & 0x81FFFFFFu) | 0x3C000000u;
        float f;
        std::memcpy(&f, &pattern, sizeof f);
        float back = scenefile::throughText(f);
        bool survives = std::memcmp(&back, &f, sizeof f) == 0;
        ASSERT_EQ(scenefile::BinarySource::survivesText(f), survives) << f << " bits " << pattern;
        char text[numtext::kFloatFixedMax];
        float read = 0;
        ASSERT_EQ(scenefile::parseFloatLine(std::string_view(text, numtext::formatFloatFixed6(text, sizeof text, f)), read),
                  scenefile::FloatLine::Valid) << text;
        ASSERT_TRUE(std::memcmp(&read, &back, sizeof read) == 0 || (std::isnan(read) && std::isnan(back))) << text;
    }
}

}  // namespace
