// FrameLevels.h - the 25 levels of the split-level house: each frame's height above the ground, its
// offset from the frame it hangs from, its block, and a storey's clear height.
//
// Builder layer, pure arithmetic. The same arithmetic the builder places the frames with
// (builder/SplitLevelGeometry), so what the shell shows before OK (app/LevelTable.h) is what the scene
// file will hold.
#pragma once

#include "builder/SplitLevelGeometry.h"  // kFrameCount

#include <array>

namespace wizard {

struct WizardParams;

enum class LevelGroup {
    Main,       // the main block: roof, ceilings, interiors and plans of floors 1 to 4
    Mezzanine,  // the other block, half a level up: 中2階 to 中4階 and their roof
    Site,       // the exterior (the scene's root) and the foundation and site at the bottom
};

struct Level {
    int number;            // the frame's part number, 1 (outermost) to 25
    const char* sjisName;  // its name as the scene file holds it (Shift-JIS, builder/SjisTexts.h)
    LevelGroup group;
    int parent;            // the frame it hangs from, whose height its offset is added to: number − 1 (the
                           // frames nest in one chain, which is not the order of the groups: 4階天井 hangs
                           // from 中4階屋根); 0 for the root
    double offset;         // mm, relative to the parent frame; NaN when a dimension it needs is NaN
    double height;         // mm above the ground (GL, where the site slab's top and the foundation's foot
                           // are: the sum of the offsets down to it); NaN likewise
    bool interior;         // a storey's interior (インテリア): the floor of a room
    double clearHeight;    // an interior's: mm from its floor up to its ceiling (its parent); NaN for any
                           // other level, and likewise
};

// The levels of the 25 frames for these dimensions, frame 1 first. A dimension that is NaN (a field
// that is not a number) makes every value that depends on it NaN; the others are computed as usual.
std::array<Level, kFrameCount> frameLevels(const WizardParams& params);

}  // namespace wizard
