// PosixCommandLine.h - the wizard's parameters from argv, by the POSIX rules.
//
// POSIX layer. A parameter that begins with '-' is a flag and is passed without that '-'; every other
// parameter, one that begins with '/' (an absolute path here) included, is a path.
#pragma once

#include "app/WizardCommandLine.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::vector<CommandParam> commandParamsFromArgv(int argc, const char* const* argv);

// What main does before the wizard runs: --help and --version anywhere on the command line.
enum class EarlyExit { None, Help, Version };
EarlyExit earlyExitFromArgv(int argc, const char* const* argv);

// True when the two paths name one file: the same file where both exist (links followed), or the
// same place where they do not yet ("a.cws" and "./a.cws").
bool namesSameFile(const std::string& a, const std::string& b);

// Lines main prints on standard error before the form, each ending in '\n': what the user should
// know about the command line before pressing OK (both paths naming one file, which then ends up
// holding the parameters only).
std::string startWarnings(const std::vector<CommandParam>& params);

extern const char kUsageText[];

}  // namespace platform
