// SectionSvg.h - `cwstool preview`'s building section as an SVG document, from its layout.
//
// Tool layer. The writer only: every position comes from the SectionLayout (SectionLayout.h); here
// are the markup, the colours of the kinds of level and of the rooms and slabs (Levels.h), and the
// texts of the key.
#pragma once

#include <string>

#include "tools/cwstool/preview/SectionLayout.h"

namespace cwstool {

// The SVG document of `layout`. `title` (UTF-8) heads the picture, usually the file name.
std::string sectionSvg(const SectionLayout& layout, const std::string& title);

}  // namespace cwstool
