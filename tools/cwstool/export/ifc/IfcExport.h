// IfcExport.h - a scene as IFC4 for BIM software, `cwstool export FILE OUT.ifc`: the storeys that the
// wizard's frames name become building storeys, the main floors whole (ELEMENT) and each mezzanine a
// part (PARTIAL) of the main storey below it; the foundation block a footing, the site slab the site's
// body. The mapping and what it leaves out are in docs/ifc-export.md.
//
// Tool layer. The model mapping is here (IfcExport.cpp, with the storeys' layout in ifcStoreys); the
// STEP text is StepWriter's, the GlobalIds IfcGlobalId's. The file is written by the caller through
// writeWholeFile, as the glTF export is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/cwstool/levels/SceneLevels.h"

class CWScene;

namespace cwstool {

// What the IFC says about where it came from.
struct IfcSource {
    std::string_view content;  // the scene file's bytes: the GlobalIds are derived from them
    std::string projectName;   // UTF-8, the project's and the building's name: the scene file's name
    std::string fileName;      // UTF-8, the IFC file's own name, for its header
};

struct IfcExport {
    std::string bytes;                  // the whole file
    std::vector<std::string> warnings;  // one line per thing left out or assumed
};

IfcExport ifcFromScene(const CWScene& scene, const IfcSource& source);

// One IfcBuildingStorey, as ifcStoreys lays them out.
struct IfcStorey {
    std::string name;     // "1階", "中2階"
    std::string path;     // the key of its GlobalId: "storey/" and its interior frame's name
    double elevation;     // mm above the root: its interior (finished floor)
    double grossHeight;   // to the next floor above in its block (or its roof); NaN when unknown
    double netHeight;     // interior to ceiling; NaN when unknown
    bool partial;         // a mezzanine, part of the main storey `parent`
    int parent;           // index of that main storey in the list; -1: directly in the building
};

// The storeys of a scene: the main storeys (ELEMENT) by elevation, then the mezzanines (PARTIAL), each
// aggregated under the highest main storey at or below its elevation (the lowest when none is; a
// scene without main storeys has its mezzanines as ELEMENT storeys of the building). Only storeys
// with an interior count. Empty when the frames name no storey.
std::vector<IfcStorey> ifcStoreys(const Storeys& storeys);

}  // namespace cwstool
