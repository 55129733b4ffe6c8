// SceneDump.h - a scene as an indented text tree for people: `cwstool dump`.
// Tool layer. Names are converted from Shift-JIS to UTF-8; floats are shown in their shortest exact form.
#pragma once

#include <ostream>

class CWScene;

namespace cwstool {

// Writes the scene: its scalar values, each registry with its records, and the part hierarchy, one
// line per object, children indented by two blanks.
void dumpScene(const CWScene& scene, std::ostream& out);

}  // namespace cwstool
