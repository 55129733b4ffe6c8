// LevelStacking.cpp - the wizard's levels in a scene, checked for stacking (see LevelStacking.h).
#include "tools/cwstool/LevelStacking.h"

#include "platform/Messages.h"
#include "tools/cwstool/Levels.h"
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

// The wizard's part number of a level (1 outermost, 25 innermost), or 0 for a frame that is none of
// its levels. From the top of the chain: each storey's ceiling, interior and plan, the main block's
// fourth storey first, and the mezzanine over a storey between it and the storey below.
int partNumberOf(std::string_view utf8Name)
{
    if (utf8Name == "エクステリア") return 1;
    if (utf8Name == "基礎・敷地") return kSiteFrame;
    const LevelName level = levelNameOf(utf8Name);
    if (level.kind == LevelKind::Other || level.storey < 1 || level.storey > 4) return 0;
    if (level.kind == LevelKind::Roof) return level.storey != 4 ? 0 : level.mezzanine ? 3 : 2;
    const int ceiling = level.mezzanine ? (level.storey == 1 ? 0 : 7 + 6 * (4 - level.storey))  // 7, 13, 19
                                        : 4 + 6 * (4 - level.storey);                             // 4, 10, 16, 22
    if (ceiling == 0) return 0;
    return ceiling + (level.kind == LevelKind::Ceiling ? 0 : level.kind == LevelKind::Interior ? 1 : 2);
}



}  // namespace

void LevelStacking::frame(std::string_view utf8Name, long ordinal, double height)
{
    const int number = partNumberOf(utf8Name);
    if (number > 0 && m_levels[number - 1].ordinal == 0) m_levels[number - 1] = Seen{ordinal, height, std::string(utf8Name)};
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
            lines.push_back(messages::filledIn(_("%s (#%s) at %s mm is above %s (#%s) at %s mm"), lower.name,
                                               std::to_string(lower.ordinal), doubleText(lower.height), upper.name,
                                               std::to_string(upper.ordinal), doubleText(upper.height)));
        }
    }
    const Seen& site = m_levels[kSiteFrame - 1];
    if (site.height != 0.0) {
        lines.push_back(messages::filledIn(_("%s (#%s) at %s mm, not on the ground (0)"), site.name,
                                           std::to_string(site.ordinal), doubleText(site.height)));
    }
    return lines;
}

}  // namespace cwstool
