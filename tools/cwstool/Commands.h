// Commands.h - cwstool's command line: dump, check, convert, preview and export of scene files.
// Tool layer. Main.cpp calls run(); tests call it in-process with string streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cwstool {

// Exit status: 0 done, 1 the input was refused or the output could not be written (or check --strict
// warned), 2 a usage error (an output name of no format cwstool writes included).
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs one command. `args` are the arguments after the program name. Results go to `out`; messages,
// each beginning "cwstool: ", go to `err`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of `cwstool --help` (it says whether this build writes PNG).
std::string usageText();

}  // namespace cwstool
