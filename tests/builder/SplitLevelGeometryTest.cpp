// Tests for builder/SplitLevelGeometry: parameters in, heights out, no scene objects involved.
#include "builder/SplitLevelGeometry.h"

#include "app/WizardParams.h"

#include <gtest/gtest.h>

namespace {

WizardParams defaults()
{
    WizardParams p;
    p.m_foundationHeight = 400;
    p.m_buildingDepth = 10;
    p.m_buildingWidth = 10;
    p.m_levelDifference = 1450;
    p.m_otherFloorThickness = 500;
    p.m_firstFloorThickness = 210;
    p.m_roomHeight1 = p.m_roomHeight2 = p.m_roomHeight3 = p.m_roomHeight4 = 2400;
    p.m_siteDepth = 15;
    p.m_siteWidth = 15;
    p.m_wallThickness = 100;
    return p;
}

// The frame table with the default dimensions: offsets and accumulated heights, frame 1 first.
TEST(SplitLevelGeometry, DefaultFrameTable)
{
    const double offsets[kFrameCount] = {0,     11960, -1450, 1200,  -2400, -250,  1200,  -2400, -250,
                                         1200,  -2400, -250,  1200,  -2400, -250,  1200,  -2400, -250,
                                         1200,  -2400, -250,  1200,  -2400, -210,  -400};
    const double heights[kFrameCount] = {0,    11960, 10510, 11710, 9310, 9060, 10260, 7860, 7610,
                                         8810, 6410,  6160,  7360,  4960, 4710, 5910,  3510, 3260,
                                         4460, 2060,  1810,  3010,  610,  400,  0};
    SplitLevelGeometry g = computeGeometry(defaults());
    EXPECT_EQ(g.totalHeight, 11960.0);
    EXPECT_EQ(g.mezzanineDrop, 1450.0);
    EXPECT_EQ(g.wallHeight, 2900.0);
    std::array<double, kFrameCount> accumulated = accumulatedHeights(g);
    for (int n = 0; n < kFrameCount; ++n) {
        SCOPED_TRACE("frame " + std::to_string(n + 1));
        EXPECT_EQ(g.frameOffsets[n], offsets[n]);
        EXPECT_EQ(accumulated[n], heights[n]);
    }
}

// Unequal room heights: every main-floor ceiling takes q − t/2 with q built from h4, so frame 25 no
// longer returns to 0.
TEST(SplitLevelGeometry, UnequalRoomHeightsFollowTheFormulas)
{
    WizardParams p = defaults();
    p.m_roomHeight1 = 2000;
    SplitLevelGeometry g = computeGeometry(p);
    EXPECT_EQ(g.frameOffsets[1], 11560.0);   // frame 2: a shrinks by 400
    EXPECT_EQ(g.frameOffsets[21], 1200.0);   // frame 22: the 1F ceiling keeps q − t/2
    EXPECT_EQ(g.frameOffsets[22], -2000.0);  // frame 23: −h1
    EXPECT_EQ(g.frameOffsets[19], -2000.0);  // frame 20: the 2F mezzanine interior, −h1
    EXPECT_EQ(accumulatedHeights(g)[24], 400.0);

    p = defaults();
    p.m_roomHeight4 = 3000;  // q grows by 600: the 4F mezzanine ceiling adds it back with h4
    g = computeGeometry(p);
    EXPECT_EQ(g.mezzanineDrop, 2050.0);
    EXPECT_EQ(g.frameOffsets[2], -2050.0);
    EXPECT_EQ(g.frameOffsets[6], 250.0 - 2050.0 + 3000.0);
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
        WizardParams p = defaults();
        p.m_otherFloorThickness = row.t;
        p.m_firstFloorThickness = row.t1;
        p.m_roomHeight1 = row.h1;
        EXPECT_EQ(computeGeometry(p).wallHeight, row.expected);
    }
}

TEST(SplitLevelGeometry, MetresBecomeMillimetres)
{
    WizardParams p = defaults();
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
