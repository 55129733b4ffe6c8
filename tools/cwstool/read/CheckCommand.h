// CheckCommand.h - `cwstool check [--strict] FILE`: whether FILE is a valid scene file, its counts,
// and the warnings about values a host application cannot place and the wizard's levels and dimensions.
// Tool layer; Commands.cpp dispatches to it.
#pragma once

#include <ostream>
#include <string>

namespace cwstool {

// Prints "FILE: valid ... scene file, ..." to `out`, the warnings and a refusal to `err`. Returns
// kExitOk, or kExitFailure for a refusal (or any warning with `strict`).
int check(const std::string& path, bool strict, std::ostream& out, std::ostream& err);

}  // namespace cwstool
