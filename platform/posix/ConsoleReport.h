// ConsoleReport.h - what the console wizard says around the form: warnings before it, one line per
// file after OK, and the exit status.
//
// POSIX layer. The Windows dialog keeps the wizard's silence; on a console the unix habit holds: say
// what was written where, name a failure and its reason, and let the exit status tell a script.
#pragma once

#include "app/WizardApp.h"
#include "app/WizardCommandLine.h"

#include <string>
#include <vector>

namespace wizard::platform {

// Exit statuses of the console wizard.
inline constexpr int kExitWritten = 0;    // OK, and everything was written
inline constexpr int kExitCancelled = 1;  // cancel, quit or the end of input: nothing written
inline constexpr int kExitUsage = 2;      // wrong usage
inline constexpr int kExitNotWritten = 3; // OK, but a file could not be written, a registry value not set,
                                          // or what the console said not written in full

// Lines for standard error before the form, each ending in '\n': a parameter file that is not ours
// (OK will replace it), shorter than a parameter file, or unreadable; both paths naming one file.
std::string startWarnings(const std::vector<CommandParam>& params);

// One line per result after OK ("wrote house.cws (2222 bytes)", "registry: 8 values in ...",
// "could not write nodir/a.cws: No such file or directory"), each ending in '\n'. `registryStore` is
// the file the registry defaults went to ("" when there was none to use).
std::string resultLines(const RunReport& run, const std::string& registryStore);

// kExitWritten, kExitCancelled or kExitNotWritten for the run; kExitNotWritten too for a run whose
// console output could not all be written (`reported` false), which a script could not follow.
int exitStatus(const RunReport& run, bool reported = true);

// True when the locale the console was started with (LC_ALL, LC_MESSAGES, LANG) is Japanese.
bool japaneseLocale();

}  // namespace wizard::platform
