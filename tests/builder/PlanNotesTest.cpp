// Tests for builder/PlanNotes: the notes on the rows' units, sizes and the site at and around each
// threshold, and the figures of the plan, worked out by hand.
#include "builder/PlanNotes.h"

#include "DefaultParams.h"

#include <cwscene/NumberText.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::defaultParams;

// A dimension by its place in kDimensions (the dialog's row − 1).
std::size_t rowOf(double WizardParams::*member)
{
    for (std::size_t i = 0; i < kDimensions.size(); ++i)
        if (kDimensions[i].member == member) return i + 1;
    return 0;
}

// The notes as one line each: "kind row value other", and the excess and the site's row for the site
// notes; numbers to 15 digits, so that 0.0999999999999996 does not pass for 0.1.
std::string lines(const std::vector<PlanNote>& notes)
{
    const char* kinds[] = {"mm-in-m", "m-in-mm", "not>0", "wider", "deeper"};
    std::ostringstream out;
    for (const PlanNote& n : notes) {
        out << kinds[static_cast<int>(n.kind)] << " " << rowOf(n.member) << " " << numtext::general(n.value) << " "
            << numtext::general(n.other);
        if (n.site != nullptr) out << " by " << numtext::general(n.excess) << " site " << rowOf(n.site);
        out << "\n";
    }
    return out.str();
}

TEST(PlanNotes, AtAndAroundEachThreshold)
{
    struct Row {
        const char* what;
        void (*change)(WizardParams&);
        const char* expected;
    };
    const Row rows[] = {
        {"defaults: nothing, though 500 mm is a thick slab", [](WizardParams&) {}, ""},
        // row 11 is the building width
        {"a building width typed in millimetres, wider than its site too", [](WizardParams& p) { p.m_buildingWidth = 15000; },
         "mm-in-m 11 15000 15\nwider 11 15000 15 by 14985 site 9\n"},
        {"200 m is still metres; above it is not", [](WizardParams& p) { p.m_siteWidth = 200; p.m_siteDepth = 200.5; },
         "mm-in-m 10 200.5 0.2005\n"},
        {"20 mm is a value in millimetres; below it and above 0 is not",
         [](WizardParams& p) { p.m_wallThickness = 20; p.m_roomHeight1 = 2.4; p.m_firstFloorThickness = 19.99; },
         "m-in-mm 2 19.99 19990\nm-in-mm 4 2.4 2400\n"},
        {"a level difference in metres too", [](WizardParams& p) { p.m_levelDifference = 1.45; }, "m-in-mm 8 1.45 1450\n"},
        {"a level difference below 0 has its own note (LevelNotes)", [](WizardParams& p) { p.m_levelDifference = -300; }, ""},
        {"zero and negative sizes, and no site to compare a negative size with",
         [](WizardParams& p) { p.m_foundationHeight = -400; p.m_wallThickness = 0; p.m_buildingWidth = -5; p.m_siteDepth = 0; p.m_buildingDepth = 20; },
         "not>0 1 -400 0\nnot>0 10 0 0\nnot>0 11 -5 0\nnot>0 13 0 0\n"},
        {"a building that fills its site, or leaves 0.3 m of it, is on it",
         [](WizardParams& p) { p.m_buildingWidth = 15; p.m_buildingDepth = 14.7; }, ""},
        {"wider by 0.1 m shows as 0.1, and deeper by a millimetre",
         [](WizardParams& p) { p.m_siteWidth = 10; p.m_buildingWidth = 10.1; p.m_buildingDepth = 15.001; },
         "wider 11 10.1 10 by 0.1 site 9\ndeeper 12 15.001 15 by 0.001 site 10\n"},
        {"a field that is not a number has no note, nor any comparison with it",
         [](WizardParams& p) { p.m_siteWidth = std::numeric_limits<double>::quiet_NaN(); p.m_buildingWidth = 20; }, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WizardParams params = defaultParams();
        row.change(params);
        EXPECT_EQ(lines(planNotes(params)), row.expected);
    }
}

TEST(PlanFigures, AreasCoverageAndTheHighestRoofByHand)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Row {
        const char* what;
        void (*change)(WizardParams&);
        PlanFigures expected;
    };
    const Row rows[] = {
        // 10 × 10, 15 × 15, 100 / 225 = 44.44 %; a = 3.5 · 500 + 4 · 2400 + 210 + 400
        {"defaults", [](WizardParams&) {}, {100, 225, 44.4, 11960, 10000}},
        // 9.1 × 7.28 = 66.248, 16 × 13.5 = 216, 66.248 / 216 = 30.67 %;
        // a = 3.5 · 300 + 2700 + 2400 + 2500 + 2600 + 150 + 550 = 11950, and the level difference lifts
        // the mezzanine roof above it: q4 = 300 + 2700 − 3200 = −200, so 11950 + 200 = 12150, above 12 m
        {"an unequal house whose mezzanine roof is the highest",
         [](WizardParams& p) {
             p.m_buildingWidth = 9.1, p.m_buildingDepth = 7.28, p.m_siteWidth = 16, p.m_siteDepth = 13.5;
             p.m_foundationHeight = 550, p.m_firstFloorThickness = 150, p.m_otherFloorThickness = 300;
             p.m_roomHeight1 = 2600, p.m_roomHeight2 = 2500, p.m_roomHeight3 = 2400, p.m_roomHeight4 = 2700;
             p.m_levelDifference = 3200;
         },
         {66.25, 216, 30.7, 12150, 12000}},
        // 3.5 · 500 + 4 · 2000 + 210 + 40 = 10000: at the limit is within it
        {"10 m exactly is not above 10 m; a side of 0 gives no area",
         [](WizardParams& p) {
             p.m_roomHeight1 = p.m_roomHeight2 = p.m_roomHeight3 = p.m_roomHeight4 = 2000;
             p.m_foundationHeight = 40, p.m_buildingDepth = 0;
         },
         {kNaN, 225, kNaN, 10000, 0}},
    };
    auto same = [](double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WizardParams params = defaultParams();
        row.change(params);
        const PlanFigures f = planFigures(params);
        EXPECT_PRED2(same, f.buildingArea, row.expected.buildingArea);
        EXPECT_PRED2(same, f.siteArea, row.expected.siteArea);
        EXPECT_PRED2(same, f.coverage, row.expected.coverage);
        EXPECT_PRED2(same, f.highestRoof, row.expected.highestRoof);
        EXPECT_EQ(f.heightLimit, row.expected.heightLimit);
    }
}

}  // namespace
