// IfcExport.h - a scene as IFC4 for BIM software, `cwstool export FILE OUT.ifc`: the storeys that the
// wizard's frames name become building storeys, the main floors whole (ELEMENT) and each mezzanine a
// part (PARTIAL) of the main storey below it, each with its room (IfcSpace) and its floor slab
// (IfcSlab), the roofs as roof slabs; the foundation block a footing, the site slab the terrain. The
// mapping and what it leaves out are in docs/ifc-export.md.
//
// Tool layer. The file is written as it is produced: the scene file is read twice through the record
// parser, first for its levels (a few values per storey), then for its boxes, each written out as it
// comes; what is kept meanwhile does not grow with the number of boxes. The model mapping is here
// (IfcExport.cpp, with the storeys' layout in ifcStoreys); the STEP text is StepWriter's, the
// GlobalIds IfcGlobalId's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/cwstool/levels/Levels.h"

namespace cwstool {

// What the IFC says about where it came from.
struct IfcOptions {
    std::string identity;     // the project's identity, that the GlobalIds derive from (--id, else the name)
    std::string projectName;  // UTF-8, the project's and the building's name: the scene file's name
    std::string fileName;     // UTF-8, the IFC file's own name, for its header
    std::string timeStamp;    // the header's ISO 8601 time stamp (ifcTimeStamp)
};

struct IfcResult {
    std::string sceneError;             // the scene file refused or unreadable: why; "" when read
    std::string outputError;            // the output not written: why; "" when written (or not tried)
    std::vector<std::string> warnings;  // one line per thing left out or assumed
};

// Writes the IFC of the scene file at `scenePath` to `outPath`, complete or not at all.
IfcResult exportIfc(const std::string& scenePath, const std::string& outPath, const IfcOptions& options);

// The same into memory, for a scene file's bytes: the IFC text in `ifc`.
IfcResult ifcFromBytes(std::string_view sceneBytes, const IfcOptions& options, std::string& ifc);

// "2026-12-08T00:25:00+00:00": seconds since 1970-01-01 in UTC as ISO 8601 wants them.
std::string ifcTimeStamp(std::int64_t secondsSinceEpoch);

// "Skip floor wizard developers - cwstool - 1.0.1": the header's originating system, organisation,
// application and version apart with " - " and no '-' inside any of them.
std::string ifcOriginatingSystem();

// One IfcBuildingStorey, as ifcStoreys lays them out.
struct IfcStorey {
    std::string name;     // "1階", "中2階"
    double elevation;     // mm above the root: its interior (finished floor)
    double grossHeight;   // to the next floor above in its block (or its roof); NaN when unknown
    double netHeight;     // interior to ceiling; NaN when unknown
    bool partial;         // a mezzanine, part of the main storey `parent`
    int parent;           // index of that main storey in the list; -1: directly in the building
    double slabBottom;    // the foot of its floor slab (its top is the interior); NaN when unknown
    double ceiling;       // NaN when it has none
    double roof;          // its block's roof, over its top storey; NaN for the others
};

// The storeys of a scene: the main storeys (ELEMENT) by elevation, then the mezzanines (PARTIAL), each
// aggregated under the highest main storey at or below its elevation (the lowest when none is; a
// scene without main storeys has its mezzanines as ELEMENT storeys of the building). Only storeys
// with an interior count. Empty when the frames name no storey.
std::vector<IfcStorey> ifcStoreys(const Storeys& storeys);

}  // namespace cwstool
