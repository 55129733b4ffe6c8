// PngOutput.h - an SVG document rendered to PNG, for `cwstool preview FILE OUT.png`.
// Tool layer. PngOutputRsvg.cpp renders with librsvg and cairo (Debian: librsvg2-dev to build,
// librsvg2-2 to run; loaded when a PNG is asked for), which draw the text with the system's fonts
// through fontconfig; the Windows build has neither and links PngOutputNone.cpp, which refuses.
#pragma once

#include <cstdio>
#include <string>

namespace cwstool {

// True when this build can write PNG.
bool pngAvailable();

// Renders `svg` at its own size in pixels (its width and height attributes) on a white page and writes
// the PNG to `stream`. Returns "" when written; otherwise what went wrong: the libraries could not be
// loaded, the picture could not be rendered, or the write failed (with the system's reason).
std::string writeSvgAsPng(const std::string& svg, std::FILE* stream);

}  // namespace cwstool
