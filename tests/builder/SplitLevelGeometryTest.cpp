// Tests for builder/SplitLevelGeometry: parameters in, heights out, no scene objects involved.
#include "builder/SplitLevelGeometry.h"

#include "DefaultParams.h"
#include "builder/WizardParams.h"

#include <gtest/gtest.h>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::defaultParams;

// The frame table with the default dimensions: offsets and accumulated heights, frame 1 first.
TEST(SplitLevelGeometry, DefaultFrameTable)
{
    const double offsets[kFrameCount] = {0,     11960, -1450, 1200,  -2400, -250,  1200,  -2400, -250,
                                         1200,  -2400, -250,  1200,  -2400, -250,  1200,  -2400, -250,
                                         1200,  -2400, -250,  1200,  -2400, -210,  -400};
    const double heights[kFrameCount] = {0,    11960, 10510, 11710, 9310, 9060, 10260, 7860, 7610,
                                         8810, 6410,  6160,  7360,  4960, 4710, 5910,  3510, 3260,
                                         4460, 2060,  1810,  3010,  610,  400,  0};
    SplitLevelGeometry g = computeGeometry(defaultParams());
    EXPECT_EQ(g.totalHeight, 11960.0);
    EXPECT_EQ(g.storeyDrops, (std::array<double, 4>{1450, 1450, 1450, 1450}));
    EXPECT_EQ(g.wallHeight, 2900.0);
    std::array<double, kFrameCount> accumulated = accumulatedHeights(g);
    for (int n = 0; n < kFrameCount; ++n) {
        SCOPED_TRACE("frame " + std::to_string(n + 1));
        EXPECT_EQ(g.frameOffsets[n], offsets[n]);
        EXPECT_EQ(accumulated[n], heights[n]);
    }
}

// Unequal room heights: each ceiling takes its own storey's drop q_k = t + h_k − L, so the levels
// stack and frame 25 is back on the ground. (Earlier versions placed every ceiling with q_4, which left
// the 1F ceiling above the 2F plan and the site floating; see zendel-h1-2000-old-formula.hex.)
TEST(SplitLevelGeometry, UnequalRoomHeightsStack)
{
    struct Row {
        const char* what;
        double h1, h2, h3, h4;
        double offsets[kFrameCount];
        double heights[kFrameCount];
    };
    const Row rows[] = {
        {"h1 2000: only the 1F ceiling moves, by 400", 2000, 2400, 2400, 2400,
         {0, 11560, -1450, 1200, -2400, -250, 1200, -2400, -250, 1200, -2400, -250, 1200,
          -2400, -250, 1200, -2400, -250, 1200, -2000, -250, 800, -2000, -210, -400},
         {0, 11560, 10110, 11310, 8910, 8660, 9860, 7460, 7210, 8410, 6010, 5760, 6960,
          4560, 4310, 5510, 3110, 2860, 4060, 2060, 1810, 2610, 610, 400, 0}},
        {"h2 2600: frames 16 and 19 take q2", 2400, 2600, 2400, 2400,
         {0, 12160, -1450, 1200, -2400, -250, 1200, -2400, -250, 1200, -2400, -250, 1200,
          -2600, -250, 1400, -2600, -250, 1200, -2400, -250, 1200, -2400, -210, -400},
         {0, 12160, 10710, 11910, 9510, 9260, 10460, 8060, 7810, 9010, 6610, 6360, 7560,
          4960, 4710, 6110, 3510, 3260, 4460, 2060, 1810, 3010, 610, 400, 0}},
        {"all four differ", 2000, 2600, 2200, 2800,
         {0, 11960, -1850, 1600, -2800, -250, 1200, -2200, -250, 1000, -2200, -250, 1200,
          -2600, -250, 1400, -2600, -250, 1200, -2000, -250, 800, -2000, -210, -400},
         {0, 11960, 10110, 11710, 8910, 8660, 9860, 7660, 7410, 8410, 6210, 5960, 7160,
          4560, 4310, 5710, 3110, 2860, 4060, 2060, 1810, 2610, 610, 400, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WizardParams p = defaultParams();
        p.m_roomHeight1 = row.h1;
        p.m_roomHeight2 = row.h2;
        p.m_roomHeight3 = row.h3;
        p.m_roomHeight4 = row.h4;
        SplitLevelGeometry g = computeGeometry(p);
        std::array<double, kFrameCount> accumulated = accumulatedHeights(g);
        for (int n = 0; n < kFrameCount; ++n) {
            SCOPED_TRACE("frame " + std::to_string(n + 1));
            EXPECT_EQ(g.frameOffsets[n], row.offsets[n]);
            EXPECT_EQ(accumulated[n], row.heights[n]);
        }
    }
}

// The wall height takes the larger of the first-floor slab and half the other slabs.
TEST(SplitLevelGeometry, WallHeightBranches)
{
    struct Row { double t, t1, h1, expected; };
    const Row rows[] = {
        {500, 210, 2400, 2900},  // t/2 = 250 > t1: h1 + t
        {400, 200, 2400, 2800},  // t/2 == t1: t/2 + h1 + t1
        {300, 210, 2400, 2760},  // t/2 = 150 < t1: 150 + h1 + 210
        {500, 210, 2000, 2500},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "t " << row.t << " t1 " << row.t1 << " h1 " << row.h1);
        WizardParams p = defaultParams();
        p.m_otherFloorThickness = row.t;
        p.m_firstFloorThickness = row.t1;
        p.m_roomHeight1 = row.h1;
        EXPECT_EQ(computeGeometry(p).wallHeight, row.expected);
    }
}

TEST(SplitLevelGeometry, MetresBecomeMillimetres)
{
    WizardParams p = defaultParams();
    p.m_siteWidth = 12.5;
    p.m_siteDepth = 30;
    p.m_buildingWidth = 8.25;
    p.m_buildingDepth = -1;  // no range check: degenerate sizes pass through
    SplitLevelGeometry g = computeGeometry(p);
    EXPECT_EQ(g.siteSizeX, 12500.0);
    EXPECT_EQ(g.siteSizeY, 30000.0);
    EXPECT_EQ(g.buildingSizeX, 8250.0);
    EXPECT_EQ(g.buildingSizeY, -1000.0);
}

}  // namespace
