// ExportCommand.h - `cwstool export [--levels] FILE OUT.glb|OUT.gltf|OUT.ifc`: reads a scene file and
// writes it as glTF 2.0 (GltfExport.h) or IFC4 (IfcExport.h). Tool layer; Commands.cpp dispatches to it
// once it has told the format by OUT's name (an output of no format is a usage error there).
#pragma once

#include <ostream>
#include <string>

namespace cwstool {

enum class ExportFormat {
    Gltf,  // .glb or .gltf: binary or JSON, as the name says (gltfContainerFor)
    Ifc,   // .ifc: IFC4 in STEP text
};

struct ExportRequest {
    std::string scenePath;  // UTF-8
    std::string outPath;    // UTF-8, of the format below
    ExportFormat format = ExportFormat::Gltf;
    bool levels = false;    // glTF only: the storeys as volumes (GltfOptions::levels)
    std::string id;         // IFC only: the project's identity (--id TEXT); "" for the scene file's name
};

// Reads the scene file and writes the export. Warnings and failures go to `err`, each line beginning
// "cwstool: "; nothing goes to standard output. Returns kExitOk, or kExitFailure when the scene was
// refused or OUT not written (OUT is then as it was).
int exportCommand(const ExportRequest& request, std::ostream& err);

}  // namespace cwstool
