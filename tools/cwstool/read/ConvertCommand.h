// ConvertCommand.h - `cwstool convert --text|--binary IN OUT`: IN written again in the other (or the
// same) encoding with the scene library's own writer, record by record.
// Tool layer; Commands.cpp dispatches to it.
#pragma once

#include <ostream>
#include <string>

namespace cwstool {

// `mode` is "--text" or "--binary". Warnings and failures go to `err`; kExitOk or kExitFailure (OUT
// is then as it was).
int convert(const std::string& mode, const std::string& in, const std::string& outPath, std::ostream& err);

}  // namespace cwstool
