// ParamFile.h - the built-in defaults of the thirteen parameters, and the 120-byte parameter file that
// carries them from one run to the next.
//
// Builder layer, beside WizardParams, so that the shell and cwstool read the file alike; portable: no
// platform headers; files through cwscene/FileAccess.h. The byte layout is the table in ParamFile.cpp:
// a 16-byte header ("Zendel" 0 0 "1000" 0 0 0 0) and thirteen little-endian doubles in an order of
// their own.
#pragma once

#include "builder/WizardParams.h"
#include <cwscene/FileAccess.h>  // WriteOutcome

#include <array>
#include <cstddef>
#include <string>

namespace wizard {

struct CommandLineRecord;

inline constexpr std::size_t kParamFileSize = 120;
using ParamFileBytes = std::array<unsigned char, kParamFileSize>;

// Stores the thirteen defaults: 400, 10, 10, 1450, 500, 210, 2400, 2400, 2400, 15, 15, 2400, 100.
void SetDefaultParams(WizardParams& params);

// Reads commandLine.m_strParamPath. Returns 1 when the thirteen fields were replaced by the file's
// values, 0 when they were left untouched: the file cannot be opened or read, is not a regular file
// (a FIFO or device is never read), is shorter than 120 bytes, or its header does not begin with
// "Zendel" and a zero byte. Bytes after 120 are ignored.
int LoadParams(WizardParams& params, const CommandLineRecord& commandLine);

// Writes the 120 bytes to commandLine.m_strParamPath through fileio::OutputFile: a regular file (or
// the file a symlink leads to) is replaced atomically and keeps its mode; a device or FIFO is written
// in place. The outcome says whether the file was written, and when not, why (an empty path: ENOENT;
// a file the process may not write, a directory); a failure leaves an existing file exactly as it was.
fileio::WriteOutcome SaveParams(const WizardParams& params, const CommandLineRecord& commandLine);

// What stands at a parameter file path, for a front end that tells the user before the dialog.
enum class ParamFileState {
    NoPath,      // no parameter file path
    Missing,     // nothing there yet: OK creates it
    Ours,        // a parameter file of this wizard: the dialog starts from its values
    Foreign,     // something else (another program's file): the defaults, and OK replaces it
    Short,       // fewer than 120 bytes: the defaults, and OK replaces it
    Unreadable,  // cannot be read (no permission, not a regular file): the defaults
};
// Looks at the file as LoadParams would. For Unreadable, *error (when given) is the errno value
// (ENODEV for a FIFO or device).
ParamFileState inspectParamFile(const std::string& path, int* error = nullptr);

// The file's bytes for `params`: the header and the thirteen doubles, little-endian on every host.
ParamFileBytes encodeParamFile(const WizardParams& params);

// Replaces the thirteen fields from the file's bytes, bit for bit, when the header matches; returns
// false and leaves `params` alone otherwise. Only bytes 0 to 6 ("Zendel" and its terminator) are
// examined; the version text and the padding are not.
bool decodeParamFile(const ParamFileBytes& bytes, WizardParams& params);

}  // namespace wizard
