// ExportCommand.cpp - `cwstool export` (see ExportCommand.h).
#include "tools/cwstool/export/ExportCommand.h"

#include "text/Messages.h"
#include "tools/cwstool/output/Problems.h"

#include <cwscene/FileAccess.h>    // openFile, errorText
#include <cwscene/RecordParser.h>  // kMaxSceneFileBytes
#include <cwscene/SceneReader.h>
#include "tools/cwstool/export/gltf/GltfExport.h"
#include "tools/cwstool/export/ifc/IfcExport.h"
#include "tools/cwstool/read/ParamFileView.h"  // refusalText
#include "tools/cwstool/output/ExitStatus.h"
#include "tools/cwstool/output/WholeFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace cwstool {

namespace {

int keepOpen(std::FILE*) { return 0; }  // standard input stays open for the process

// Copies what `in` holds into `copy`, as far as a scene file can be long. "" when copied, else why not.
std::string copyAtMost(std::FILE* in, std::FILE* copy, const std::string& tooLarge)
{
    char buffer[65536];
    std::size_t size = 0;
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
        size += got;
        if (size > scenefile::kMaxSceneFileBytes) return tooLarge;
        if (std::fwrite(buffer, 1, got, copy) != got) return cannotRead(errno);
    }
    if (std::ferror(in) || std::fflush(copy) != 0) return cannotRead(errno);
    return "";
}

// All the bytes of the file at a UTF-8 path ("-": standard input), into `bytes`: the IFC's GlobalIds
// are derived from them, and the scene is read from them, so that a pipe is read once. A file that
// can be positioned is measured first, so that one larger than any scene file is refused unread; a
// pipe is copied into a temporary file first for the same reason (into memory where the system
// gives no temporary). "" when read, else why not.
std::string readInput(const std::string& path, std::string& bytes)
{
    errno = 0;
    const bool standardInput = path == "-";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(standardInput ? fileio::standardInput()
                                                                          : fileio::openFile(path, "rb"),
                                                           standardInput ? &keepOpen : &std::fclose);
    if (!stream) return cannotOpen(errno);
    std::string tooLarge = messages::filledIn(_("the file is larger than %s MiB, more than any scene file"),
                                              std::to_string(scenefile::kMaxSceneFileBytes / (1024 * 1024)));
    if (std::fseek(stream.get(), 0, SEEK_END) != 0) {
        std::clearerr(stream.get());
        if (std::FILE* temporary = std::tmpfile()) {
            std::unique_ptr<std::FILE, int (*)(std::FILE*)> copy(temporary, &std::fclose);
            if (std::string problem = copyAtMost(stream.get(), temporary, tooLarge); !problem.empty()) return problem;
            stream = std::move(copy);
        }
    }
    if (std::fseek(stream.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(stream.get());
        if (size > 0 && static_cast<unsigned long>(size) > scenefile::kMaxSceneFileBytes) return tooLarge;
        if (std::fseek(stream.get(), 0, SEEK_SET) != 0) return cannotRead(errno);
    } else {
        std::clearerr(stream.get());
    }
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, stream.get())) > 0;) {
        bytes.append(buffer, got);
        if (bytes.size() > scenefile::kMaxSceneFileBytes) return tooLarge;
    }
    if (std::ferror(stream.get())) return cannotRead(errno);
    return "";
}

// The last element of a path: "house.ifc" of "out/house.ifc".
std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "zendel" of "dir/zendel.cws": the project's name.
std::string stemOf(const std::string& path)
{
    std::string name = fileNameOf(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace

int exportCommand(const ExportRequest& request, std::ostream& err)
{
    const std::string& scenePath = request.scenePath;
    std::vector<std::string> warnings;
    std::string error;
    if (request.format == ExportFormat::Gltf) {
        // Record by record, as the file is read: the memory does not grow with the scene.
        GltfOptions options;
        options.levels = request.levels;
        scenefile::ParseOptions parseOptions;
        parseOptions.dashIsStandardInput = true;
        GltfWriteResult result = exportGltf(scenePath, request.outPath, options, parseOptions);
        if (!result.refusal.empty()) {
            err << about(scenePath) << refusalText(scenePath, result.refusal) << "\n";
            return kExitFailure;
        }
        if (result.defaultedNames > 0) err << about(scenePath) << defaultedNamesWarning(result.defaultedNames) << "\n";
        warnings = std::move(result.warnings);
        error = std::move(result.error);
    } else {
        std::string bytes;
        std::string problem = readInput(scenePath, bytes);
        scene::ReadResult read;
        if (problem.empty()) {
            read = scene::readScene(bytes);
            problem = read ? "" : refusalText(scenePath, read.error);
        }
        if (!problem.empty()) {
            err << about(scenePath) << problem << "\n";
            return kExitFailure;
        }
        if (read.defaultedNames > 0) err << about(scenePath) << defaultedNamesWarning(read.defaultedNames) << "\n";
        IfcExport ifc = ifcFromScene(*read.scene, {bytes, stemOf(scenePath), fileNameOf(request.outPath)});
        warnings = std::move(ifc.warnings);
        error = writeWholeFile(request.outPath, ifc.bytes);
    }
    for (const std::string& warning : warnings) err << about(scenePath) << messages::filledIn(_("warning: %s"), warning) << "\n";
    if (!error.empty()) {
        err << about(request.outPath) << error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace cwstool
