// LevelTable.h - the 25 levels of the split-level house as the user is typing them: each frame's
// height above the ground, its offset from the frame it hangs from, a storey's clear height, and the
// designer's notes, from the thirteen texts of the dialog.
//
// Portable, pure arithmetic. One computation for every place that shows the levels before OK (the
// console's "levels" command, the Windows dialog's picture and levels list), and the same arithmetic
// the builder uses (builder/SplitLevelGeometry), so what is shown is what the scene file will hold.
#pragma once

#include "app/DialogExchange.h"
#include "builder/LevelNotes.h"

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
    int parent;            // the frame it hangs from, whose height its offset is added to: number − 1 (the
                           // frames nest in one chain, which is not the order of the groups: 4階天井 hangs
                           // from 中4階屋根); 0 for the root
    double offset;         // mm, relative to the parent frame; NaN when a text it needs is not a number
    double height;         // mm above the ground (GL, where the site slab's top and the foundation's foot
                           // are: the sum of the offsets down to it); NaN likewise
    bool interior;         // a storey's interior (インテリア): the floor of a room
    double clearHeight;    // an interior's: mm from its floor up to its ceiling (its parent); NaN for any
                           // other level, and likewise
};

struct LevelTable {
    std::array<Level, 25> levels;    // frame 1 first
    double totalHeight;              // mm: the fourth-floor roof, frame 2; NaN likewise
    std::vector<std::size_t> badFields;  // texts that are not numbers, as kTabOrder indexes, exchange order
    LevelNotes notes;                // what the designer checks; notes that need a bad field are left out
};

// The levels for the texts as they stand. A text that is not a number makes every value that depends
// on it NaN and is listed in badFields; the others are computed as usual.
LevelTable levelTable(const FieldTexts& texts);
