// ConsoleLevels.h - the console's `levels`: the 25 levels the form's texts give, the plan's figures and
// the designer's notes under them.
//
// POSIX layer. The numbers come from app/LevelTable, the computation the builder and the Windows
// levels list share; this file only lays them out in UTF-8.
#pragma once

#include "app/DialogExchange.h"

#include <iosfwd>

namespace wizard::platform {

// The levels grouped as the dialog's section picture draws them (the main block, the mezzanine block
// half a level up, the exterior and the site), a row each: number, name, height above the ground,
// offset and the frame it is measured from, and an interior's clear height; then the total height, the
// areas, the building coverage and the highest roof, the rows that are not numbers, and the notes: the
// plan's (a row in the other unit, a size not above 0, the building beyond its site), rooms below the
// habitable minimum, mezzanines outside their storey, the highest roof above the absolute height
// limit, the stair flights with their treads.
void printLevels(std::ostream& out, const FieldTexts& texts);

}  // namespace wizard::platform
