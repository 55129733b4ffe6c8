// FrameLevels.cpp - the levels of the 25 frames (see FrameLevels.h).
#include "builder/FrameLevels.h"

#include "builder/SjisTexts.h"

#include <limits>

namespace wizard {

namespace {

// The frames of the mezzanine block: its roof, and the ceiling, interior and plan of 中4階 to 中2階.
bool isMezzanine(int number)
{
    switch (number) {
    case 3: case 7: case 8: case 9: case 13: case 14: case 15: case 19: case 20: case 21: return true;
    default: return false;
    }
}

// A storey's interior: the main floors' and the mezzanines'. Each hangs from its own ceiling.
bool isInterior(int number)
{
    switch (number) {
    case 5: case 8: case 11: case 14: case 17: case 20: case 23: return true;
    default: return false;
    }
}

}  // namespace

std::array<Level, kFrameCount> frameLevels(const WizardParams& params)
{
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const SplitLevelGeometry geometry = computeGeometry(params);
    const std::array<double, kFrameCount> heights = accumulatedHeights(geometry);
    std::array<Level, kFrameCount> levels{};
    for (int n = 0; n < kFrameCount; ++n) {
        const int number = n + 1;
        const LevelGroup group = number == 1 || number == kFrameCount ? LevelGroup::Site
                                 : isMezzanine(number)                ? LevelGroup::Mezzanine
                                                                      : LevelGroup::Main;
        const bool interior = isInterior(number);
        const double clearHeight = interior ? -geometry.frameOffsets[n] : kNaN;  // it hangs from its ceiling
        levels[n] = Level{number,     sjis::kFrameNames[n], group,    n, geometry.frameOffsets[n],
                          heights[n], interior,             clearHeight};
    }
    return levels;
}

}  // namespace wizard
