// PngOutputNone.cpp - the build without librsvg and cairo (the Windows build): no PNG (see PngOutput.h).
#include "tools/cwstool/preview/PngOutput.h"

namespace cwstool {

bool pngAvailable() { return false; }

std::string writeSvgAsPng(const std::string&, std::FILE*)
{
    return "this build of cwstool cannot write PNG (it has no SVG renderer); write OUT.svg instead";
}

}  // namespace cwstool
