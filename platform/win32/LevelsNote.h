// LevelsNote.h - the note under the levels list: the total height, the plan's figures (areas,
// building coverage, the highest roof), the fields that are not numbers, and the designer's notes (a
// field in the other unit, a size not above 0, the building beyond its site, rooms below the
// habitable minimum, mezzanines outside their storey, the highest roof above the absolute height
// limit, the stair flights with their treads), in the resources' Japanese.
//
// Win32 layer. The numbers come from app/LevelTable, the same as the console's `levels` prints.
#pragma once

#include "app/LevelTable.h"

#include <string>

#include <windows.h>  // HINSTANCE

namespace wizard::platform {

// The note's text, a line each, lines separated by CR LF.
std::wstring levelsNote(HINSTANCE instance, const LevelTable& table);

// A level's value, or a figure, as the list and the note show it: "-" when a field it needs is not a
// number.
std::wstring millimetresText(double value);

}  // namespace wizard::platform
