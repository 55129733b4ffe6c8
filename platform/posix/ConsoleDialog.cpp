// ConsoleDialog.cpp - the wizard dialog on a text console (see ConsoleDialog.h).
#include "platform/posix/ConsoleDialog.h"

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace platform {

namespace {

constexpr int kResultOk = 1;
constexpr int kResultCancel = 2;

constexpr char kHint[] = "Type \"N TEXT\" to set row N (1 to 13), \"ok\" to confirm, \"cancel\" to quit.";
constexpr std::size_t kLabelColumns = 26;  // the longest label, 基準ブロックとのレベル差, takes 24
constexpr std::size_t kValueColumns = 12;

enum class LineStatus { Line, TooLong, End };

// Reads one line without its line end (and without a CR before it). A last line without a line end
// still counts; a line longer than kConsoleLineMax is consumed and reported as TooLong.
LineStatus readLine(std::istream& in, std::string& line)
{
    line.clear();
    bool any = false, tooLong = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        any = true;
        if (c == '\n') break;
        if (line.size() < kConsoleLineMax)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (!any) return LineStatus::End;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return tooLong ? LineStatus::TooLong : LineStatus::Line;
}

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

// Columns a UTF-8 text takes on a terminal: two for the East Asian wide ranges our labels use
// (CJK, kana, full-width forms), one for everything else.
std::size_t displayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned codePoint = lead;
        if (length > 1 && i + length <= utf8.size()) {
            codePoint = lead & (0x7Fu >> length);
            for (std::size_t k = 1; k < length; ++k)
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        width += (codePoint >= 0x1100 && codePoint <= 0xFFEF) ? 2 : 1;
        i += length;
    }
    return width;
}

void pad(std::ostream& out, std::size_t used, std::size_t columns)
{
    for (std::size_t i = used; i < columns; ++i) out << ' ';
}

// "N TEXT": the row number (1 to 13) and the text after the first blank; false for anything else.
bool parseSetCommand(std::string_view line, std::size_t& tabIndex, std::string& text)
{
    std::size_t digits = 0;
    while (digits < line.size() && digits < 3 && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits == 0 || digits >= line.size() || (line[digits] != ' ' && line[digits] != '\t')) return false;
    std::size_t row = 0;
    for (std::size_t i = 0; i < digits; ++i) row = row * 10 + static_cast<std::size_t>(line[i] - '0');
    if (row < 1 || row > kTabOrder.size()) return false;
    std::string_view rest = trim(line.substr(digits + 1));
    if (rest.empty()) return false;
    tabIndex = row - 1;
    text = std::string(rest);
    return true;
}

}  // namespace

void ConsoleDialog::printRow(const FieldTexts& texts, std::size_t tabIndex)
{
    const DialogField& field = kTabOrder[tabIndex];
    std::string label = field.group[0] ? std::string(field.group) + " " + field.label : std::string(field.label);
    std::size_t row = tabIndex + 1;
    m_out << (row < 10 ? "   " : "  ") << row << "  " << label;
    pad(m_out, displayWidth(label), kLabelColumns);
    pad(m_out, displayWidth(texts[tabIndex]), kValueColumns);
    m_out << texts[tabIndex] << ' ' << field.unit << '\n';
}

void ConsoleDialog::printForm(const FieldTexts& texts)
{
    m_out << kDialogTitle << '\n';
    for (std::size_t i = 0; i < texts.size(); ++i) printRow(texts, i);
    m_out << kHint << '\n';
}

int ConsoleDialog::doModal(WizardParams& params)
{
    FieldTexts texts = formatFieldTexts(params);
    printForm(texts);
    m_out.flush();

    std::string line;
    for (;;) {
        LineStatus status = readLine(m_in, line);
        if (status == LineStatus::End) return kResultCancel;

        std::string_view command = trim(line);
        std::size_t tabIndex = 0;
        std::string text;
        if (status == LineStatus::TooLong) {
            m_out << kHint << '\n';
        } else if (command.empty()) {
            // a blank line does nothing
        } else if (equalsIgnoringCase(command, "cancel")) {
            return kResultCancel;
        } else if (equalsIgnoringCase(command, "ok")) {
            ExchangeResult result = exchangeFieldTexts(texts, params);
            if (result.ok) return kResultOk;
            m_out << kNotANumberPrompt << '\n';
            printRow(texts, result.badTabIndex);
        } else if (parseSetCommand(command, tabIndex, text)) {
            texts[tabIndex] = text;
            printRow(texts, tabIndex);
        } else {
            m_out << kHint << '\n';
        }
        m_out.flush();
    }
}

}  // namespace platform
