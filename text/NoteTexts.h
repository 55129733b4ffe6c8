// NoteTexts.h - the designer's notes about the plan and the mezzanines in words, in the user's
// language, for the console wizard and cwstool alike.
//
// Portable, shared by both programs as Messages.h is: the notes come from builder/PlanNotes.h and
// builder/LevelNotes.h, the rows' names from builder/ParamRows.h, the words through text/Messages.h
// (Japanese on Linux under a Japanese locale, English otherwise). The Windows wizard says the same in
// its resources' Japanese (platform/win32/LevelsNote.cpp).
#pragma once

#include "builder/LevelNotes.h"
#include "builder/PlanNotes.h"

#include <cstddef>
#include <string>

namespace wizard::platform {

// A row as the notes name it: "row 11 (建物 幅)".
std::string rowName(std::size_t tabIndex);

// A plan note, without the row it is about: "15000 m: this row is in metres; 15000 mm is 15 m".
std::string planNoteText(const PlanNote& note);

// The same for a list of notes: the row first ("row 11 (建物 幅) 15000 m: ..."), except for a note
// about the building and its site, which names both rows itself.
std::string planNoteLine(const PlanNote& note);

// "中2階 is not below 2階: the level difference 3000 mm is not less than the 2900 mm from 1階 up to 2階",
// or, for every mezzanine at once, "level difference 0 mm: no mezzanine stands above ...".
std::string mezzanineOutsideText(const MezzanineOutside& outside);

}  // namespace wizard::platform
