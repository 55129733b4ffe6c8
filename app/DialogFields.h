// DialogFields.h - the thirteen edit fields of the wizard dialog: control ids, labels, units, and the
// two orders in which they are visited.
//
// Shell layer, portable: no platform headers. The console dialog and the Win32 dialog both read
// these tables, so the rows, the tab order and the exchange order are stated once. Labels and units
// are UTF-8.
#pragma once

#include "app/DialogTitle.h"
#include "builder/WizardParams.h"

#include <array>

namespace wizard {

struct DialogField {
    int controlId;                   // edit control id in dialog 102
    double WizardParams::*member;    // the parameter it edits
    const char* label;               // the row's label (UTF-8)
    const char* group;               // group box the row sits in, or "" (UTF-8)
    const char* unit;                // "mm" or "m"
    const char* gloss;               // the row in English, for a console that is not Japanese
};

// Tab order: the rows of the dialog from top to bottom.
inline constexpr std::array<DialogField, 13> kTabOrder{{
    {1000, &WizardParams::m_foundationHeight,    "基礎高さ",                 "",     "mm", "foundation height"},
    {1001, &WizardParams::m_firstFloorThickness, "１階床厚",                 "",     "mm", "first-floor slab"},
    {1002, &WizardParams::m_otherFloorThickness, "他階床厚",                 "",     "mm", "upper-floor slabs"},
    {1003, &WizardParams::m_roomHeight1,         "１階部屋高",               "",     "mm", "room height, 1st floor"},
    {1004, &WizardParams::m_roomHeight2,         "２階部屋高",               "",     "mm", "room height, 2nd floor"},
    {1005, &WizardParams::m_roomHeight3,         "３階部屋高",               "",     "mm", "room height, 3rd floor"},
    {1011, &WizardParams::m_roomHeight4,         "４階部屋高",               "",     "mm", "room height, 4th floor"},
    {1006, &WizardParams::m_levelDifference,     "基準ブロックとのレベル差", "",     "mm", "level difference"},
    {1007, &WizardParams::m_siteWidth,           "幅",                       "敷地", "m",  "site width"},
    {1008, &WizardParams::m_siteDepth,           "奥行",                     "敷地", "m",  "site depth"},
    {1009, &WizardParams::m_buildingWidth,       "幅",                       "建物", "m",  "building width"},
    {1010, &WizardParams::m_buildingDepth,       "奥行",                     "建物", "m",  "building depth"},
    {1012, &WizardParams::m_wallThickness,       "壁厚",                     "",     "mm", "wall thickness"},
}};

// Exchange order: the declaration order of WizardParams. When several fields do not hold a number,
// the first of them in this order is the one reported.
inline constexpr std::array<int, 13> kExchangeOrder{
    1000, 1010, 1009, 1006, 1002, 1001, 1003, 1004, 1005, 1008, 1007, 1011, 1012};

inline constexpr char kDialogTitle[] = SKIPFLOOR_DIALOG_TITLE;
inline constexpr char kNotANumberPrompt[] = "数値を入力してください。";  // "please enter a number"

}  // namespace wizard
