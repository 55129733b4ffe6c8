// LevelsDialog.h - the levels list (dialog template 103), opened from the wizard's system menu.
//
// Win32 layer. A modal dialog with a list view of the 25 levels the fields give as they stand,
// before OK: each frame's number, name, offset from the frame above and height above the site in
// mm, grouped as the console's "levels" command groups them (main floors, mezzanines, exterior and
// site); builder/LevelTable.h computes them for both, and for the section picture's total height. A
// level that depends on a field that is not a number shows "-", and the note below the list names
// the field. OK and Esc close it; it changes nothing.
#pragma once

#include "app/DialogExchange.h"  // FieldTexts
#include "builder/LevelTable.h"

#include <string>

#include <windows.h>  // HINSTANCE, HWND

namespace platform {

// Shows the levels for `texts` (the thirteen edit texts in tab order), owned by `owner`, and returns
// when it is closed.
void showLevelsDialog(HINSTANCE instance, HWND owner, const FieldTexts& texts);

// The texts of one row: number, name (the frame's Shift-JIS name as UTF-16), offset and height in
// general format, "-" where a field they need is not a number.
struct LevelRow {
    std::wstring number;
    std::wstring name;
    std::wstring offset;
    std::wstring height;
};
LevelRow levelRow(const Level& level);

}  // namespace platform
