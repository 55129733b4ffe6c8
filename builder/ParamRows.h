// ParamRows.h - the thirteen parameters as a person reads them: the dialog's rows from top to bottom,
// each with the parameter it holds, its label, group, unit and English gloss.
//
// Builder layer, portable: no platform headers. Whatever shows the parameters names them by these
// rows, so the wizard and cwstool cannot disagree: the two dialogs (app/DialogFields.h gives each row
// its edit control), the notes in words (text/NoteTexts.h) and cwstool's dump of a parameter file
// (builder/ParamFile.h). Labels and units are UTF-8.
#pragma once

#include "builder/WizardParams.h"

#include <cwscene/MarkedText.h>  // N_: the glosses are translated where shown (text/Messages.h's catalogue)

#include <array>
#include <cstddef>
#include <string>

namespace wizard {

struct ParamRow {
    double WizardParams::*member;  // the parameter it holds
    const char* label;             // the row's label (UTF-8)
    const char* group;             // group box the row sits in, or "" (UTF-8)
    const char* unit;              // "mm" or "m"
    const char* gloss;             // the row in English, marked for translation (N_)
};

// The rows in the dialog's tab order, which is also the order of builder/PlanNotes.h's kDimensions
// (ParamRows.cpp checks that they agree, unit for unit).
inline constexpr std::array<ParamRow, 13> kParamRows{{
    {&WizardParams::m_foundationHeight,    "基礎高さ",                 "",     "mm", N_("foundation height")},
    {&WizardParams::m_firstFloorThickness, "１階床厚",                 "",     "mm", N_("first-floor slab")},
    {&WizardParams::m_otherFloorThickness, "他階床厚",                 "",     "mm", N_("upper-floor slabs")},
    {&WizardParams::m_roomHeight1,         "１階部屋高",               "",     "mm", N_("room height, 1st floor")},
    {&WizardParams::m_roomHeight2,         "２階部屋高",               "",     "mm", N_("room height, 2nd floor")},
    {&WizardParams::m_roomHeight3,         "３階部屋高",               "",     "mm", N_("room height, 3rd floor")},
    {&WizardParams::m_roomHeight4,         "４階部屋高",               "",     "mm", N_("room height, 4th floor")},
    {&WizardParams::m_levelDifference,     "基準ブロックとのレベル差", "",     "mm", N_("level difference")},
    {&WizardParams::m_siteWidth,           "幅",                       "敷地", "m",  N_("site width")},
    {&WizardParams::m_siteDepth,           "奥行",                     "敷地", "m",  N_("site depth")},
    {&WizardParams::m_buildingWidth,       "幅",                       "建物", "m",  N_("building width")},
    {&WizardParams::m_buildingDepth,       "奥行",                     "建物", "m",  N_("building depth")},
    {&WizardParams::m_wallThickness,       "壁厚",                     "",     "mm", N_("wall thickness")},
}};

// The position of the row that holds `member` in kParamRows (each of the thirteen has one).
std::size_t tabIndexOf(double WizardParams::*member);

// A row as messages name it (UTF-8): its group box and label ("建物 幅"), or the label alone.
std::string fieldLabel(std::size_t tabIndex);

}  // namespace wizard
