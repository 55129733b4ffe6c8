// Win32CommandLine.h - the wizard's parameters from the C runtime's wide argument vector.
//
// Win32 layer, standard C++ only. The C runtime splits the command line by its own rules (double
// quotes keep a path with spaces together) into __wargv; this turns every entry after the program
// name into a CommandParam: UTF-8 text, and a flag when it begins with '-' or '/' (passed without
// that first character). A Japanese path therefore arrives intact whatever the ANSI code page.
#pragma once

#include "app/WizardCommandLine.h"

#include <vector>

namespace wizard::platform {

std::vector<CommandParam> commandParamsFromWide(int argc, const wchar_t* const* argv);

}  // namespace wizard::platform
