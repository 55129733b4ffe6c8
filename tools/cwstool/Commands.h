// Commands.h - cwstool's command line: dump, check, convert and preview of scene files.
// Tool layer. Main.cpp calls run(); tests call it in-process with string streams.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cwstool {

// Exit status: 0 done, 1 the input was refused or the output could not be written, 2 a usage error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs one command. `args` are the arguments after the program name. Results go to `out`; messages,
// each beginning "cwstool: ", go to `err`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of `cwstool --help`.
const char* usageText();

}  // namespace cwstool
