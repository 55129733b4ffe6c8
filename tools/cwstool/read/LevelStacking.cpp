// LevelStacking.cpp - the wizard's levels in a scene, checked for stacking (see LevelStacking.h).
#include "tools/cwstool/read/LevelStacking.h"

#include "text/Messages.h"
#include "tools/cwstool/levels/Levels.h"
#include "tools/cwstool/output/TextOutput.h"  // doubleText

#include <algorithm>  // max
#include <cmath>      // fabs, isfinite

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

}  // namespace

void LevelStacking::frame(std::string_view utf8Name, long ordinal, double height)
{
    const int number = wizardPartNumber(utf8Name);
    if (number > 0 && m_levels[number - 1].ordinal == 0) m_levels[number - 1] = Seen{ordinal, height, std::string(utf8Name)};
}

std::vector<std::string> LevelStacking::warnings() const
{
    std::vector<std::string> lines;
    double tallest = 0.0;
    for (const Seen& level : m_levels) {
        if (level.ordinal == 0) return lines;  // not the wizard's scene
        if (std::isfinite(level.height)) tallest = std::max(tallest, std::fabs(level.height));
    }
    // The heights are sums of 32-bit offsets, each rounded on its own (0.21 mm is 0.2099999934f), so a
    // level that stacks can come out a hair off: less than four millionths of the tallest height (0.05
    // mm in a 12 m house) is that rounding, not a level out of place.
    const double rounding = 4e-6 * tallest;

    for (const Below& pair : kStacking) {
        const Seen& lower = m_levels[pair.lower - 1];
        const Seen& upper = m_levels[pair.upper - 1];
        if (lower.height > upper.height + rounding) {
            lines.push_back(messages::filledIn(_("%s (#%s) at %s mm is above %s (#%s) at %s mm"), lower.name,
                                               std::to_string(lower.ordinal), doubleText(lower.height), upper.name,
                                               std::to_string(upper.ordinal), doubleText(upper.height)));
        }
    }
    const Seen& site = m_levels[kSiteFrame - 1];
    if (std::fabs(site.height) > rounding) {
        lines.push_back(messages::filledIn(_("%s (#%s) at %s mm, not on the ground (0)"), site.name,
                                           std::to_string(site.ordinal), doubleText(site.height)));
    }
    return lines;
}

}  // namespace cwstool
