// LevelTable.h - the 25 levels of the split-level house as the user is typing them: each frame's
// height above the ground, its offset from the frame it hangs from, a storey's clear height, the
// figures of the plan, and the designer's notes, from the thirteen texts of the dialog.
//
// Shell layer, portable. One computation for every place that shows the levels before OK (the
// console's "levels" command, the Windows dialog's picture and levels list): the texts are read as the
// dialog's exchange reads them, and the numbers are the builder's (builder/FrameLevels.h,
// builder/LevelNotes.h, builder/PlanNotes.h), so what is shown is what the scene file will hold.
#pragma once

#include "app/DialogExchange.h"
#include "builder/FrameLevels.h"
#include "builder/LevelNotes.h"
#include "builder/PlanNotes.h"

#include <array>
#include <cstddef>
#include <vector>

namespace wizard {

struct LevelTable {
    std::array<Level, 25> levels;    // frame 1 first
    double totalHeight;              // mm: the fourth-floor roof, frame 2; NaN when a text it needs is not a number
    std::vector<std::size_t> badFields;  // texts that are not numbers, as kTabOrder indexes, exchange order
    LevelNotes notes;                // what the designer checks; notes that need a bad field are left out
    std::vector<PlanNote> planNotes;  // a row in the other unit, a size not above 0, the building beyond its
                                      // site: the notes the console repeats at OK and the picture's mark counts
    PlanFigures figures;             // areas, coverage, the highest roof; NaN where a bad field is needed
};

// The levels for the texts as they stand. A text that is not a number makes every value that depends
// on it NaN and is listed in badFields; the others are computed as usual.
LevelTable levelTable(const FieldTexts& texts);

}  // namespace wizard
