// ParamFileView.h - the wizard's parameter file as cwstool sees it: told apart from a scene file when
// the scene reader refuses one, and its thirteen values shown by label for `cwstool dump`.
// Tool layer, on the wizard's builder: builder/ParamFile.h decodes the bytes, builder/ParamRows.h names
// the rows, so cwstool has no reader of that format of its own.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "builder/WizardParams.h"

namespace cwstool {

struct ParamFileLook {
    enum Kind {
        None,   // not the wizard's parameter file (or not a regular file, which is never read here)
        Whole,  // the header and all thirteen values
        Short,  // the header, but fewer than 120 bytes: the wizard would use its defaults
    };
    Kind kind = None;
    std::size_t size = 0;           // the bytes that were there, up to 120
    bool longer = false;            // more than 120 bytes (the wizard reads the first 120)
    wizard::WizardParams params{};  // for Whole
};

// Reads the first bytes of the regular file at `path` and decodes them as the wizard would.
ParamFileLook lookAtParamFile(const std::string& path);

// What a file the scene reader refused with `error` is: for the wizard's parameter file, "not a scene
// file: a parameter file of the skip-floor wizard ..."; otherwise `error` itself.
std::string refusalText(const std::string& path, const std::string& error);

// The thirteen values in the dialog's row order, a line each: row, label, value, unit, English gloss;
// then the notes the wizard gives on them (a row in the other unit, a size not above 0, the building
// larger than its site, a mezzanine outside its two floors), a line each.
void printParamFile(const std::string& path, const ParamFileLook& look, std::ostream& out);

}  // namespace cwstool
