// Tests for builder/LevelNotes: what the designer is told about rooms, stairs (with their treads) and
// the level difference.
#include "builder/LevelNotes.h"

#include "DefaultParams.h"
#include "builder/WizardParams.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::defaultParams;

// The rule a flight's least tread comes from, when no tread is left.
const char* ruleName(TreadRule rule)
{
    const char* names[] = {"law", "grade", "slope", "step>=550", "step<=650"};
    return names[static_cast<int>(rule)];
}

// The notes as one line each, to compare a whole set at once; a flight with its treads ("T198-235"),
// or the rule that leaves none against 2R + T <= 650.
std::string lines(const LevelNotes& notes)
{
    std::ostringstream out;
    for (const LowRoom& r : notes.lowRooms) out << "low " << r.storey << " " << r.roomHeight << "\n";
    for (const MezzanineOutside& o : notes.outside)
        out << "outside " << (o.mezzanine ? o.mezzanine : "all") << " " << (o.lower ? o.lower : "-") << " "
            << (o.upper ? o.upper : "-") << " " << o.levelDifference << " " << o.storeyRise << "\n";
    for (const StairFlight& f : notes.flights) {
        out << f.from << ">" << f.to << " " << f.rise << " " << f.risers << "x" << f.riser;
        if (f.treadMin <= f.treadMax) out << " T" << f.treadMin << "-" << f.treadMax << "\n";
        else out << " no tread: " << ruleName(f.bindingRule) << "\n";
    }
    return out.str();
}

TEST(LevelNotes, RoomsStairsAndTheLevelDifference)
{
    struct Row {
        const char* what;
        void (*change)(WizardParams&);
        const char* expected;
    };
    const Row rows[] = {
        // R = 1450 / 7 = 207.14: T >= 21R/22 = 197.7 and T <= 650 - 2R = 235.7 (with R rounded to 207 the
        // most would be 236)
        {"defaults: every flight 1450 mm in 7 risers of 207 mm, treads 198 to 235, nothing else", [](WizardParams&) {},
         "1階>中2階 1450 7x207 T198-235\n中2階>2階 1450 7x207 T198-235\n2階>中3階 1450 7x207 T198-235\n"
         "中3階>3階 1450 7x207 T198-235\n3階>中4階 1450 7x207 T198-235\n中4階>4階 1450 7x207 T198-235\n"},
        {"room height 1 at 2000: the first floor and the mezzanine over it are low; the flight up to the "
         "second floor is q1 = 500 + 2000 - 1450",
         [](WizardParams& p) { p.m_roomHeight1 = 2000; },
         "low 1階 2000\nlow 中2階 2000\n"
         "1階>中2階 1450 7x207 T198-235\n中2階>2階 1050 5x210 T201-230\n2階>中3階 1450 7x207 T198-235\n"
         "中3階>3階 1450 7x207 T198-235\n3階>中4階 1450 7x207 T198-235\n中4階>4階 1450 7x207 T198-235\n"},
        // 5 risers of 230: T >= 21 · 230 / 22 = 219.5 but T <= 650 - 460 = 190
        {"2100 is enough; 2099.9 is not; the fourth floor has no mezzanine over it; a riser of 230 leaves no tread",
         [](WizardParams& p) { p.m_roomHeight2 = 2100; p.m_roomHeight4 = 2099.9; p.m_roomHeight3 = 2600; },
         "low 4階 2099.9\n"
         "1階>中2階 1450 7x207 T198-235\n中2階>2階 1450 7x207 T198-235\n2階>中3階 1450 7x207 T198-235\n"
         "中3階>3階 1150 5x230 no tread: slope\n3階>中4階 1450 7x207 T198-235\n中4階>4階 1650 8x206 T197-237\n"},
        // 200 mm risers: the slope asks only 190.9, so the grades' 195 sets the least
        {"a riser that is not whole keeps its one decimal: 1700 / 8",
         [](WizardParams& p) { p.m_levelDifference = 1700; },
         "1階>中2階 1700 8x212.5 T203-225\n中2階>2階 1200 6x200 T195-250\n2階>中3階 1700 8x212.5 T203-225\n"
         "中3階>3階 1200 6x200 T195-250\n3階>中4階 1700 8x212.5 T203-225\n中4階>4階 1200 6x200 T195-250\n"},
        // 21 · 1474 / (22 · 7) is 201 exactly, so the least tread is 201; taken as 21/22 of the riser
        // 1474 / 7 it comes out a hair above 201 and would be rounded up to 202
        {"a least tread that is a whole number stays that number",
         [](WizardParams& p) { p.m_levelDifference = 1474; },
         "1階>中2階 1474 7x211 T201-228\n中2階>2階 1426 7x204 T195-242\n2階>中3階 1474 7x211 T201-228\n"
         "中3階>3階 1426 7x204 T195-242\n3階>中4階 1474 7x211 T201-228\n中4階>4階 1426 7x204 T195-242\n"},
        {"no level difference: no mezzanine is above its floor, and no flight rises to it",
         [](WizardParams& p) { p.m_levelDifference = 0; },
         "outside all - - 0 0\n中2階>2階 2900 13x223 no tread: slope\n中3階>3階 2900 13x223 no tread: slope\n"
         "中4階>4階 2900 13x223 no tread: slope\n"},
        {"a level difference of a whole storey: the mezzanine reaches the floor above",
         [](WizardParams& p) { p.m_levelDifference = 2900; p.m_roomHeight2 = 3000; },
         "outside 中2階 1階 2階 2900 2900\noutside 中4階 3階 4階 2900 2900\n"
         "1階>中2階 2900 13x223 no tread: slope\n2階>中3階 2900 13x223 no tread: slope\n中3階>3階 600 3x200 T195-250\n"
         "3階>中4階 2900 13x223 no tread: slope\n"},
        {"a field that is not a number leaves out the notes that need it",
         [](WizardParams& p) { p.m_roomHeight1 = std::numeric_limits<double>::quiet_NaN(); },
         "1階>中2階 1450 7x207 T198-235\n2階>中3階 1450 7x207 T198-235\n"
         "中3階>3階 1450 7x207 T198-235\n3階>中4階 1450 7x207 T198-235\n中4階>4階 1450 7x207 T198-235\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WizardParams params = defaultParams();
        row.change(params);
        EXPECT_EQ(lines(levelNotes(params)), row.expected);
    }
}

}  // namespace
