// Commands.cpp - the commands of cwstool (see Commands.h).
#include "tools/cwstool/Commands.h"

#include <cwscene/Version.h>

#include <cwscene/SceneReader.h>
#include <cwscene/Encoding.h>
#include <cwscene/FileAccess.h>
#include <cwscene/RecordParser.h>
#include "tools/cwstool/ExportCommand.h"
#include "tools/cwstool/SceneDump.h"
#include "tools/cwstool/SjisToUtf8.h"
#include "tools/cwstool/SvgPreview.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>  // bad_alloc

namespace cwstool {

namespace {

const char kUsage[] =
    "usage: cwstool dump FILE\n"
    "       cwstool check FILE\n"
    "       cwstool convert --text|--binary IN OUT\n"
    "       cwstool preview FILE OUT.svg\n"
    "       cwstool export FILE OUT.glb|OUT.gltf\n"
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
    "  export   write glTF 2.0 for 3D viewers: binary .glb, or JSON with the buffer inside for .gltf.\n"
    "           Each frame a node (name in UTF-8; layer, part ids, visibility, locks in its extras),\n"
    "           each box a node of a unit cube scaled to its size, each material a glTF material\n"
    "           (colour 1 as base colour). Lengths in metres (unit code 0: millimetres; any other code\n"
    "           is taken as millimetres too, with a warning); the scene's z-up axes become glTF's Y-up\n"
    "           (x, z, -y). Rotations are taken as degrees about x, then y, then z, with a warning.\n"
    "           Other shapes, textures, partial wraps, lights, views, backgrounds, leads, sensors and\n"
    "           actions are left out, each kind with a warning. docs/gltf-export.md has the details.\n"
    "Output files are replaced only when complete. Exit status: 0 done, 1 a file was refused or could\n"
    "not be written, 2 wrong usage.\n";

const char* encodingName(scenefile::Encoding encoding)
{
    return encoding == scenefile::Encoding::Text ? "text" : "binary";
}

// What check reports, and what a dump or a preview warns about, from the records alone.
class Summary : public scenefile::SceneVisitor {
public:
    void material(const scenefile::MaterialRecord& r) override
    {
        ++materials;
        defaulted.note(r);
    }
    void frameBegin(const scenefile::FrameRecord& r) override
    {
        ++frames;
        shapes += r.shapeCount;
        defaulted.note(r);
    }
    void light(const scenefile::LightRecord& r) override { defaulted.note(r); }
    void view(const scenefile::ViewRecord& r) override { defaulted.note(r); }
    void lead(const scenefile::LeadRecord& r) override { defaulted.note(r); }
    void sensor(const scenefile::SensorRecord& r) override { defaulted.note(r); }

    long frames = 0;
    long shapes = 0;
    long materials = 0;
    scene::DefaultedNames defaulted;
};

void warnDefaultedNames(const std::string& path, int count, std::ostream& err)
{
    if (count > 0) {
        err << "cwstool: " << path << ": warning: " << count
            << " unnamed objects were given the library's default names\n";
    }
}

// Runs `visitor` over FILE. A refusal is reported as "cwstool: FILE: <where>: <what>" (false).
bool visit(const std::string& path, scenefile::SceneVisitor& visitor, std::ostream& err,
           scenefile::ParseResult* result = nullptr)
{
    scenefile::ParseResult parsed = scenefile::parseSceneFile(path, visitor);
    if (!parsed.accepted()) err << "cwstool: " << path << ": " << parsed.error << "\n";
    if (result) *result = parsed;
    return parsed.accepted();
}

// Checks FILE and gives its summary, warning about names that building would default.
bool summarise(const std::string& path, Summary& summary, std::ostream& err, scenefile::ParseResult* result = nullptr)
{
    if (!visit(path, summary, err, result)) return false;
    warnDefaultedNames(path, summary.defaulted.total(), err);
    return true;
}

int check(const std::string& path, std::ostream& out, std::ostream& err)
{
    Summary summary;
    scenefile::ParseResult result;
    if (!summarise(path, summary, err, &result)) return kExitFailure;
    out << path << ": valid " << encodingName(result.encoding) << " scene file, " << summary.frames << " frames, "
        << summary.shapes << " shapes, " << summary.materials << " materials\n";
    return kExitOk;
}

// The dump goes out as the records stream by, so the file is checked first: the dump of a file that
// is refused half-way would be half a dump.
class CheckedDump : public SceneDump {
public:
    CheckedDump(const std::string& path, const Summary& summary, std::ostream& out, std::ostream& err)
        : SceneDump(out), m_path(path), m_summary(summary), m_out(out), m_err(err)
    {
    }
    void header(const scenefile::HeaderRecord& r) override
    {
        warnDefaultedNames(m_path, m_summary.defaulted.total(), m_err);
        m_out << m_path << ": " << (r.text ? "text" : "binary") << " scene file\n";
        SceneDump::header(r);
    }

private:
    const std::string& m_path;
    const Summary& m_summary;
    std::ostream& m_out;
    std::ostream& m_err;
};

int dump(const std::string& path, std::ostream& out, std::ostream& err)
{
    Summary summary;
    CheckedDump dump(path, summary, out, err);
    scenefile::ParseResult result = scenefile::parseSceneFileChecked(path, summary, dump);
    if (!result.accepted()) {
        dump.discard();
        err << "cwstool: " << path << ": " << result.error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int convert(const std::string& mode, const std::string& in, const std::string& outPath, std::ostream& err)
{
    const bool toText = mode == "--text";
    scenefile::ParseOptions options;
    options.countLossyTextFloats = toText;  // only a conversion to text has a warning to give about them
    scene::ReadResult read = scene::readSceneFile(in, options);
    if (!read) {
        err << "cwstool: " << in << ": " << read.error << "\n";
        return kExitFailure;
    }
    warnDefaultedNames(in, read.defaultedNames, err);
    if (toText && read.lossyTextFloats > 0) {
        err << "cwstool: " << in << ": warning: " << read.lossyTextFloats
            << " float values need more than six decimals; the text keeps them rounded\n";
    }
    // The encoding switch is process-wide; it goes back to binary, the program's default, afterwards.
    read.scene->SetTextMode(toText ? 1 : 0);
    std::int32_t saved = read.scene->Save(outPath);
    read.scene->SetTextMode(0);
    if (saved != 1) {
        err << "cwstool: " << outPath << ": cannot write the file";
        if (int error = fileio::lastWriteError()) err << ": " << fileio::errorText(error);
        if (const char* chain = errorChain()) err << " (" << sjisToUtf8(chain) << ")";
        err << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

// Collects what a preview draws, and the summary's warning with it.
class PreviewReading : public SidePreview {
public:
    void material(const scenefile::MaterialRecord& r) override
    {
        SidePreview::material(r);
        summary.material(r);
    }
    void frameBegin(const scenefile::FrameRecord& r) override
    {
        SidePreview::frameBegin(r);
        summary.frameBegin(r);
    }
    void light(const scenefile::LightRecord& r) override { summary.light(r); }
    void view(const scenefile::ViewRecord& r) override { summary.view(r); }
    void lead(const scenefile::LeadRecord& r) override { summary.lead(r); }
    void sensor(const scenefile::SensorRecord& r) override { summary.sensor(r); }

    Summary summary;
};

int preview(const std::string& path, const std::string& svgPath, std::ostream& err)
{
    PreviewReading reading;
    if (!visit(path, reading, err)) return kExitFailure;
    warnDefaultedNames(path, reading.summary.defaulted.total(), err);
    std::string title = path.substr(path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
    std::string svg = reading.svg(title);
    fileio::OutputFile file(svgPath);
    std::FILE* stream = file.open();
    if (!stream || std::fwrite(svg.data(), 1, svg.size(), stream) != svg.size() || !file.commit()) {
        err << "cwstool: " << svgPath << ": cannot write the file: " << fileio::errorText(file.error() ? file.error() : EIO)
            << "\n";
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

namespace {

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) return usageError("no command given", err);
    const std::string& command = args[0];
    const std::size_t operands = args.size() - 1;
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return kExitOk;
    }
    if (command == "--version") {
        out << "cwstool " << CWSCENE_VERSION << "\n";
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
    if (command == "export") {
        if (operands != 2) return usageError("export takes FILE and OUT.glb or OUT.gltf", err);
        return exportCommand(args[1], args[2], err);
    }
    return usageError("unknown command '" + command + "'", err);
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        return runCommand(args, out, err);
    } catch (const std::bad_alloc&) {
        // A scene the reader accepted can still be too large to draw or convert in the memory there
        // is: say so instead of aborting.
        err << "cwstool: out of memory\n";
        return kExitFailure;
    }
}

}  // namespace cwstool
