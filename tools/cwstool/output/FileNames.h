// FileNames.h - what cwstool reads from a file's name: the extension that tells an output's format.
// Tool layer.
#pragma once

#include <string>

namespace cwstool {

// The extension of an output's name in lower case, without the dot: "png" of "out/A.PNG"; "" for none.
std::string extensionOf(const std::string& path);

}  // namespace cwstool
