// SvgPreview.h - a side view of a scene as SVG: `cwstool preview`.
// Tool layer. Looking along y: every frame is a labelled level line at its accumulated height (the sum
// of the z positions from the root down to it), every box shape a rectangle filled with its material's
// first colour, at its frame's accumulated x and z. Rotations and scales are not drawn.
#pragma once

#include <string>

class CWScene;

namespace cwstool {

// The SVG document. `title` (UTF-8) heads the picture, usually the file name.
std::string previewSvg(const CWScene& scene, const std::string& title);

}  // namespace cwstool
