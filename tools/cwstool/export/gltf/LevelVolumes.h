// LevelVolumes.h - the storeys of a scene as blocks to draw (`cwstool export --levels`): each storey a
// room from its interior to its ceiling with its floor slab beneath, and a roof slab over a block's
// top storey. A split-level house has its two blocks side by side, each over one half of the
// building's depth, half a level apart: the main block over the back half of the foundation block
// (+y), the mezzanines over the front half. An illustration of the levels: the scene holds no walls.
// Layout only; GltfExport.cpp draws them.
// Tool layer.
#pragma once

#include <string>
#include <vector>

#include "tools/cwstool/levels/SceneLevels.h"

namespace cwstool {

struct LevelVolume {
    enum Kind { MainRoom, MezzanineRoom, Slab };
    std::string name;  // UTF-8: "1階", "1階 floor slab", "4階 roof"
    Kind kind;
    Point min, max;    // mm, the scene's axes, above and beside the root
};

// Storey by storey from the bottom of each block, the main block first; rooms and slabs of no height
// (a level missing, or two at one height) are left out. Without a box the building is a square
// about half as wide as it is high, centred on the root, as the section preview draws it.
std::vector<LevelVolume> levelVolumes(const SceneLevels& levels);

}  // namespace cwstool
