// Tests for app/LevelTable (the levels shown before OK) and app/RangeCheck (what a person is
// warned about before values too large reach the files).
#include "app/LevelTable.h"
#include "app/RangeCheck.h"

#include "builder/ParamFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <cwscene/NumberText.h>

using namespace wizard;  // the wizard's code under test

namespace {

FieldTexts defaultTexts()
{
    WizardParams params;
    SetDefaultParams(params);
    return formatFieldTexts(params);
}

// Heights above the site by hand, frame 1 first, for the default dimensions.
const double kDefaultHeights[25] = {0,    11960, 10510, 11710, 9310, 9060, 10260, 7860, 7610,
                                    8810, 6410,  6160,  7360,  4960, 4710, 5910,  3510, 3260,
                                    4460, 2060,  1810,  3010,  610,  400,  0};

TEST(LevelTable, DefaultsGroupedAsTheSectionDrawsThem)
{
    LevelTable table = levelTable(defaultTexts());
    int mezzanines = 0, site = 0;
    for (int n = 0; n < 25; ++n) {
        const Level& level = table.levels[n];
        EXPECT_EQ(level.number, n + 1);
        EXPECT_EQ(level.height, kDefaultHeights[n]) << "frame " << n + 1;
        mezzanines += level.group == LevelGroup::Mezzanine;
        site += level.group == LevelGroup::Site;
    }
    EXPECT_EQ(table.levels[2].group, LevelGroup::Mezzanine);   // 中4階屋根
    EXPECT_EQ(table.levels[3].parent, 3);                      // 4階天井 hangs from 中4階屋根
    EXPECT_EQ(table.levels[0].parent, 0);
    EXPECT_EQ(table.levels[21].group, LevelGroup::Main);       // 1階天井
    EXPECT_EQ(mezzanines, 10);
    EXPECT_EQ(site, 2);
    EXPECT_EQ(table.totalHeight, 11960.0);
    EXPECT_TRUE(table.badFields.empty());
}

// As typed: full-width digits count, and a text that is not a number leaves exactly the values that
// depend on it unknown.
TEST(LevelTable, ComputesWhatTheTextsAllow)
{
    FieldTexts texts = defaultTexts();
    texts[3] = "\xEF\xBC\x92\xEF\xBC\x90\xEF\xBC\x90\xEF\xBC\x90";  // row 4, １階部屋高: ２０００
    LevelTable table = levelTable(texts);
    EXPECT_EQ(table.levels[1].offset, 11560.0);     // the fourth-floor roof comes down by 400
    EXPECT_EQ(table.levels[21].height, 2610.0);     // 1階天井, from its own storey's drop
    EXPECT_EQ(table.levels[22].clearHeight, 2000.0);  // 1階インテリア up to it
    EXPECT_EQ(table.levels[19].clearHeight, 2000.0);  // 中2階インテリア: the mezzanine over storey 1
    EXPECT_EQ(table.levels[24].height, 0.0);        // and the site is on the ground

    texts[3] = "abc";
    table = levelTable(texts);
    EXPECT_EQ(table.badFields, std::vector<std::size_t>{3});
    EXPECT_EQ(table.levels[0].height, 0.0);
    EXPECT_EQ(table.levels[4].offset, -2400.0);  // 4階インテリア: only the fourth room height
    EXPECT_TRUE(std::isnan(table.levels[1].offset));
    EXPECT_TRUE(std::isnan(table.levels[22].offset));  // 1階インテリア: −h1
    EXPECT_TRUE(std::isnan(table.levels[4].height));
    EXPECT_TRUE(std::isnan(table.totalHeight));
}

TEST(RangeCheck, WarnsAboutWhatTheFilesCannotHold)
{
    using Kind = RangeWarning::Kind;
    // Each warning as "kind row/frame value name" to compare a set at once.
    auto line = [](const RangeWarning& w) {
        const char* kinds[] = {"row", "frame", "wall", "registry"};
        return std::string(kinds[static_cast<int>(w.kind)]) + " " +
               std::to_string(w.kind == Kind::FrameBeyondFloat ? w.frame : static_cast<int>(w.row)) + " " +
               numtext::general(w.value) + (w.registryName ? std::string(" ") + w.registryName : "");
    };
    struct Row {
        const char* what;
        void (*change)(WizardParams&);
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"defaults", [](WizardParams&) {}, {}},
        {"one room height beyond a float", [](WizardParams& p) { p.m_roomHeight1 = 1e39; }, {"row 3 1e+039"}},
        {"a site width in metres beyond a float in millimetres", [](WizardParams& p) { p.m_siteWidth = 1e36; },
         {"row 8 1e+036"}},
        {"two heights that fit, but not together", [](WizardParams& p) { p.m_roomHeight1 = p.m_roomHeight2 = 2e38; },
         {"frame 2 4e+038"}},
        {"a wall height whose registry text would not fit", [](WizardParams& p) { p.m_roomHeight1 = 1e300; },
         {"row 3 1e+300", "registry 0 0 WallDefaultHeight"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WizardParams params;
        SetDefaultParams(params);
        row.change(params);
        std::vector<std::string> shown;
        for (const RangeWarning& warning : rangeWarnings(params)) shown.push_back(line(warning));
        EXPECT_EQ(shown, row.expected);
    }
}

}  // namespace
