// Tests for scenefile/Encoding: the seven primitives in both encodings, their failure texts, the
// count and length limits, and the error chain.
#include <cwscene/Encoding.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "scenefile/ErrorTexts.h"
#include <cwscene/NumberText.h>
#include "testutil/EncodingCapture.h"
#include "testutil/Hex.h"
#include "scenefile/WriteFaults.h"  // failStreamOperation

namespace {

using testutil::capture;
using testutil::Encoding;
using testutil::EncodingScope;
using testutil::fromHex;
using testutil::lines;

struct PrimitiveRow {
    const char* what;
    std::function<void(std::FILE*)> write;
    const char* binaryHex;
    std::string text;
};

// 1. Every primitive, in both encodings. Expected bytes written by hand from the format.
TEST(Encoding, PrimitivesInBothEncodings)
{
    const std::string name1 = "\x90\x56\x8B\x4B\x90\x46" "1";  // 新規色1, seven bytes
    const PrimitiveRow rows[] = {
        {"Int32 4", [](std::FILE* s) { WriteInt32(4, s); }, "04 00 00 00", lines({"4"})},
        {"Int32 -2", [](std::FILE* s) { WriteInt32(-2, s); }, "FE FF FF FF", lines({"-2"})},
        {"Int32 0x12345678", [](std::FILE* s) { WriteInt32(0x12345678, s); }, "78 56 34 12", lines({"305419896"})},
        {"Int32 min", [](std::FILE* s) { WriteInt32(std::numeric_limits<std::int32_t>::min(), s); }, "00 00 00 80",
         lines({"-2147483648"})},
        {"Int16 -1", [](std::FILE* s) { WriteInt16(-1, s); }, "FF FF", lines({"-1"})},
        {"Int16 -32768", [](std::FILE* s) { WriteInt16(-32768, s); }, "00 80", lines({"-32768"})},
        {"UInt16 65535", [](std::FILE* s) { WriteUInt16(65535, s); }, "FF FF", lines({"65535"})},
        {"UInt16 0x0102", [](std::FILE* s) { WriteUInt16(0x0102, s); }, "02 01", lines({"258"})},
        {"Byte 255", [](std::FILE* s) { WriteByte(255, s); }, "FF", lines({"255"})},
        {"Char N", [](std::FILE* s) { WriteChar('N', s); }, "4E", lines({"N"})},
        {"Float 1000", [](std::FILE* s) { WriteFloat(1000.0f, s); }, "00 00 7A 44", lines({"1000.000000"})},
        {"Float -1", [](std::FILE* s) { WriteFloat(-1.0f, s); }, "00 00 80 BF", lines({"-1.000000"})},
        {"Float 1", [](std::FILE* s) { WriteFloat(1.0f, s); }, "00 00 80 3F", lines({"1.000000"})},
        // 0.1f is 0.100000001490116...: the text shows the float widened to double, rounded to six places
        {"Float 0.1", [](std::FILE* s) { WriteFloat(0.1f, s); }, "CD CC CC 3D", lines({"0.100000"})},
        {"Float -50", [](std::FILE* s) { WriteFloat(-50.0f, s); }, "00 00 48 C2", lines({"-50.000000"})},
        // 2^-7 = 0.0078125 lies exactly halfway between two six-place texts: away from zero, as the
        // host application's runtime prints it
        {"Float 2^-7", [](std::FILE* s) { WriteFloat(0.0078125f, s); }, "00 00 00 3C", lines({"0.007813"})},
        {"Block tag", [](std::FILE* s) { WriteBlock("SHAP", 4, s, kOmitLength); }, "53 48 41 50", lines({"SHAP"})},
        {"Block counted", [&](std::FILE* s) { WriteBlock(name1.data(), name1.size(), s, kWithLength); },
         "07 00 90 56 8B 4B 90 46 31", lines({"7 " + name1})},
        {"Block empty counted", [](std::FILE* s) { WriteBlock("", 0, s, kWithLength); }, "00 00", lines({"0 "})},
        {"Block empty tag", [](std::FILE* s) { WriteBlock("", 0, s, kOmitLength); }, "", lines({""})},
        {"count 3", [](std::FILE* s) { writeCount(3, s); }, "03 00", lines({"3"})},
        {"count 65535", [](std::FILE* s) { writeCount(65535, s); }, "FF FF", lines({"65535"})},
    };
    for (const PrimitiveRow& row : rows) {
        SCOPED_TRACE(row.what);
        {
            EncodingScope scope(Encoding::Binary);
            EXPECT_BYTES(capture(row.write), row.binaryHex);
        }
        {
            EncodingScope scope(Encoding::Text);
            EXPECT_EQ(capture(row.write), row.text);
        }
    }
}

// 2. A line feed inside a block is written as it stands: the length prefix must match the bytes.
TEST(Encoding, BlockBytesAreNotTranslated)
{
    EncodingScope scope(Encoding::Text);
    EXPECT_EQ(capture([](std::FILE* s) { WriteBlock("a\nb", 3, s, kWithLength); }), "3 a\nb\r\n");
}

// 3. Which text each primitive throws when its stream operation is refused, per encoding and step.
TEST(Encoding, FailureTexts)
{
    struct Row {
        const char* what;
        Encoding encoding;
        long failingOperation;
        std::function<void(std::FILE*)> write;
        const char* expected;
    };
    const Row rows[] = {
        {"binary Int32", Encoding::Binary, 1, [](std::FILE* s) { WriteInt32(1, s); }, sjis::kBinaryWriteFailed},
        {"binary Float", Encoding::Binary, 1, [](std::FILE* s) { WriteFloat(1, s); }, sjis::kBinaryWriteFailed},
        {"binary Char", Encoding::Binary, 1, [](std::FILE* s) { WriteChar('x', s); }, sjis::kBinaryWriteFailed},
        {"text Int16", Encoding::Text, 1, [](std::FILE* s) { WriteInt16(1, s); }, sjis::kTextWriteFailed},
        {"text Float", Encoding::Text, 1, [](std::FILE* s) { WriteFloat(1, s); }, sjis::kTextWriteFailed},
        {"binary block length", Encoding::Binary, 1, [](std::FILE* s) { WriteBlock("AB", 2, s, kWithLength); },
         sjis::kBinaryWriteFailed},
        // the bytes of a block fail with the text failure in both encodings
        {"binary block bytes", Encoding::Binary, 2, [](std::FILE* s) { WriteBlock("AB", 2, s, kWithLength); },
         sjis::kTextWriteFailed},
        {"text block length", Encoding::Text, 1, [](std::FILE* s) { WriteBlock("AB", 2, s, kWithLength); },
         sjis::kTextOrBinaryWriteFailed},
        {"text block bytes", Encoding::Text, 2, [](std::FILE* s) { WriteBlock("AB", 2, s, kWithLength); },
         sjis::kTextWriteFailed},
        {"text block line end", Encoding::Text, 3, [](std::FILE* s) { WriteBlock("AB", 2, s, kWithLength); },
         sjis::kTextWriteFailed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EncodingScope scope(row.encoding);
        scenefile::testing::failStreamOperation(row.failingOperation);
        std::string failure;
        capture(row.write, &failure);
        EXPECT_EQ(failure, row.expected);
    }
}

// 4. A refusing stream, not only the hook: a stream opened for reading refuses every write.
TEST(Encoding, ReadOnlyStreamFails)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("r"), "x");
    std::FILE* stream = std::fopen(dir.file("r").c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    EncodingScope scope(Encoding::Binary);
    std::string failure;
    try {
        WriteInt32(4, stream);
        std::fflush(stream);  // a buffered write may only fail here; the primitive must already fail
    } catch (const WriteFailure& f) {
        failure = f.text();
    }
    std::fclose(stream);
    EXPECT_EQ(failure, sjis::kBinaryWriteFailed);
}

// 5. Values the format cannot carry are refused before anything is written.
TEST(Encoding, LimitsRefusedBeforeWriting)
{
    for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
        EncodingScope scope(encoding);
        std::string failure;
        EXPECT_EQ(capture([](std::FILE* s) { writeCount(65536, s); }, &failure), "");
        EXPECT_EQ(failure, sjis::kCountTooLarge);
        const std::string longName(65536, 'n');
        EXPECT_EQ(capture([&](std::FILE* s) { WriteBlock(longName.data(), longName.size(), s, kWithLength); }, &failure),
                  "");
        EXPECT_EQ(failure, sjis::kTextTooLong);
    }
    // 65535 bytes is the longest block: 2 + 65535 bytes in binary.
    EncodingScope scope(Encoding::Binary);
    const std::string longest(65535, 'n');
    std::string bytes = capture([&](std::FILE* s) { WriteBlock(longest.data(), longest.size(), s, kWithLength); });
    ASSERT_EQ(bytes.size(), 2u + 65535u);
    EXPECT_EQ(bytes.substr(0, 2), fromHex("FF FF"));
}

// 6. The error chain joins texts with "-> ", earliest first. (That the last scene object releases it
// is the scene library's test: this program has no scene objects.)
TEST(Encoding, ErrorChain)
{
    EXPECT_EQ(errorChain(), nullptr);
    AppendError("a");
    AppendError("b");
    AppendError("c");
    EXPECT_STREQ(errorChain(), "a-> b-> c");
    AppendError("");  // an unnamed object's name adds an empty link
    EXPECT_STREQ(errorChain(), "a-> b-> c-> ");
    releaseErrorChain();
    EXPECT_EQ(errorChain(), nullptr);
}

// 7. A staged save puts most values straight into its stage, by paths of their own: the bytes must be
// those of the general path, value for value, in both encodings; and a float's text must be
// numtext's, for the floats the stage writes by itself (exact six decimals) and the others.
std::string stagedOrDirect(bool staged, const std::function<void(std::FILE*)>& write)
{
    return capture([&](std::FILE* s) {
        if (!staged) {
            write(s);
            return;
        }
        scenefile::StagedStream stage(s);
        write(s);
        ASSERT_TRUE(stage.flush());
    });
}

TEST(Encoding, StagedValuesAreTheGeneralPathsBytes)
{
    std::vector<float> floats = {0.0f, -0.0f, 1000.0f, -50.0f, 148.5f, 249.75f, 0.1f, -1e-7f, 1e-7f, 16777216.0f,
                                 4.5e12f, 3.4028235e38f, std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::denorm_min()};
    std::uint32_t bits = 7;
    for (int i = 0; i < 20000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        floats.push_back(static_cast<float>(static_cast<std::int32_t>(bits) >> 8) / 64.0f);  // exact decimals
        float any;
        std::memcpy(&any, &bits, sizeof any);
        floats.push_back(any);
    }
    const std::string longName(300, 'n');  // longer than a block the stage takes by itself
    auto writeAll = [&](std::FILE* s) {
        for (float f : floats) WriteFloat(f, s);
        WriteInt32(-2147483647 - 1, s);
        WriteUInt16(65535, s);
        WriteInt16(-2, s);
        WriteByte(255, s);
        WriteChar('\n', s);
        WriteBlock("CUBE", 4, s, kOmitLength);
        WriteBlock("", 0, s, kWithLength);
        WriteBlock(longName.data(), longName.size(), s, kWithLength);
        writeCount(3, s);
    };
    for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
        SCOPED_TRACE(encoding == Encoding::Binary ? "binary" : "text");
        EncodingScope scope(encoding);
        EXPECT_TRUE(stagedOrDirect(true, writeAll) == stagedOrDirect(false, writeAll));
    }
    EncodingScope scope(Encoding::Text);
    std::string expected;
    for (float f : floats) {
        char text[numtext::kFloatFixedMax];
        expected.append(text, numtext::formatFloatFixed6(text, sizeof text, f)).append("\r\n");
    }
    EXPECT_TRUE(stagedOrDirect(true, [&](std::FILE* s) { for (float f : floats) WriteFloat(f, s); }) == expected);
}

}  // namespace
