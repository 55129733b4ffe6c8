// Tests for builder/LevelNotes: what the designer is told about rooms, stairs and the level difference.
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

// The notes as one line each, to compare a whole set at once.
std::string lines(const LevelNotes& notes)
{
    std::ostringstream out;
    for (const LowRoom& r : notes.lowRooms) out << "low " << r.storey << " " << r.roomHeight << "\n";
    for (const MezzanineOutside& o : notes.outside)
        out << "outside " << (o.mezzanine ? o.mezzanine : "all") << " " << (o.lower ? o.lower : "-") << " "
            << (o.upper ? o.upper : "-") << " " << o.levelDifference << " " << o.storeyRise << "\n";
    for (const StairFlight& f : notes.flights)
        out << f.from << ">" << f.to << " " << f.rise << " " << f.risers << "x" << f.riser << "\n";
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
        {"defaults: every flight 1450 mm in 7 risers of 207 mm, nothing else", [](WizardParams&) {},
         "1階>中2階 1450 7x207\n中2階>2階 1450 7x207\n2階>中3階 1450 7x207\n"
         "中3階>3階 1450 7x207\n3階>中4階 1450 7x207\n中4階>4階 1450 7x207\n"},
        {"room height 1 at 2000: the first floor and the mezzanine over it are low; the flight up to the "
         "second floor is q1 = 500 + 2000 - 1450",
         [](WizardParams& p) { p.m_roomHeight1 = 2000; },
         "low 1階 2000\nlow 中2階 2000\n"
         "1階>中2階 1450 7x207\n中2階>2階 1050 5x210\n2階>中3階 1450 7x207\n"
         "中3階>3階 1450 7x207\n3階>中4階 1450 7x207\n中4階>4階 1450 7x207\n"},
        {"2100 is enough; 2099.9 is not; the fourth floor has no mezzanine over it",
         [](WizardParams& p) { p.m_roomHeight2 = 2100; p.m_roomHeight4 = 2099.9; p.m_roomHeight3 = 2600; },
         "low 4階 2099.9\n"
         "1階>中2階 1450 7x207\n中2階>2階 1450 7x207\n2階>中3階 1450 7x207\n"
         "中3階>3階 1150 5x230\n3階>中4階 1450 7x207\n中4階>4階 1650 8x206\n"},
        {"a riser that is not whole keeps its one decimal: 1700 / 8",
         [](WizardParams& p) { p.m_levelDifference = 1700; },
         "1階>中2階 1700 8x212.5\n中2階>2階 1200 6x200\n2階>中3階 1700 8x212.5\n"
         "中3階>3階 1200 6x200\n3階>中4階 1700 8x212.5\n中4階>4階 1200 6x200\n"},
        {"no level difference: no mezzanine is above its floor, and no flight rises to it",
         [](WizardParams& p) { p.m_levelDifference = 0; },
         "outside all - - 0 0\n中2階>2階 2900 13x223\n中3階>3階 2900 13x223\n中4階>4階 2900 13x223\n"},
        {"a level difference of a whole storey: the mezzanine reaches the floor above",
         [](WizardParams& p) { p.m_levelDifference = 2900; p.m_roomHeight2 = 3000; },
         "outside 中2階 1階 2階 2900 2900\noutside 中4階 3階 4階 2900 2900\n"
         "1階>中2階 2900 13x223\n2階>中3階 2900 13x223\n中3階>3階 600 3x200\n3階>中4階 2900 13x223\n"},
        {"a field that is not a number leaves out the notes that need it",
         [](WizardParams& p) { p.m_roomHeight1 = std::numeric_limits<double>::quiet_NaN(); },
         "1階>中2階 1450 7x207\n2階>中3階 1450 7x207\n"
         "中3階>3階 1450 7x207\n3階>中4階 1450 7x207\n中4階>4階 1450 7x207\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WizardParams params = defaultParams();
        row.change(params);
        EXPECT_EQ(lines(levelNotes(params)), row.expected);
    }
}

}  // namespace
