// ExportCommand.cpp - `cwstool export` (see ExportCommand.h).
#include "tools/cwstool/export/ExportCommand.h"

#include "text/Messages.h"
#include "tools/cwstool/output/Problems.h"

#include <cwscene/FileAccess.h>    // openFile, standardInput
#include <cwscene/RecordParser.h>  // ParseOptions
#include "tools/cwstool/export/gltf/GltfExport.h"
#include "tools/cwstool/export/ifc/IfcExport.h"
#include "tools/cwstool/read/ParamFileView.h"  // refusalText
#include "tools/cwstool/output/ExitStatus.h"

#include <sys/stat.h>  // fstat: the scene file's modification time, for the IFC's time stamp

#include <cstdint>
#include <cstdio>
#include <cstdlib>  // getenv
#include <memory>
#include <vector>

namespace cwstool {

namespace {

int keepOpen(std::FILE*) { return 0; }  // standard input stays open for the process

// The last element of a path: "house.ifc" of "out/house.ifc".
std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "zendel" of "dir/zendel.cws": the project's name.
std::string stemOf(const std::string& path)
{
    if (path == "-") return "stdin";  // standard input, named as /dev/stdin would be
    std::string name = fileNameOf(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

// The IFC header's time stamp: SOURCE_DATE_EPOCH when it holds a number of seconds (so that a build
// system can ask for the same bytes on any day), else the scene file's modification time (the same
// file gives the same IFC), else the epoch. A SOURCE_DATE_EPOCH that is no such number is said and
// passed over; an empty one is none. A pipe has no time of its own: the epoch.
std::string ifcTimeStampFor(const std::string& scenePath, std::ostream& err)
{
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch && *epoch) {
        const std::string text = epoch;
        const bool digits = !text.empty() && text.size() <= 18 && text.find_first_not_of("0123456789") == std::string::npos;
        if (digits) return ifcTimeStamp(std::stoll(text));
        err << "cwstool: " << messages::filledIn(_("warning: SOURCE_DATE_EPOCH '%s' is not a number of seconds: the "
                                                   "scene file's time is used"),
                                                 text)
            << "\n";
    }
    std::int64_t seconds = 0;
    const bool standardInput = scenePath == "-";
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(standardInput ? fileio::standardInput()
                                                                          : fileio::openFile(scenePath, "rb"),
                                                           standardInput ? &keepOpen : &std::fclose);
    struct stat info {};
    if (stream && ::fstat(::fileno(stream.get()), &info) == 0 && S_ISREG(info.st_mode)) {
        seconds = static_cast<std::int64_t>(info.st_mtime);
    }
    return ifcTimeStamp(seconds);
}

// `export FILE OUT.ifc`: written as the scene file is read (IfcExport.h), never whole in memory.
int exportIfcFile(const ExportRequest& request, std::ostream& err)
{
    const std::string name = stemOf(request.scenePath);
    const IfcOptions options{request.id.empty() ? name : request.id, name, fileNameOf(request.outPath),
                             ifcTimeStampFor(request.scenePath, err)};
    const IfcResult result = exportIfc(request.scenePath, request.outPath, options);
    if (!result.sceneError.empty()) {
        err << about(request.scenePath) << refusalText(request.scenePath, result.sceneError) << "\n";
        return kExitFailure;
    }
    for (const std::string& warning : result.warnings) {
        err << about(request.scenePath) << messages::filledIn(_("warning: %s"), warning) << "\n";
    }
    if (!result.outputError.empty()) {
        err << about(request.outPath) << result.outputError << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

int exportCommand(const ExportRequest& request, std::ostream& err)
{
    if (request.format == ExportFormat::Ifc) return exportIfcFile(request, err);
    const std::string& scenePath = request.scenePath;
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
    const std::vector<std::string> warnings = std::move(result.warnings);
    const std::string error = std::move(result.error);
    for (const std::string& warning : warnings) err << about(scenePath) << messages::filledIn(_("warning: %s"), warning) << "\n";
    if (!error.empty()) {
        err << about(request.outPath) << error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace cwstool
