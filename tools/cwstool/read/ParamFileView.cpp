// ParamFileView.cpp - the wizard's parameter file in cwstool (see ParamFileView.h).
//
//   a.prm: parameter file of the skip-floor wizard, 120 bytes
//      1  基礎高さ                           400 mm  foundation height
//      ...
//      9  敷地 幅                             15 m   site width
//      ...
//     note: row 11 (建物 幅) 15000 m: this row is in metres; 15000 mm is 15 m
#include "tools/cwstool/read/ParamFileView.h"

#include "text/Messages.h"

#include "builder/ParamFile.h"
#include "builder/ParamRows.h"
#include "builder/LevelNotes.h"
#include "builder/PlanNotes.h"
#include "text/NoteTexts.h"
#include <cwscene/FileAccess.h>
#include "tools/cwstool/output/TextOutput.h"

#include <cstdio>
#include <memory>  // unique_ptr

namespace cwstool {

using wizard::decodeParamFile;
using wizard::kParamFileSize;
using wizard::kParamRows;
using wizard::ParamFileBytes;
using wizard::ParamRow;

namespace {

constexpr std::size_t kLabelColumns = 26;  // the longest label, 基準ブロックとのレベル差, takes 24
constexpr std::size_t kValueColumns = 12;

// Terminal columns of UTF-8 text: two for the wide characters of the labels (CJK and full-width
// forms, all from U+1100 on), one for everything else.
std::size_t displayWidth(const std::string& utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        width += length >= 3 ? 2 : 1;  // three bytes and more: U+0800 on, of which labels hold only wide ones
        i += length;
    }
    return width;
}

std::string pad(std::size_t used, std::size_t columns) { return std::string(used < columns ? columns - used : 1, ' '); }

std::string describe(const ParamFileLook& look)
{
    if (look.kind == ParamFileLook::Short) {
        return messages::filledIn(_("it begins like a parameter file of the skip-floor wizard, but has %s of its %s "
                                    "bytes"),
                                  std::to_string(look.size), std::to_string(kParamFileSize));
    }
    const std::string size = std::to_string(kParamFileSize);
    if (look.longer) {
        return messages::filledIn(_("a parameter file of the skip-floor wizard, longer than its %1$s bytes (the "
                                    "wizard reads the first %1$s)"),
                                  size);
    }
    return messages::filledIn(_("a parameter file of the skip-floor wizard, %s bytes"), size);
}

}  // namespace

namespace {
int keepOpen(std::FILE*) { return 0; }  // standard input stays open for the process
}  // namespace

ParamFileLook lookAtParamFile(const std::string& path)
{
    ParamFileLook look;
    // "-": standard input, when it can be read again from its start (a file, not a pipe already read).
    const bool standardInput = path == "-";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(
        standardInput ? fileio::standardInput() : fileio::openForReading(path), standardInput ? &keepOpen : &std::fclose);
    if (!stream || (standardInput && std::fseek(stream.get(), 0, SEEK_SET) != 0)) return look;
    ParamFileBytes bytes{};  // what a short file lacks reads as zeros: "Zendel" alone still matches
    look.size = std::fread(bytes.data(), 1, bytes.size(), stream.get());
    look.longer = look.size == bytes.size() && std::fgetc(stream.get()) != EOF;
    if (look.size == 0 || std::ferror(stream.get()) || !decodeParamFile(bytes, look.params)) return look;
    look.kind = look.size == bytes.size() ? ParamFileLook::Whole : ParamFileLook::Short;
    return look;
}

std::string refusalText(const std::string& path, const std::string& error)
{
    ParamFileLook look = lookAtParamFile(path);
    if (look.kind == ParamFileLook::None) return error;
    if (look.kind == ParamFileLook::Whole)
        return messages::filledIn(_("not a scene file: %s; 'cwstool dump' shows its values"), describe(look));
    return messages::filledIn(_("not a scene file: %s"), describe(look));
}

void printParamFile(const std::string& path, const ParamFileLook& look, std::ostream& out)
{
    out << path << ": " << describe(look) << "\n";
    for (std::size_t i = 0; i < kParamRows.size(); ++i) {
        const ParamRow& field = kParamRows[i];
        const std::string label = field.group[0] ? std::string(field.group) + " " + field.label : std::string(field.label);
        const std::string value = doubleText(look.params.*field.member);
        const std::size_t row = i + 1;
        out << (row < 10 ? "   " : "  ") << row << "  " << label << pad(displayWidth(label), kLabelColumns)
            << pad(value.size(), kValueColumns) << value << ' ' << field.unit << pad(std::string(field.unit).size(), 4)
            << _(field.gloss) << "\n";
    }
    // What the wizard would note about these values, as `cwstool check` warns about a scene made with them.
    for (const wizard::PlanNote& note : wizard::planNotes(look.params))
        out << "  " << messages::filledIn(_("note: %s"), wizard::platform::planNoteLine(note)) << "\n";
    for (const wizard::MezzanineOutside& outside : wizard::levelNotes(look.params).outside)
        out << "  " << messages::filledIn(_("note: %s"), wizard::platform::mezzanineOutsideText(outside)) << "\n";
}

}  // namespace cwstool
