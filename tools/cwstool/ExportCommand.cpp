// ExportCommand.cpp - `cwstool export` (see ExportCommand.h).
#include "tools/cwstool/ExportCommand.h"

#include <cwscene/SceneReader.h>
#include "tools/cwstool/Commands.h"  // exit statuses
#include "tools/cwstool/GltfExport.h"
#include "tools/cwstool/ParamFileView.h"  // refusalText

namespace cwstool {

int exportCommand(const std::string& scenePath, const std::string& outPath, std::ostream& err)
{
    scene::ReadResult read = scene::readSceneFile(scenePath);
    if (!read) {
        err << "cwstool: " << scenePath << ": " << refusalText(scenePath, read.error) << "\n";
        return kExitFailure;
    }
    if (read.defaultedNames > 0) {
        err << "cwstool: " << scenePath << ": warning: " << read.defaultedNames
            << " unnamed objects were given the library's default names\n";
    }
    GltfWriteResult result = exportGltf(*read.scene, outPath);
    for (const std::string& warning : result.warnings) err << "cwstool: " << scenePath << ": warning: " << warning << "\n";
    if (!result.written) {
        err << "cwstool: " << outPath << ": " << result.error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace cwstool
