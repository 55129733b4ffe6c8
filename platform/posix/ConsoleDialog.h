// ConsoleDialog.h - the wizard dialog as a form on a text console (or any pair of streams).
//
// POSIX layer. Prints the title and the thirteen rows in the dialog's tab order (row number, label,
// value, unit) in UTF-8, then reads commands, one a line:
//     N TEXT    sets the text of row N (1 to 13) and prints the row again
//     ok        runs the data exchange: when every row holds a number, the form closes with OK;
//               otherwise it prints "数値を入力してください。" and the first bad row (in exchange
//               order) and stays open
//     cancel    closes the form without OK; so does the end of input
// Anything else prints a one-line hint and the form stays open; blank lines are ignored. Terminal or
// not makes no difference, so a script can drive it: printf 'ok\n' | skipfloor-wizard a.cws p.prm
#pragma once

#include "app/DialogExchange.h"
#include "platform/Dialog.h"

#include <cstddef>
#include <iosfwd>

namespace platform {

class ConsoleDialog : public Dialog {
public:
    ConsoleDialog(std::istream& in, std::ostream& out) : m_in(in), m_out(out) {}

    // 1 (OK) with `params` updated, or 2 (Cancel) with `params` untouched.
    int doModal(WizardParams& params) override;

private:
    void printForm(const FieldTexts& texts);
    void printRow(const FieldTexts& texts, std::size_t tabIndex);

    std::istream& m_in;
    std::ostream& m_out;
};

// Lines longer than this many bytes are refused with the hint instead of being stored.
inline constexpr std::size_t kConsoleLineMax = 4096;

}  // namespace platform
