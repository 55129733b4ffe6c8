// PosixCommandLine.h - the wizard's parameters from argv, by the POSIX rules.
//
// POSIX layer. A parameter that begins with '-' is a flag and is passed without that '-'; every other
// parameter, one that begins with '/' (an absolute path here) included, is a path.
#pragma once

#include "app/WizardCommandLine.h"

#include <string>
#include <string_view>
#include <vector>

namespace wizard::platform {

std::vector<CommandParam> commandParamsFromArgv(int argc, const char* const* argv);

// What main does before the wizard runs: --help and --version anywhere on the command line.
enum class EarlyExit { None, Help, Version };
EarlyExit earlyExitFromArgv(int argc, const char* const* argv);

// The first parameter that looks like an option of ours but is none ("--frobnicate"), or "" when there
// is none. Single-dash parameters are the wizard's ignored flags ("-x" is no error); a double dash
// starts a long option, and the only ones are --help and --version.
std::string unknownLongOption(int argc, const char* const* argv);

extern const char kUsageText[];

}  // namespace wizard::platform
