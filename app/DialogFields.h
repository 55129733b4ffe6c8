// DialogFields.h - the thirteen edit fields of the wizard dialog: the rows of builder/ParamRows.h with
// their control ids, and the two orders in which they are visited.
//
// Shell layer, portable: no platform headers. The console dialog and the Win32 dialog both read
// these tables, so the rows, the tab order and the exchange order are stated once. Labels and units
// are UTF-8.
#pragma once

#include "app/DialogTitle.h"
#include "builder/ParamRows.h"
#include "builder/WizardParams.h"

#include <array>
#include <cstddef>

namespace wizard {

// A row of the dialog: the parameter, label, group, unit and gloss of its ParamRow, and its edit control.
struct DialogField : ParamRow {
    int controlId;  // edit control id in dialog 102
};

// The edit controls of kParamRows' rows, in the same order.
inline constexpr std::array<int, 13> kControlIds{1000, 1001, 1002, 1003, 1004, 1005, 1011, 1006, 1007, 1008, 1009, 1010, 1012};

constexpr std::array<DialogField, 13> dialogFields()
{
    std::array<DialogField, 13> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) fields[i] = DialogField{kParamRows[i], kControlIds[i]};
    return fields;
}

// Tab order: the rows of the dialog from top to bottom.
inline constexpr std::array<DialogField, 13> kTabOrder = dialogFields();

// Exchange order: the declaration order of WizardParams. When several fields do not hold a number,
// the first of them in this order is the one reported.
inline constexpr std::array<int, 13> kExchangeOrder{
    1000, 1010, 1009, 1006, 1002, 1001, 1003, 1004, 1005, 1008, 1007, 1011, 1012};

inline constexpr char kDialogTitle[] = SKIPFLOOR_DIALOG_TITLE;
inline constexpr char kNotANumberPrompt[] = "数値を入力してください。";  // "please enter a number"

}  // namespace wizard
