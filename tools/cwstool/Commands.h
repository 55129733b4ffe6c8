// Commands.h - cwstool's command line: the commands dump, check, convert, preview and export of scene
// files, each checked for its arguments here and done in its room (read/, preview/, export/).
// Tool layer. Main.cpp calls run(); tests call it in-process with string streams.
#pragma once

#include "tools/cwstool/output/ExitStatus.h"

#include <ostream>
#include <string>
#include <vector>

namespace cwstool {

// Runs one command and returns its exit status (output/ExitStatus.h). `args` are the arguments after the
// program name. Results go to `out`; messages, each beginning "cwstool: ", go to `err`.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of `cwstool --help` (it says whether this build writes PNG).
std::string usageText();

}  // namespace cwstool
