// ConsoleDialog.h - the wizard dialog as a form on a text console (or any pair of streams).
//
// POSIX layer. Prints the title and the thirteen rows in the dialog's tab order (row number, label,
// value, unit; with an English gloss when the console is not Japanese) in UTF-8, then reads commands,
// one a line:
//     N TEXT    sets the text of row N (1 to 13) and prints the row again, with the plan notes its value
//               causes under it (builder/PlanNotes.h); a unit after the number (15000mm, 15 m, ｍｍ)
//               is converted into the row's unit first (UnitSuffix.h)
//     ok        runs the data exchange: when every row holds a number, the form closes with OK (after
//               repeating the plan notes and warning about values the files cannot hold; nothing is
//               asked); otherwise it prints "数値を入力してください。" and every bad row, the first in
//               exchange order first, and stays open
//     show      prints the form again (also "list")
//     levels    prints the 25 levels the rows give (height above the ground, offset from the frame
//               each hangs from, a room's clear height, in mm), the plan's figures and the designer's
//               notes
//     help      lists the commands
//     cancel    closes the form without OK (also "quit", and the end of input)
// A bad row number or an unknown command says so; blank lines are ignored. On a terminal the lines
// come with a prompt and line editing (EditLineReader); otherwise they are read as they come, so a
// script can drive it: printf 'ok\n' | skipfloor-wizard a.cws p.prm
#pragma once

#include "app/Dialog.h"
#include "app/DialogExchange.h"
#include "platform/posix/LineReader.h"

#include <cstddef>
#include <iosfwd>
#include <memory>

namespace wizard::platform {

class ConsoleDialog : public Dialog {
public:
    // `gloss`: show each row's English gloss beside it (a console whose locale is not Japanese).
    ConsoleDialog(LineReader& in, std::ostream& out, bool gloss = false) : m_in(in), m_out(out), m_gloss(gloss) {}
    // Lines from a stream, as they come (a pipe, a test's string).
    ConsoleDialog(std::istream& in, std::ostream& out, bool gloss = false)
        : m_stream(std::make_unique<StreamLineReader>(in)), m_in(*m_stream), m_out(out), m_gloss(gloss)
    {
    }

    // kDialogOk with `params` updated, or kDialogCancel with `params` untouched.
    int doModal(WizardParams& params) override;

private:
    void printForm(const FieldTexts& texts);
    void printRow(const FieldTexts& texts, std::size_t tabIndex);
    void printRowNotes(const FieldTexts& texts, std::size_t tabIndex);

    std::unique_ptr<StreamLineReader> m_stream;  // when constructed from a stream
    LineReader& m_in;
    std::ostream& m_out;
    bool m_gloss;
};

}  // namespace wizard::platform
