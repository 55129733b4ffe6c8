// DumpCommand.h - `cwstool dump [--flat] FILE`: the scene as an indented tree (SceneDump.h) or one line
// per frame, or a parameter file of the wizard as its thirteen values (ParamFileView.h).
// Tool layer; Commands.cpp dispatches to it.
#pragma once

#include <ostream>
#include <string>

namespace cwstool {

// The dump goes to `out`, warnings and a refusal to `err`; kExitOk or kExitFailure.
int dump(const std::string& path, bool flat, std::ostream& out, std::ostream& err);

}  // namespace cwstool
