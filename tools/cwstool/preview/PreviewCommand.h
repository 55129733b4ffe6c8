// PreviewCommand.h - `cwstool preview FILE OUT.svg|OUT.png`: the building's section as a picture.
// Tool layer; Commands.cpp dispatches to it once it has told the format by OUT's name.
#pragma once

#include <ostream>
#include <string>

namespace cwstool {

// The picture formats of preview, told by the output's name.
enum class Picture { Svg, Png, Unknown };

Picture pictureFormat(const std::string& path);

// Reads FILE and writes the picture to `outPath` in `format` (Svg or Png). Warnings and failures go
// to `err`; kExitOk or kExitFailure (OUT is then as it was).
int preview(const std::string& path, const std::string& outPath, Picture format, std::ostream& err);

}  // namespace cwstool
