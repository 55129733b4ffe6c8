// ExportCommand.h - `cwstool export FILE OUT.glb|OUT.gltf`: reads a scene file and writes it as glTF 2.0
// (GltfExport.h). Tool layer; Commands.cpp dispatches to it.
#pragma once

#include <ostream>
#include <string>

namespace cwstool {

// Reads the scene file at `scenePath` and writes its glTF to `outPath` (JSON for a .gltf name, binary
// otherwise). Warnings and failures go to `err`, each line beginning "cwstool: "; nothing goes to
// standard output. Returns kExitOk, or kExitFailure when the scene was refused or OUT not written.
int exportCommand(const std::string& scenePath, const std::string& outPath, std::ostream& err);

}  // namespace cwstool
