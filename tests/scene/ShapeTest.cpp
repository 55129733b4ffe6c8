// Tests for scene/Shape: texture parameters, partial wraps, the cube's record in both encodings,
// locks, copies and the cube's error guard.
#include <cwscene/Shape.h>

#include <gtest/gtest.h>

#include <memory>

#include "RecordCapture.h"
#include "builder/SjisTexts.h"  // the wizard's names, as Shift-JIS names of real scenes
#include "scene/SjisTexts.h"
#include "scenefile/ErrorTexts.h"
#include "testutil/Hex.h"

namespace {

using testutil::Encoding;
using testutil::fromHex;
using testutil::lines;
using testutil::recordOf;

// A default cube named "S", up to and including its material index -1.
const char kCubeHead[] =
    "43 55 42 45                             # CUBE\n"
    "01 00 53                                # name S\n"
    "00 00 00 00 00 00 00 00 00 00 00 00     # position 0 0 0\n"
    "00 00 00 00 00 00 00 00 00 00 00 00     # rotation 0 0 0\n"
    "00 00 80 3F 00 00 80 3F 00 00 80 3F     # size 1 1 1\n"
    "FF FF                                   # material index -1\n";
// The default texture parameters: P X T 1.0 1.0 D N N 0.0
const char kDefaultParams[] = "50 58 54 00 00 80 3F 00 00 80 3F 44 4E 4E 00 00 00 00\n";

CWCube cubeS()
{
    CWCube cube;
    cube.SetName("S");
    return cube;
}

CWPartialWrap wrap(const char* file, std::int16_t index)
{
    CWPartialWrap w;
    w.SetTexture(index, file);
    return w;
}

// 1. The builder's site slab, both encodings.
TEST(CWCube, SiteSlabRecord)
{
    CWCube slab;
    slab.SetName(wizard::sjis::kSiteName);
    slab.SetMaterialIndex(0);
    slab.SetSize(20000.0f, 15000.0f, 100.0f);  // a 20 m x 15 m site
    slab.SetPosition(0.0f, 0.0f, -50.0f);
    EXPECT_BYTES(recordOf(slab, Encoding::Binary),
                 "43 55 42 45                            # CUBE\n"
                 "04 00 95 7E 92 6E                      # name 敷地\n"
                 "00 00 00 00 00 00 00 00 00 00 48 C2    # position 0 0 -50\n"
                 "00 00 00 00 00 00 00 00 00 00 00 00    # rotation\n"
                 "00 40 9C 46 00 60 6A 46 00 00 C8 42    # size 20000 15000 100\n"
                 "00 00                                  # material 0\n"
                 "FF FF                                  # texture -1: nothing follows, no LCKS\n");
    EXPECT_EQ(recordOf(slab, Encoding::Text),
              lines({"CUBE", std::string("4 ") + wizard::sjis::kSiteName, "0.000000", "0.000000", "-50.000000", "0.000000",
                     "0.000000", "0.000000", "20000.000000", "15000.000000", "100.000000", "0", "-1"}));
}

// 2. The texture part and the lock chunk: one row per form.
TEST(CWCube, TexturePartAndLocks)
{
    struct Row {
        const char* what;
        void (*setUp)(CWCube&);
        std::string tail;  // the bytes after the material index
    };
    const Row rows[] = {
        {"no texture", [](CWCube&) {}, "FF FF"},
        {"own texture 3", [](CWCube& c) { c.SetTextureIndex(3); }, std::string("03 00 ") + kDefaultParams},
        {"own texture 0, letter D", [](CWCube& c) { c.SetTextureIndex(0); c.setLetter1('D'); }, "00 00 44"},
        {"every parameter in its slot",
         [](CWCube& c) {
             c.SetTextureIndex(1);
             c.setLetter1('A'); c.setLetter2('B'); c.setLetter3('C'); c.setFloat1(2.0f); c.setFloat2(-1.0f);
             c.setLetter4('E'); c.setLetter5('F'); c.setLetter6('G'); c.setFloat3(1000.0f);
         },
         "01 00 41 42 43 00 00 00 40 00 00 80 BF 45 46 47 00 00 7A 44"},
        {"two wraps; the own texture index is not written",
         [](CWCube& c) {
             c.SetTextureIndex(4);
             c.AddPartialWrap(wrap("t1", 5));
             CWPartialWrap second = wrap("t2", 7);
             second.setLetter1('D');
             c.AddPartialWrap(second);
         },
         std::string("FE FF 02 00  02 00 74 31 05 00 ") + kDefaultParams + " 02 00 74 32 07 00 44"},
        // 2026-12-07, found by the reader's fuzzing: -2 alone was written as the wraps marker.
        {"own texture -2 without wraps reads as none", [](CWCube& c) { c.SetTextureIndex(-2); }, "FF FF"},
        {"own texture -3: negative, nothing follows", [](CWCube& c) { c.SetTextureIndex(-3); }, "FD FF"},
        {"wraps cleared: no-wrap form again",
         [](CWCube& c) { c.AddPartialWrap(wrap("t1", 5)); c.ClearPartialWraps(); }, "FF FF"},
        {"locks 5 0 0", [](CWCube& c) { c.setLock(5, 0, 0); }, "FF FF 4C 43 4B 53 02 00 07 00 07 00"},
        {"locks 8 0 0: non-zero, low bits 0", [](CWCube& c) { c.setLock(8, 0, 0); }, "FF FF 4C 43 4B 53 07 00 07 00 07 00"},
        {"locks 0 7 0xFFFFFFF9", [](CWCube& c) { c.setLock(0, 7, 0xFFFFFFF9u); }, "FF FF 4C 43 4B 53 07 00 00 00 06 00"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CWCube cube = cubeS();
        row.setUp(cube);
        EXPECT_BYTES(recordOf(cube, Encoding::Binary), std::string(kCubeHead) + row.tail);
    }
}

// A wrap in text: file name line, index line, the parameter lines.
TEST(CWPartialWrap, RecordText)
{
    CWPartialWrap w = wrap("t.bmp", -3);
    EXPECT_EQ(recordOf(w, Encoding::Text),
              lines({"5 t.bmp", "-3", "P", "X", "T", "1.000000", "1.000000", "D", "N", "N", "0.000000"}));
}

// 3. A wrap without a file name stops the cube's record right after the preceding wrap.
TEST(CWCube, WrapWithoutFileNameFails)
{
    CWCube cube = cubeS();
    cube.AddPartialWrap(wrap("t1", 5));
    cube.AddPartialWrap(CWPartialWrap());
    std::string failure;
    EXPECT_BYTES(recordOf(cube, Encoding::Binary, &failure),
                 std::string(kCubeHead) + "FE FF 02 00 02 00 74 31 05 00 " + kDefaultParams);
    EXPECT_EQ(failure, "S");
    EXPECT_EQ(testutil::chain(), sjis::kTextureFileNameMissing);
}

// 4. Wrap storage grows to room for one, then doubles.
TEST(CWPrimitiveShape, WrapCapacityGrowth)
{
    CWCube cube;
    std::vector<std::size_t> capacities;
    for (int i = 0; i < 5; ++i) {
        cube.AddPartialWrap(wrap("t", 0));
        capacities.push_back(cube.partialWraps().capacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::size_t>{1, 2, 4, 4, 8}));
    cube.ClearPartialWraps();
    EXPECT_EQ(cube.partialWraps().capacity(), 8u);
}

// A shape's own wrap added to it again while the storage is full (the storage moves as it grows).
TEST(CWPrimitiveShape, AddOwnWrap)
{
    CWCube cube;
    cube.AddPartialWrap(wrap("x", 1));
    ASSERT_EQ(cube.partialWraps().capacity(), 1u);
    cube.AddPartialWrap(cube.partialWraps()[0]);
    ASSERT_EQ(cube.partialWraps().size(), 2u);
    EXPECT_STREQ(cube.partialWraps()[1].textureFileName().GetText(), "x");
    EXPECT_EQ(cube.partialWraps()[1].index(), 1);
}

// 5. Names and copies.
TEST(CWCube, DefaultsAndClone)
{
    CWCube cube;
    EXPECT_STREQ(cube.name().GetText(), sjis::kCubeName);
    EXPECT_STREQ(cube.typeTag().GetText(), "CUBE");
    cube.SetName(wizard::sjis::kFoundationName);
    cube.AddPartialWrap(wrap("t1", 5));
    cube.setLock(1, 2, 3);
    std::unique_ptr<CWPrimitiveShape> clone(cube.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_STREQ(clone->name().GetText(), wizard::sjis::kFoundationName);  // not 直方体
    EXPECT_EQ(recordOf(*clone, Encoding::Binary), recordOf(cube, Encoding::Binary));

    clone->SetName("other");
    clone->SetPosition(1, 2, 3);
    clone->ClearPartialWraps();
    clone->setLock(0, 0, 0);
    EXPECT_STREQ(cube.name().GetText(), wizard::sjis::kFoundationName);
    EXPECT_EQ(cube.position(), CWCoord());
    EXPECT_EQ(cube.partialWraps().size(), 1u);
    EXPECT_EQ(cube.lock()[2], 3u);
}

}  // namespace
