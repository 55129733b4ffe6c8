// LevelsDialog.h - the levels list (dialog template 103), opened from the wizard's system menu.
//
// Win32 layer. A modal dialog with a list view of the 25 levels the fields give as they stand,
// before OK: each frame's number, name, height above the ground (GL), offset and the frame it is
// measured from, and an interior's clear height, in mm, grouped as the console's "levels" command
// groups them (main floors, mezzanines, exterior and site); app/LevelTable.h computes them for
// both, and for the section picture's total height. A level that depends on a field that is not a
// number shows "-". The note below the list gives the total height, names such fields, and adds the
// designer's notes (LevelsNote.h). OK and Esc close it; it changes nothing.
#pragma once

#include "app/DialogExchange.h"  // FieldTexts
#include "app/LevelTable.h"

#include <string>

#include <windows.h>  // HINSTANCE, HWND

namespace wizard::platform {

// Shows the levels for `texts` (the thirteen edit texts in tab order), owned by `owner`, and returns
// when it is closed. `extraNote`, when not empty, is a last line of the note (about the paths).
void showLevelsDialog(HINSTANCE instance, HWND owner, const FieldTexts& texts, const std::wstring& extraNote = {});

// The texts of one row: number, name (the frame's Shift-JIS name as UTF-16), height and offset in
// general format, "-" where a field they need is not a number; the frame the offset is measured from
// ("#3 中4階屋根", empty for the root) and an interior's clear height (empty for other levels).
struct LevelRow {
    std::wstring number;
    std::wstring name;
    std::wstring height;
    std::wstring offset;
    std::wstring from;
    std::wstring clearHeight;
};
LevelRow levelRow(const LevelTable& table, const Level& level);

}  // namespace wizard::platform
