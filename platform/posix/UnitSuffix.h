// UnitSuffix.h - a value typed into the console with its unit ("15000mm", "15 m", "２４００ｍｍ"),
// converted into the row's own unit.
//
// POSIX layer: the console form's rows take a number in their unit, millimetres or metres; a designer
// who names the unit gets the number in the row's unit, so "11 15000mm" sets the building width to 15
// (m). The dialog's exchange is not changed by this: the converted text is what the row then holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wizard::platform {

// `text` with a unit after its number ("mm" or "m", in ASCII or full width, blanks allowed before it)
// as the number in the unit of row `tabIndex` (kTabOrder), in general format (15000mm in a metre row
// gives "15", 2.4 m in a millimetre row "2400"). Any other text, a bare number included, comes back as
// it is, and so does a number whose conversion is not finite: the exchange then judges it as typed.
std::string inRowUnit(std::string_view text, std::size_t tabIndex);

}  // namespace wizard::platform
