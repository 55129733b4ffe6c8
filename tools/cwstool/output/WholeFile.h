// WholeFile.h - an export's bytes written to a path through fileio::OutputFile, as every file of the
// system is written: complete or not at all, with the system's reason when it fails.
// Tool layer.
#pragma once

#include <string>
#include <string_view>

namespace cwstool {

// Writes `bytes` to the UTF-8 path. "" when written; else why not, "cannot write the file: <the
// system's reason>", and the target is as it was.
std::string writeWholeFile(const std::string& utf8Path, std::string_view bytes);

}  // namespace cwstool
