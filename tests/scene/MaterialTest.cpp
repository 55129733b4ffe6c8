// Tests for scene/Material: defaults, copies, and the material record in both encodings.
#include <cwscene/Material.h>

#include <gtest/gtest.h>

#include "RecordCapture.h"
#include "builder/SjisTexts.h"  // the wizard's names, as Shift-JIS names of real scenes
#include "scenefile/ErrorTexts.h"
#include "testutil/Hex.h"
#include "scenefile/WriteFaults.h"  // failStreamOperation

namespace {

using testutil::Encoding;
using testutil::lines;
using testutil::recordOf;

// 1. The records. An unnamed default material in text: the length 0 and a blank, then 14 values.
TEST(CWMaterial, DefaultRecordText)
{
    CWMaterial m;
    EXPECT_EQ(recordOf(m, Encoding::Text), lines({"0 ", "204", "204", "204", "128", "128", "128", "128", "128", "128",
                                                  "0", "0", "0", "255", "128"}));
}

// The builder's foundation material: 20 bytes.
TEST(CWMaterial, FoundationRecordBinary)
{
    CWMaterial m;
    m.SetName(wizard::sjis::kFoundationName);
    m.SetColor1(89, 102, 115);
    EXPECT_BYTES(recordOf(m, Encoding::Binary),
                 "04 00 8A EE 91 62                      # name 基礎, counted\n"
                 "59 66 73 80 80 80 80 80 80 00 00 00    # colours 1 to 4\n"
                 "FF 80                                  # value 1, value 2\n");
}

// Every field lands in its own slot.
TEST(CWMaterial, EveryFieldInItsSlot)
{
    CWMaterial m;
    m.SetName("M");
    m.SetColor1(1, 2, 3);
    m.SetColor2(4, 5, 6);
    m.SetColor3(7, 8, 9);
    m.SetColor4(10, 11, 12);
    m.SetValue1(13);
    m.SetValue2(14);
    EXPECT_BYTES(recordOf(m, Encoding::Binary), "01 00 4D 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E");
}

// 2. Copies.
TEST(CWMaterial, CloneIsIndependent)
{
    CWMaterial original;
    original.SetName("orig");
    original.SetColor3(1, 2, 3);
    original.SetValue2(9);
    std::unique_ptr<CWMaterial> clone(original.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(recordOf(*clone, Encoding::Binary), recordOf(original, Encoding::Binary));
    clone->SetName("copy");
    clone->SetColor3(7, 7, 7);
    clone->SetValue2(1);
    EXPECT_STREQ(original.name().GetText(), "orig");
    EXPECT_EQ(original.color3(), (CWMaterial::Color{1, 2, 3}));
    EXPECT_EQ(original.value2(), 9);
}

// 3. A failure inside the record: the primitive's text goes to the chain, the name is thrown.
TEST(CWMaterial, FailureThrowsName)
{
    CWMaterial m;
    m.SetName("Mat");
    testutil::EncodingScope scope(Encoding::Binary);
    scenefile::testing::failStreamOperation(3);  // length, name bytes, then the first colour byte
    std::string failure;
    testutil::capture([&](std::FILE* s) { m.Write(s); }, &failure);
    EXPECT_EQ(failure, "Mat");
    EXPECT_EQ(testutil::chain(), sjis::kBinaryWriteFailed);
}

}  // namespace
