// LevelStacking.cpp - the wizard's levels in a scene, checked for stacking (see LevelStacking.h).
#include "tools/cwstool/LevelStacking.h"

#include "scene/SjisTexts.h"  // the wizard's 25 frame names
#include "tools/cwstool/SjisToUtf8.h"
#include "tools/cwstool/TextOutput.h"  // doubleText

namespace cwstool {

namespace {

// Pairs of the wizard's part numbers: the first must not stand above the second.
struct Below {
    int lower;
    int upper;
};
constexpr Below kStacking[] = {
    // a storey's plan, its interior, its ceiling: main floors 4 to 1, then the mezzanines 4 to 2
    {6, 5}, {5, 4}, {12, 11}, {11, 10}, {18, 17}, {17, 16}, {24, 23}, {23, 22},
    {9, 8}, {8, 7}, {15, 14}, {14, 13}, {21, 20}, {20, 19},
    // a ceiling and the plan (or the roof) above it
    {4, 2}, {10, 6}, {16, 12}, {22, 18}, {7, 3}, {13, 9}, {19, 15},
};
constexpr int kSiteFrame = 25;  // 基礎・敷地: the site slab's top and the foundation's foot, on the ground

std::string levelText(int number, long ordinal, double height)
{
    return sjisToUtf8(sjis::kFrameNames[number - 1]) + " (#" + std::to_string(ordinal) + ") at " + doubleText(height) +
           " mm";
}

}  // namespace

void LevelStacking::frame(std::string_view sjisName, long ordinal, double height)
{
    for (int n = 0; n < 25; ++n) {
        if (m_levels[n].ordinal == 0 && sjisName == sjis::kFrameNames[n]) {
            m_levels[n] = Seen{ordinal, height};
            return;
        }
    }
}

std::vector<std::string> LevelStacking::warnings() const
{
    std::vector<std::string> lines;
    for (const Seen& level : m_levels)
        if (level.ordinal == 0) return lines;  // not the wizard's scene

    for (const Below& pair : kStacking) {
        const Seen& lower = m_levels[pair.lower - 1];
        const Seen& upper = m_levels[pair.upper - 1];
        if (lower.height > upper.height) {
            lines.push_back(levelText(pair.lower, lower.ordinal, lower.height) + " is above " +
                            levelText(pair.upper, upper.ordinal, upper.height));
        }
    }
    const Seen& site = m_levels[kSiteFrame - 1];
    if (site.height != 0.0) lines.push_back(levelText(kSiteFrame, site.ordinal, site.height) + ", not on the ground (0)");
    return lines;
}

}  // namespace cwstool
