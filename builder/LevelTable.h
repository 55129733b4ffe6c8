// LevelTable.h - the 25 levels of the split-level house as the user is typing them: each frame's
// offset and its height above the site, from the thirteen texts of the dialog.
//
// Portable, pure arithmetic. One computation for every place that shows the levels before OK (the
// console's "levels" command, the Windows dialog's picture and levels list), and the same arithmetic
// the builder uses (builder/SplitLevelGeometry), so what is shown is what the scene file will hold.
#pragma once

#include "app/DialogExchange.h"

#include <array>
#include <cstddef>
#include <vector>

enum class LevelGroup {
    Main,       // the main block: roof, ceilings, interiors and plans of floors 1 to 4
    Mezzanine,  // the other block, half a level up: 中2階 to 中4階 and their roof
    Site,       // the exterior (the scene's root) and the foundation and site at the bottom
};

struct Level {
    int number;            // the frame's part number, 1 (outermost) to 25
    const char* sjisName;  // its name as the scene file holds it (Shift-JIS, scene/SjisTexts.h)
    LevelGroup group;
    double offset;         // mm, relative to the parent frame; NaN when a text it needs is not a number
    double height;         // mm above the site (the sum of the offsets down to it); NaN likewise
};

struct LevelTable {
    std::array<Level, 25> levels;    // frame 1 first
    double totalHeight;              // mm: the fourth-floor roof, frame 2; NaN likewise
    std::vector<std::size_t> badFields;  // texts that are not numbers, as kTabOrder indexes, exchange order
};

// The levels for the texts as they stand. A text that is not a number makes every value that depends
// on it NaN and is listed in badFields; the others are computed as usual.
LevelTable levelTable(const FieldTexts& texts);
