// Tests for scene/Action: the action record, its texts and steps, copies, and the sensor record.
#include <cwscene/Action.h>

#include <gtest/gtest.h>

#include <memory>

#include "RecordCapture.h"
#include "scenefile/ErrorTexts.h"
#include "testutil/Hex.h"
#include "scenefile/WriteFaults.h"  // failStreamOperation

namespace {

using testutil::Encoding;
using testutil::lines;
using testutil::recordOf;

// 1. An action at its defaults with one default step, both encodings.
TEST(CWActionUnit, OneDefaultStep)
{
    CWActionUnit action;
    action.AddParam(CWActionParam());
    EXPECT_BYTES(recordOf(action, Encoding::Binary),
                 "41 43 54 4E                             # ACTN\n"
                 "03 00 01 00 01 00                       # type 3, option 1, one step\n"
                 "00 00 80 3F                             # scalar 1.0\n"
                 "00 00 00 00 00 00 00 00 00 00 00 00     # position\n"
                 "00 00 00 00 00 00 00 00 00 00 00 00     # rotation\n"
                 "00 00 80 3F 00 00 80 3F 00 00 80 3F     # scale\n"
                 "00 00 00 00 00 00 00 00                 # four empty texts\n");
    EXPECT_EQ(recordOf(action, Encoding::Text),
              lines({"ACTN", "3", "1", "1", "1.000000", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000",
                     "0.000000", "1.000000", "1.000000", "1.000000", "0 ", "0 ", "0 ", "0 "}));
}

// 2. Words at their limits, texts by key, steps in order.
TEST(CWActionUnit, WordsTextsAndSteps)
{
    CWActionUnit action;
    action.SetActionType(-1);
    action.SetActionOption(65535);
    action.SetActionText(12, "c");
    action.SetActionText(9, "ignored");
    action.SetActionText(14, "ignored");
    action.SetActionText(10, "a");
    action.SetActionText(10, nullptr);  // null empties it again
    action.SetActionText(13, "dd");
    CWActionParam step;
    step.SetScalar(2.0f);
    step.SetPosition(1, 2, 3);
    step.SetRotation(4, 5, 6);
    step.SetScale(7, 8, 9);
    action.AddParam(step);
    step.SetScalar(-1.0f);  // the caller's later change does not reach the stored copy
    EXPECT_EQ(recordOf(action, Encoding::Text),
              lines({"ACTN", "-1", "65535", "1", "2.000000", "1.000000", "2.000000", "3.000000", "4.000000",
                     "5.000000", "6.000000", "7.000000", "8.000000", "9.000000", "0 ", "0 ", "1 c", "2 dd"}));
    std::string binary = recordOf(action, Encoding::Binary);
    EXPECT_EQ(binary.substr(4, 4), testutil::fromHex("FF FF FF FF"));
    EXPECT_STREQ(action.actionText(12).GetText(), "c");
    EXPECT_EQ(action.actionText(9).GetLength(), 0);
}

TEST(CWActionUnit, NoStepsWritesNothing)
{
    CWActionUnit action;
    action.SetActionText(10, "text");
    EXPECT_EQ(recordOf(action, Encoding::Binary), "");
    action.AddParam(CWActionParam());
    action.ClearParams();
    EXPECT_EQ(recordOf(action, Encoding::Text), "");
}

// 3. Failures inside an action or a sensor: the caught text, then "動作設定" is thrown.
TEST(CWActionUnit, FailureThrowsActionLabel)
{
    CWActionUnit action;
    action.AddParam(CWActionParam());
    testutil::EncodingScope scope(Encoding::Text);
    scenefile::testing::failStreamOperation(6);  // ACTN and its line end, type, option, count, the scalar
    std::string failure;
    testutil::capture([&](std::FILE* s) { action.Write(s); }, &failure);
    EXPECT_EQ(failure, sjis::kActionLabel);
    EXPECT_EQ(testutil::chain(), sjis::kTextWriteFailed);
}

// 4. Sensors.
TEST(CWSensorUnit, Record)
{
    CWSensorUnit sensor;
    sensor.SetName("S");
    EXPECT_BYTES(recordOf(sensor, Encoding::Binary),
                 "01 00 53                                # name S\n"
                 "00 00 00 00 00 00 00 00 00 00 00 00     # position\n"
                 "00 00 80 3F 00 00 80 3F 00 00 80 3F     # size\n"
                 "00 00                                   # type 0\n");
    sensor.SetPosition(1, 2, 3);
    sensor.SetSize(4, 5, 6);
    sensor.setSensorType(-2);
    EXPECT_EQ(recordOf(sensor, Encoding::Text),
              lines({"1 S", "1.000000", "2.000000", "3.000000", "4.000000", "5.000000", "6.000000", "-2"}));
    std::unique_ptr<CWSensorUnit> clone(sensor.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(recordOf(*clone, Encoding::Text), recordOf(sensor, Encoding::Text));
}

TEST(CWSensorUnit, FailureThrowsActionLabel)
{
    CWSensorUnit sensor;
    sensor.SetName("S");
    testutil::EncodingScope scope(Encoding::Binary);
    scenefile::testing::failStreamOperation(3);  // name length, name bytes, position x
    std::string failure;
    testutil::capture([&](std::FILE* s) { sensor.Write(s); }, &failure);
    EXPECT_EQ(failure, sjis::kActionLabel);
    EXPECT_EQ(testutil::chain(), sjis::kBinaryWriteFailed);
}

}  // namespace
