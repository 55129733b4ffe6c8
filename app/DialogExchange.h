// DialogExchange.h - the data exchange between the thirteen parameters and the dialog's edit texts.
//
// Shell layer, portable: no platform headers. Shared by the console dialog (platform/posix) and the
// Win32 dialog (platform/win32), so both show the same number texts and refuse the same input.
// Texts are held in TAB ORDER: index i is the edit control kTabOrder[i] (app/DialogFields.h), the
// order in which the rows appear on screen. Validation runs in EXCHANGE ORDER (kExchangeOrder), so
// with several bad fields the one reported is the first in the declaration order of WizardParams.
#pragma once

#include "app/DialogFields.h"
#include "builder/WizardParams.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wizard {

// The thirteen edit texts, index = position in kTabOrder.
using FieldTexts = std::array<std::string, 13>;

// The texts the edit controls show when the dialog opens: each value in general format with up to 15
// significant digits (400, 1450, 12.5, 1e+020), '.' as the decimal point whatever the locale.
FieldTexts formatFieldTexts(const WizardParams& params);

struct ExchangeResult {
    bool ok = false;            // true: all thirteen parsed and were stored
    int badControlId = 0;       // when !ok: the control id of the first bad field in exchange order
    std::size_t badTabIndex = 0;  // when !ok: the same field as an index into kTabOrder / FieldTexts
};

// One field's text as a number: numtext::parseDecimal, after the full-width forms a Japanese input
// method types (０-９, ＋, －, ．, ｅ, Ｅ, and the ideographic blank around them) have become their
// ASCII forms. Anything that is not a number then (letters, "nan", "inf", hexadecimal, overflow, and
// underflow to 0 of a number that is not 0, such as "1e-400") is refused.
std::optional<double> parseFieldText(std::string_view text);

// Parses all thirteen texts (blanks around the number allowed, exponent accepted, full-width digits
// read as ASCII ones; "nan", "inf", hexadecimal and out-of-range texts refused). When every one parses, stores all thirteen values into
// `params` and reports ok. Otherwise reports the first bad field in exchange order and leaves
// `params` exactly as it was: nothing is stored when any field is bad.
ExchangeResult exchangeFieldTexts(const FieldTexts& texts, WizardParams& params);

// Every field whose text is not a number, as indexes into kTabOrder, in exchange order: the first is
// the one exchangeFieldTexts reports.
std::vector<std::size_t> badFields(const FieldTexts& texts);

// The position of a control id in kTabOrder, or kTabOrder.size() when the id is not an edit field.
// (The row of a parameter, tabIndexOf(member), and a row's name, fieldLabel, are builder/ParamRows.h's.)
std::size_t tabIndexOf(int controlId);

}  // namespace wizard
