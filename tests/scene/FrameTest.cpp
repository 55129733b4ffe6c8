// Tests for scene/Frame: the part record with each optional item, ownership and deep copies, the
// naming rule of AddChild, and the chain a failure deep in the hierarchy leaves.
#include <cwscene/Frame.h>

#include <gtest/gtest.h>

#include <memory>

#include "RecordCapture.h"
#include "builder/SjisTexts.h"  // the wizard's names, as Shift-JIS names of real scenes
#include "scene/SjisTexts.h"
#include "scenefile/ErrorTexts.h"
#include "testutil/Hex.h"
#include "scenefile/WriteFaults.h"  // failStreamOperation

namespace {

using testutil::Encoding;
using testutil::lines;
using testutil::recordOf;

// A frame named "A", up to its nine floats.
const char kFrameAHead[] =
    "50 41 52 54                             # PART\n"
    "01 00 41                                # name A\n"
    "00 00 00 00 00 00 00 00 00 00 00 00     # position\n"
    "00 00 00 00 00 00 00 00 00 00 00 00     # rotation\n"
    "00 00 80 3F 00 00 80 3F 00 00 80 3F     # scale 1 1 1\n";
const char kIdsAndNoShapes[] =
    "50 4D 49 44 00 00 00 00 00 00 00 00     # PMID 0 0\n"
    "54 43 44 4E 00 00 00 00                 # TCDN 0\n"
    "00 00                                   # no shapes\n";
const char kNoChildren[] = "00 00\n";

CWFrame frameNamed(const char* name)
{
    CWFrame frame;
    frame.SetName(name);
    return frame;
}

// 1. A frame at its defaults, both encodings.
TEST(CWFrame, DefaultRecord)
{
    CWFrame a = frameNamed("A");
    EXPECT_BYTES(recordOf(a, Encoding::Binary), std::string(kFrameAHead) + kIdsAndNoShapes + kNoChildren);
    EXPECT_EQ(recordOf(a, Encoding::Text),
              lines({"PART", "1 A", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000",
                     "1.000000", "1.000000", "1.000000", "PMID", "0", "0", "TCDN", "0", "0", "0"}));
}

// 2. The optional items before "PMID", alone and together (their order is fixed).
TEST(CWFrame, OptionalItemsBeforeIds)
{
    struct Row {
        const char* what;
        void (*setUp)(CWFrame&);
        const char* items;
    };
    const Row rows[] = {
        {"hidden", [](CWFrame& f) { f.setVisible(0); }, "53 48 57 50 4E"},
        {"locks 1 0 0", [](CWFrame& f) { f.setLock(1, 0, 0); }, "4C 43 4B 50 06 00 07 00 07 00"},
        {"locks 0 0 8", [](CWFrame& f) { f.setLock(0, 0, 8); }, "4C 43 4B 50 07 00 07 00 07 00"},
        {"layer", [](CWFrame& f) { f.SetLayer(1); }, "4C 59 52 4C 59"},
        {"grid 3 only", [](CWFrame& f) { f.setGrid3({1.0f, -1.0f}); },
         "47 52 44 50 00 00 00 00 02 00 00 00 80 3F 00 00 80 BF"},
        {"all four, in order",
         [](CWFrame& f) { f.SetLayer(5); f.setGrid1({1000.0f}); f.setLock(0, 6, 0); f.setVisible(0); },
         "53 48 57 50 4E  4C 43 4B 50 07 00 01 00 07 00  4C 59 52 4C 59  47 52 44 50 01 00 00 00 7A 44 00 00 00 00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CWFrame frame = frameNamed("A");
        row.setUp(frame);
        EXPECT_BYTES(recordOf(frame, Encoding::Binary),
                     std::string(kFrameAHead) + row.items + "\n" + kIdsAndNoShapes + kNoChildren);
    }
}

// 3. The ids, the items between the shapes and the child count.
TEST(CWFrame, IdsSprmAndAction)
{
    CWFrame frame = frameNamed("A");
    frame.m_partId = 1;
    frame.m_partId2 = 0x0102;
    frame.setTcdn(-1);
    frame.AddSprmSecond(7);
    frame.AddSprmSecond(65535);
    CWActionUnit emptyAction;  // no steps: writes nothing at all
    frame.SetAction(&emptyAction);
    EXPECT_BYTES(recordOf(frame, Encoding::Binary),
                 std::string(kFrameAHead) +
                     "50 4D 49 44 01 00 00 00 02 01 00 00     # PMID 1 0x102\n"
                     "54 43 44 4E FF FF FF FF                 # TCDN -1\n"
                     "00 00                                   # no shapes\n"
                     "53 50 52 4D 00 00 02 00 07 00 FF FF     # SPRM: first empty, second 7 65535\n"
                     "00 00                                   # no children\n");

    CWActionUnit action;
    action.AddParam(CWActionParam());
    frame.SetAction(&action);
    frame.ClearSprm();
    EXPECT_BYTES(recordOf(frame, Encoding::Binary),
                 std::string(kFrameAHead) +
                     "50 4D 49 44 01 00 00 00 02 01 00 00 54 43 44 4E FF FF FF FF 00 00\n"
                     "41 43 54 4E 03 00 01 00 01 00           # ACTN type 3 option 1, one step\n"
                     "00 00 80 3F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
                     "00 00 80 3F 00 00 80 3F 00 00 80 3F     # scale\n"
                     "00 00 00 00 00 00 00 00                 # four empty texts\n"
                     "00 00                                   # no children\n");
    frame.SetAction(nullptr);  // none clears
    EXPECT_EQ(frame.action(), nullptr);
}

// 4. Children: naming, copies, and the nested records.
TEST(CWFrame, AddChildNamesAndCopies)
{
    CWFrame parent = frameNamed("P");
    parent.AddChild(parent);  // itself: nothing at all
    EXPECT_EQ(parent.childCount(), 0u);
    EXPECT_STREQ(parent.name().GetText(), "P");

    CWFrame unnamed;
    parent.AddChild(unnamed);
    EXPECT_STREQ(unnamed.name().GetText(), sjis::kNewFrameName);  // the caller's frame is named too
    EXPECT_STREQ(parent.child(0).name().GetText(), sjis::kNewFrameName);

    CWFrame named = frameNamed("B");
    named.AddShape(CWCube());
    parent.AddChild(named);
    named.SetName("changed");
    named.AddShape(CWCube());
    named.SetPosition(1, 1, 1);
    EXPECT_STREQ(parent.child(1).name().GetText(), "B");
    EXPECT_EQ(parent.child(1).shapeCount(), 1u);
    EXPECT_EQ(parent.child(1).position(), CWCoord());
}

// The builder's shape of hierarchy: 25 frames added from the innermost outwards.
TEST(CWFrame, TwentyFiveDeep)
{
    std::vector<CWFrame> frames(25);
    for (int i = 0; i < 25; ++i) frames[static_cast<std::size_t>(i)].SetName(wizard::sjis::kFrameNames[i]);
    frames[24].AddShape(CWCube());
    frames[24].AddShape(CWCube());
    for (int i = 24; i > 0; --i) frames[static_cast<std::size_t>(i - 1)].AddChild(frames[static_cast<std::size_t>(i)]);
    const CWFrame* level = &frames[0];
    for (int depth = 1; depth < 25; ++depth) {
        SCOPED_TRACE(depth);
        ASSERT_EQ(level->childCount(), 1u);
        EXPECT_EQ(level->shapeCount(), 0u);
        level = &level->child(0);
        EXPECT_STREQ(level->name().GetText(), wizard::sjis::kFrameNames[depth]);
    }
    EXPECT_EQ(level->childCount(), 0u);
    EXPECT_EQ(level->shapeCount(), 2u);
}

// 5. Clone and assignment are deep; the source stays as it was.
TEST(CWFrame, CloneIsDeep)
{
    CWFrame child = frameNamed("C");
    CWFrame root = frameNamed("R");
    root.AddChild(child);
    root.AddShape(CWCube());
    CWActionUnit action;
    action.AddParam(CWActionParam());
    root.SetAction(&action);
    root.setGrid2({1.0f});
    root.setLock(1, 2, 3);
    root.m_partId = 9;

    std::unique_ptr<CWFrame> clone(root.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(recordOf(*clone, Encoding::Binary), recordOf(root, Encoding::Binary));
    CWFrame assigned;
    assigned = root;
    EXPECT_EQ(recordOf(assigned, Encoding::Binary), recordOf(root, Encoding::Binary));

    const std::string before = recordOf(root, Encoding::Binary);
    clone->ClearAction();
    clone->SetName("X");
    clone->setGrid2({});
    clone->m_partId = 1;
    clone->AddChild(child);
    EXPECT_EQ(recordOf(root, Encoding::Binary), before);
    EXPECT_NE(&root.child(0), &clone->child(0));
    EXPECT_NE(root.action(), clone->action());
}

// A shape of a class that says it is not valid is left out of the record, and writing leaves it in
// the frame: a second write gives the same bytes, and the frame still holds its three shapes.
TEST(CWFrame, InvalidShapesAreLeftOutOfTheFileNotOutOfTheFrame)
{
    struct InvalidCube : CWCube {
        bool IsValid() const override { return false; }
        InvalidCube* Clone() const override { return new InvalidCube(*this); }
    };
    CWCube small;
    small.SetSize(1.0f, 2.0f, 3.0f);
    CWFrame both = frameNamed("A");
    both.AddShape(small);
    both.AddShape(InvalidCube());
    both.AddShape(CWCube());
    CWFrame valid = frameNamed("A");
    valid.AddShape(small);
    valid.AddShape(CWCube());

    const std::string expected = recordOf(valid, Encoding::Binary);
    EXPECT_EQ(recordOf(both, Encoding::Binary), expected);
    EXPECT_EQ(both.shapeCount(), 3u);
    EXPECT_EQ(recordOf(both, Encoding::Binary), expected);
}

// 6. A failure in a shape of the innermost frame: the primitive's text, the shape's name, then the
// frames' names from the innermost outwards.
TEST(CWFrame, FailureChainThroughHierarchy)
{
    CWFrame inner = frameNamed("I");
    CWCube cube;
    cube.SetName("S");
    inner.AddShape(cube);
    CWFrame middle = frameNamed("M");
    middle.AddChild(inner);
    CWFrame root = frameNamed("R");
    root.AddChild(middle);

    // Stream operations: each frame 17 before its shape count (PART, name 2, nine floats, PMID and two
    // words, TCDN and one word), 18 the shape count, 19 the child count. R: 1-19, M: 20-38, I: 39-56;
    // the cube: 57 CUBE, 58-59 its name, 60 position x.
    testutil::EncodingScope scope(Encoding::Binary);
    scenefile::testing::failStreamOperation(60);
    std::string failure;
    std::string bytes = testutil::capture([&](std::FILE* s) { root.Write(s); }, &failure);
    EXPECT_EQ(failure, "R");
    EXPECT_EQ(testutil::chain(), std::string(sjis::kBinaryWriteFailed) + "-> S-> I-> M");
    // R and M: 63 bytes up to TCDN's word, 2 + 2 counts; I: 63 + 2; the cube's tag and name: 7.
    EXPECT_EQ(bytes.size(), 67u + 67u + 65u + 7u);
}

}  // namespace
