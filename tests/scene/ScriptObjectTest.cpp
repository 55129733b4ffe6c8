// Tests for scene/ScriptObject: CWString, the instance count with the error chain's release, CWCoord.
#include <cwscene/ScriptObject.h>

#include <gtest/gtest.h>

#include "RecordCapture.h"
#include <cwscene/Material.h>
#include <cwscene/Shape.h>
#include "scene/SjisTexts.h"

namespace {

// 1. CWString
TEST(CWString, AssignAndLength)
{
    CWString s;
    EXPECT_EQ(s.GetLength(), 0);
    EXPECT_STREQ(s.GetText(), "");

    s.AssignText("abc");
    EXPECT_EQ(s.GetLength(), 3);
    s.AssignText(nullptr);  // a null text empties the string; it still has a buffer
    EXPECT_EQ(s.GetLength(), 0);
    ASSERT_NE(s.GetText(), nullptr);
    EXPECT_STREQ(s.GetText(), "");

    s.AssignText(sjis::kCubeName);  // 直方体: three characters, six Shift-JIS bytes
    EXPECT_EQ(s.GetLength(), 6);
    s.Assign(s);
    EXPECT_STREQ(s.GetText(), sjis::kCubeName);

    s.AssignText(s.GetText() + 2);  // a text from the string's own buffer
    EXPECT_STREQ(s.GetText(), "\x95\xFB\x91\xCC");
}

// 2. Names: GetName hands out a copy.
TEST(CWScriptObject, GetNameGivesACopy)
{
    CWMaterial m;
    m.SetName("first");
    CWString out;
    EXPECT_STREQ(m.GetName(out).GetText(), "first");
    m.SetName("second");
    EXPECT_STREQ(out.GetText(), "first");
    m.SetName(nullptr);
    EXPECT_EQ(m.name().GetLength(), 0);
}

// 3. The instance count, and the error chain's release when it reaches zero.
TEST(CWScriptObject, InstanceCountReleasesChain)
{
    ASSERT_EQ(CWScriptObject::instanceCount(), 0);
    {
        CWMaterial a;
        a.SetName("a");
        CWMaterial b(a);
        EXPECT_EQ(CWScriptObject::instanceCount(), 2);
        AppendError("x");
        b = a;  // assignment touches neither the count nor the chain
        EXPECT_EQ(CWScriptObject::instanceCount(), 2);
        EXPECT_EQ(testutil::chain(), "x");
    }
    EXPECT_EQ(CWScriptObject::instanceCount(), 0);
    EXPECT_EQ(errorChain(), nullptr);
    {
        CWMaterial fresh;
        AppendError("y");  // a new chain, not "x-> y"
        EXPECT_EQ(testutil::chain(), "y");
    }
    EXPECT_EQ(errorChain(), nullptr);
}

// CWScriptObject is a virtual base of the shapes: a cube and a wrap count once each.
TEST(CWScriptObject, VirtualBaseCountsOnce)
{
    CWCube cube;
    EXPECT_EQ(CWScriptObject::instanceCount(), 1);
    CWPartialWrap wrap;
    CWCube copy(cube);
    EXPECT_EQ(CWScriptObject::instanceCount(), 3);
}

}  // namespace
