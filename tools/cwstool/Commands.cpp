// Commands.cpp - the four commands of cwstool (see Commands.h).
#include "tools/cwstool/Commands.h"

#include "scenefile/Encoding.h"
#include "scenefile/FileAccess.h"
#include "scene/SceneReader.h"
#include "tools/cwstool/SceneDump.h"
#include "tools/cwstool/SjisToUtf8.h"
#include "tools/cwstool/SvgPreview.h"

#include <cstdio>
#include <memory>

namespace cwstool {

namespace {

const char kUsage[] =
    "usage: cwstool dump FILE\n"
    "       cwstool check FILE\n"
    "       cwstool convert --text|--binary IN OUT\n"
    "       cwstool preview FILE OUT.svg\n"
    "       cwstool --help | --version\n"
    "\n"
    "Reads scene files (.cws) in either encoding; the encoding is told by the content.\n"
    "  dump     print the scene as an indented tree, names in UTF-8\n"
    "  check    exit 0 when FILE is a valid scene file; otherwise print the first problem, exit 1\n"
    "  convert  write IN again in the text or the binary encoding with the scene library's own writer;\n"
    "           binary -> text -> binary gives the original bytes whenever six decimals identify every\n"
    "           float (convert warns when they do not)\n"
    "  preview  draw a side view as SVG: each frame a labelled level line at its height, each box\n"
    "           filled in its material colour, with a scale in millimetres\n"
    "Output files are replaced only when complete. Exit status: 0 done, 1 a file was refused or could\n"
    "not be written, 2 wrong usage.\n";

const char* encodingName(scenefile::Encoding encoding)
{
    return encoding == scenefile::Encoding::Text ? "text" : "binary";
}

// Reads FILE, or reports "cwstool: FILE: <where>: <what>" and returns null.
std::unique_ptr<CWScene> load(const std::string& path, std::ostream& err, scenefile::ReadResult* details = nullptr)
{
    scenefile::ReadResult result = scenefile::readSceneFile(path);
    if (!result) {
        err << "cwstool: " << path << ": " << result.error << "\n";
        return nullptr;
    }
    if (result.defaultedNames > 0) {
        err << "cwstool: " << path << ": warning: " << result.defaultedNames
            << " unnamed objects were given the library's default names\n";
    }
    if (details) {
        details->encoding = result.encoding;
        details->defaultedNames = result.defaultedNames;
        details->lossyTextFloats = result.lossyTextFloats;
    }
    return std::move(result.scene);
}

int countFrames(const CWFrame& frame, int& shapes)
{
    int frames = 1;
    shapes += static_cast<int>(frame.shapeCount());
    for (std::size_t i = 0; i < frame.childCount(); ++i) frames += countFrames(frame.child(i), shapes);
    return frames;
}

int check(const std::string& path, std::ostream& out, std::ostream& err)
{
    scenefile::ReadResult details;
    std::unique_ptr<CWScene> scene = load(path, err, &details);
    if (!scene) return kExitFailure;
    int shapes = 0;
    int frames = countFrames(*scene->rootFrame(), shapes);
    out << path << ": valid " << encodingName(details.encoding) << " scene file, " << frames << " frames, " << shapes
        << " shapes, " << scene->materialCount() << " materials\n";
    return kExitOk;
}

int dump(const std::string& path, std::ostream& out, std::ostream& err)
{
    scenefile::ReadResult details;
    std::unique_ptr<CWScene> scene = load(path, err, &details);
    if (!scene) return kExitFailure;
    out << path << ": " << encodingName(details.encoding) << " scene file\n";
    dumpScene(*scene, out);
    return kExitOk;
}

int convert(const std::string& mode, const std::string& in, const std::string& outPath, std::ostream& err)
{
    scenefile::ReadResult details;
    std::unique_ptr<CWScene> scene = load(in, err, &details);
    if (!scene) return kExitFailure;
    const bool toText = mode == "--text";
    if (toText && details.lossyTextFloats > 0) {
        err << "cwstool: " << in << ": warning: " << details.lossyTextFloats
            << " float values need more than six decimals; the text keeps them rounded\n";
    }
    // The encoding switch is process-wide; it goes back to binary, the program's default, afterwards.
    scene->SetTextMode(toText ? 1 : 0);
    std::int32_t saved = scene->Save(outPath);
    scene->SetTextMode(0);
    if (saved != 1) {
        err << "cwstool: " << outPath << ": cannot write the file";
        if (const char* chain = errorChain()) err << " (" << sjisToUtf8(chain) << ")";
        err << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int preview(const std::string& path, const std::string& svgPath, std::ostream& err)
{
    std::unique_ptr<CWScene> scene = load(path, err);
    if (!scene) return kExitFailure;
    std::string title = path.substr(path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
    std::string svg = previewSvg(*scene, title);
    fileio::AtomicFile file(svgPath);
    std::FILE* stream = file.open();
    if (!stream || std::fwrite(svg.data(), 1, svg.size(), stream) != svg.size() || !file.commit()) {
        err << "cwstool: " << svgPath << ": cannot write the file\n";
        return kExitFailure;
    }
    return kExitOk;
}

int usageError(const std::string& message, std::ostream& err)
{
    err << "cwstool: " << message << "\n" << "Try 'cwstool --help' for more information.\n";
    return kExitUsage;
}

}  // namespace

const char* usageText() { return kUsage; }

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) return usageError("no command given", err);
    const std::string& command = args[0];
    const std::size_t operands = args.size() - 1;
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "--version") {
        out << "cwstool " << SKIPFLOOR_VERSION << "\n";
        return kExitOk;
    }
    if (command == "dump" || command == "check") {
        if (operands != 1) return usageError(command + " takes one FILE", err);
        return command == "dump" ? dump(args[1], out, err) : check(args[1], out, err);
    }
    if (command == "convert") {
        if (operands != 3 || (args[1] != "--text" && args[1] != "--binary")) {
            return usageError("convert takes --text or --binary, then IN and OUT", err);
        }
        return convert(args[1], args[2], args[3], err);
    }
    if (command == "preview") {
        if (operands != 2) return usageError("preview takes FILE and OUT.svg", err);
        return preview(args[1], args[2], err);
    }
    return usageError("unknown command '" + command + "'", err);
}

}  // namespace cwstool
