// ConsoleDialog.cpp - the wizard dialog on a text console (see ConsoleDialog.h).
#include "platform/posix/ConsoleDialog.h"

#include "app/LevelTable.h"
#include "app/RangeCheck.h"
#include "platform/posix/ConsoleLevels.h"
#include "platform/posix/ConsoleText.h"
#include "platform/posix/UnitSuffix.h"
#include "text/Messages.h"
#include "text/NoteTexts.h"
#include <cwscene/NumberText.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wizard::platform {

namespace {

constexpr char kHint[] = N_("Type \"N TEXT\" to set row N (1 to 13), \"ok\" to confirm, \"cancel\" to "
                           "quit, \"help\" for more.");
constexpr char kHelp[] = N_(
    "Commands, one a line:\n"
    "  N TEXT   set row N (1 to 13) to TEXT, e.g. \"4 2400\" (full-width digits are read too); a unit\n"
    "           after the number (\"11 15000mm\", \"4 2.4 m\") is converted into the row's unit\n"
    "  ok       check every row; when all hold numbers, repeat the notes on the rows, write the files\n"
    "           and end\n"
    "  show     print the form again (also: list)\n"
    "  levels   print the 25 levels the rows give: heights above the ground, offsets, clear heights,\n"
    "           the areas, the building coverage, the highest roof, and notes on the rows' units and\n"
    "           sizes, the site, rooms, stairs and the level difference\n"
    "  cancel   end without writing anything (also: quit, or the end of input)\n"
    "  help     this list\n");
constexpr std::size_t kLabelColumns = 26;  // the longest label, 基準ブロックとのレベル差, takes 24
constexpr std::size_t kValueColumns = 12;

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord)
{
    if (text.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerWord[i]) return false;
    }
    return true;
}

enum class SetCommand { NotOne, Ok, NoSuchRow, NoText };

// "N TEXT": the row number (1 to 13) and the text after the first blank. NotOne when the line does not
// begin with a number; NoSuchRow and NoText when it does, but the rest is wrong.
SetCommand parseSetCommand(std::string_view line, std::size_t& tabIndex, std::string& text)
{
    std::size_t digits = 0;
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits == 0 || (digits < line.size() && line[digits] != ' ' && line[digits] != '\t')) return SetCommand::NotOne;
    std::size_t row = 0;
    for (std::size_t i = 0; i < digits && row <= kTabOrder.size(); ++i) row = row * 10 + static_cast<std::size_t>(line[i] - '0');
    if (row < 1 || row > kTabOrder.size()) return SetCommand::NoSuchRow;
    std::string_view rest = trim(line.substr(digits));
    if (rest.empty()) return SetCommand::NoText;
    tabIndex = row - 1;
    text = std::string(rest);
    return SetCommand::Ok;
}

// A warning about values the files cannot hold, as one line.
std::string warningText(const RangeWarning& warning)
{
    switch (warning.kind) {
    case RangeWarning::Kind::RowBeyondFloat:
        return messages::filledIn(_("warning: row %s (%s): %s %s is beyond the range of the scene file's 32-bit numbers; the "
                          "scene gets infinite values"),
                        std::to_string(warning.row + 1), fieldLabel(warning.row), numtext::general(warning.value),
                        kTabOrder[warning.row].unit);
    case RangeWarning::Kind::FrameBeyondFloat:
        return messages::filledIn(_("warning: frame %s: the rows together put it at %s mm, beyond the range of the scene "
                          "file's 32-bit numbers"),
                        std::to_string(warning.frame), numtext::general(warning.value));
    case RangeWarning::Kind::WallHeightBeyondFloat:
        return messages::filledIn(_("warning: the wall height %s mm is beyond the range of the scene file's 32-bit numbers"),
                        numtext::general(warning.value));
    case RangeWarning::Kind::RegistryTextTooLong:
        return messages::filledIn(_("warning: registry value %s is not written (its number does not fit a registry text); "
                          "an earlier value stays"),
                        warning.registryName);
    }
    return std::string();
}

bool isOneOf(std::string_view command, std::initializer_list<std::string_view> words)
{
    for (std::string_view word : words)
        if (equalsIgnoringCase(command, word)) return true;
    return false;
}

}  // namespace

void ConsoleDialog::printRow(const FieldTexts& texts, std::size_t tabIndex)
{
    const DialogField& field = kTabOrder[tabIndex];
    const std::string label = fieldLabel(tabIndex);
    std::size_t row = tabIndex + 1;
    m_out << (row < 10 ? "   " : "  ") << row << "  " << label;
    pad(m_out, displayWidth(label), kLabelColumns);
    pad(m_out, displayWidth(texts[tabIndex]), kValueColumns);
    m_out << texts[tabIndex] << ' ' << field.unit;
    if (m_gloss) {
        pad(m_out, std::string_view(field.unit).size(), 3);
        m_out << field.gloss;
    }
    m_out << '\n';
}

void ConsoleDialog::printRowNotes(const FieldTexts& texts, std::size_t tabIndex)
{
    for (const PlanNote& note : levelTable(texts).planNotes) {
        if (note.concerns(kTabOrder[tabIndex].member))
            m_out << "      " << messages::filledIn(_("note: %s"), planNoteText(note)) << '\n';
    }
}

void ConsoleDialog::printForm(const FieldTexts& texts)
{
    m_out << kDialogTitle << '\n';
    for (std::size_t i = 0; i < texts.size(); ++i) printRow(texts, i);
    m_out << _(kHint) << '\n';
}

int ConsoleDialog::doModal(WizardParams& params)
{
    FieldTexts texts = formatFieldTexts(params);
    printForm(texts);
    m_out.flush();

    std::string line;
    for (;;) {
        LineStatus status = m_in.readLine(line);
        if (status == LineStatus::End) return kDialogCancel;

        std::string_view command = trim(line);
        std::size_t tabIndex = 0;
        std::string text;
        SetCommand set = parseSetCommand(command, tabIndex, text);
        if (status == LineStatus::TooLong) {
            m_out << messages::filledIn(_("That line is longer than %s bytes; it was not read."), std::to_string(kConsoleLineMax))
                  << '\n';
        } else if (command.empty()) {
            // a blank line does nothing
        } else if (isOneOf(command, {"cancel", "quit"})) {
            return kDialogCancel;
        } else if (equalsIgnoringCase(command, "ok")) {
            // Every bad row is shown; the first in exchange order (the one the Windows dialog focuses)
            // comes first.
            const std::vector<std::size_t> bad = badFields(texts);
            if (bad.empty() && exchangeFieldTexts(texts, params).ok) {
                // Once more before the files are written; nothing is asked, and they are written as always.
                for (const PlanNote& note : planNotes(params))
                    m_out << messages::filledIn(_("note: %s"), planNoteLine(note)) << '\n';
                for (const RangeWarning& warning : rangeWarnings(params)) m_out << warningText(warning) << '\n';
                m_out.flush();
                return kDialogOk;
            }
            m_out << kNotANumberPrompt << '\n';
            for (std::size_t index : bad) printRow(texts, index);
        } else if (isOneOf(command, {"show", "list"})) {
            printForm(texts);
        } else if (equalsIgnoringCase(command, "levels")) {
            printLevels(m_out, texts);
        } else if (isOneOf(command, {"help", "?"})) {
            m_out << _(kHelp);
        } else if (set == SetCommand::Ok) {
            texts[tabIndex] = inRowUnit(text, tabIndex);
            printRow(texts, tabIndex);
            printRowNotes(texts, tabIndex);
        } else if (set == SetCommand::NoSuchRow) {
            m_out << messages::filledIn(_("There is no row %s: the rows are 1 to %s."),
                              std::string(command.substr(0, command.find_first_of(" \t"))), std::to_string(kTabOrder.size()))
                  << '\n';
        } else if (set == SetCommand::NoText) {
            m_out << messages::filledIn(_("Row %1$s needs a value after the number, e.g. \"%1$s 2400\"."), std::string(command))
                  << '\n';
        } else {
            m_out << messages::filledIn(_("Unknown command \"%s\". Type \"help\" for the commands."), std::string(command)) << '\n';
        }
        m_out.flush();
    }
}

}  // namespace wizard::platform
