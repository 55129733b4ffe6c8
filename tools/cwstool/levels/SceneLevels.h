// SceneLevels.h - what the exports read of a built scene beyond its nodes: the storeys its frames name
// (Levels.h) and its boxes at their places above the root, as the section preview reads them from the
// records. Heights are sums of frame positions from the root down; rotations and scales are not
// applied (counted, so that an export can say so).
// Tool layer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/cwstool/levels/FramePlacement.h"  // Point
#include "tools/cwstool/levels/Levels.h"

class CWScene;
class CWString;

namespace cwstool {

// A name of the scene (Shift-JIS) in UTF-8.
std::string utf8Of(const CWString& sjis);

struct PlacedBox {
    std::string name;            // UTF-8
    std::string path;            // the frames' names from the root, then the box's name and "#i", its
                                 // place among the frame's shapes: a key that stays while others change
    Point centre;                // mm above and beside the root
    Point size;                  // extents, mm (a negative size spans the same box)
    std::int16_t materialIndex;  // -1: none
};

struct SceneLevels {
    Storeys storeys;
    std::vector<PlacedBox> boxes;  // in file order, those whose values are all finite
    long nonFiniteBoxes = 0;       // boxes left out of `boxes`
    long turned = 0;               // frames and boxes with a rotation, or frames with a scale other than 1
};

SceneLevels sceneLevels(const CWScene& scene);

// The box that reaches highest, as the section preview takes the building's width from it; null when
// there is no box.
const PlacedBox* buildingBox(const SceneLevels& levels);

}  // namespace cwstool
