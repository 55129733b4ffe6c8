// Commands.cpp - the commands of cwstool (see Commands.h).
#include "tools/cwstool/Commands.h"

#include <cwscene/Version.h>

#include <cwscene/SceneReader.h>
#include <cwscene/Encoding.h>
#include <cwscene/FileAccess.h>
#include <cwscene/RecordParser.h>
#include "text/Messages.h"
#include "tools/cwstool/export/ExportCommand.h"  // ExportRequest
#include "tools/cwstool/levels/FramePlacement.h"
#include "tools/cwstool/read/LevelStacking.h"
#include "tools/cwstool/read/ParamFileView.h"
#include "tools/cwstool/preview/PngOutput.h"
#include "tools/cwstool/output/Problems.h"
#include "tools/cwstool/read/SceneDump.h"
#include <cwscene/ShiftJis.h>
#include "tools/cwstool/preview/SvgPreview.h"
#include "tools/cwstool/read/ValueCheck.h"
#include "tools/cwstool/read/WizardDimensions.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>          // bad_alloc
#include <type_traits>  // is_same_v

namespace cwstool {

namespace {

const char kUsageHead[] = N_(
    "Usage: cwstool dump [--flat] FILE\n"
    "  or:  cwstool check [--strict] FILE\n"
    "  or:  cwstool convert --text|--binary IN OUT\n"
    "  or:  cwstool preview FILE OUT.svg|OUT.png\n"
    "  or:  cwstool export [--levels] [--id TEXT] FILE OUT.glb|OUT.gltf|OUT.ifc\n"
    "  or:  cwstool --help | --version\n"
    "\n"
    "Reads scene files (.cws) in either encoding; the encoding is told by the content.\n"
    "  dump     print the scene as an indented tree, names in UTF-8; each frame's line gives its height\n"
    "           above the root (the sum of the z positions from the root down) beside its position.\n"
    "           --flat: the frames only, a line each, for grep and diff: the path of names from the root,\n"
    "           the absolute position (the sums of the positions; rotations and scales not applied) and\n"
    "           the frame's shapes. A parameter file of the skip-floor wizard is shown as its thirteen\n"
    "           values by label, with the wizard's notes on them\n"
    "  check    exit 0 when FILE is a valid scene file; otherwise print the first problem, exit 1 (a\n"
    "           parameter file of the wizard is named as such). Warns, naming the object by its path,\n"
    "           about positions, rotations, scales and sizes that are not finite, frames whose\n"
    "           absolute position is beyond the 32-bit float range, and, in a scene of the skip-floor\n"
    "           wizard, its levels when they do not stack (a ceiling above the next plan, the site off\n"
    "           the ground), a mezzanine outside its two floors, and dimensions the wizard notes (a size\n"
    "           in the other unit, zero or negative, the building larger than the site);\n"
    "           --strict: exit 1 on any warning\n"
    "  convert  write IN again in the text or the binary encoding with the scene library's own writer;\n"
    "           binary -> text -> binary gives the original bytes whenever six decimals identify every\n"
    "           float (convert warns when they do not)\n"
    "  preview  draw the building's section: each frame a level at its height, labelled \"#N name\" (N its\n"
    "           place in the file); levels named as the wizard names them coloured by kind (plan, interior,\n"
    "           ceiling, roof), the mezzanines (中) in a column left of the main floors, half a level apart,\n"
    "           with rooms and slab bands; other frames as dashed lines; boxes in their material colour.\n"
    "           Values that are not finite are listed, not drawn. The output format follows OUT's name:\n");
const char kPngLine[] =
    N_("           .svg writes SVG, .png a PNG rendered from it with librsvg; any other name is refused\n");
const char kNoPngLine[] =
    N_("           .svg writes SVG; this build cannot write PNG (it has no SVG renderer): convert the SVG\n"
       "           elsewhere; any other name is refused\n");
const char kUsageTail[] = N_(
    "  export   write glTF 2.0 for 3D viewers: binary .glb, or JSON with the buffer inside for .gltf.\n"
    "           Each frame a node (name in UTF-8; layer, part ids, visibility, locks in its extras),\n"
    "           each box a node of a unit cube scaled to its size, each material a glTF material\n"
    "           (colour 1 as base colour). Lengths in metres (unit code 0: millimetres; any other code\n"
    "           is taken as millimetres too, with a warning); the scene's z-up axes become glTF's Y-up\n"
    "           (x, z, -y). Rotations are taken as degrees about x, then y, then z, with a warning.\n"
    "           Other shapes, textures, partial wraps, lights, views, backgrounds, leads, sensors and\n"
    "           actions are left out, each kind with a warning. docs/gltf-export.md has the details.\n"
    "           --levels: also the storeys the frames name (as preview reads them), each a translucent\n"
    "           room from its interior to its ceiling over its floor slab, the main floors and the\n"
    "           mezzanines side by side over the two halves of the foundation block.\n"
    "           .ifc writes IFC4 (STEP text) for BIM software: the main floors as building storeys,\n"
    "           each mezzanine a partial storey of the main storey below it, at their interior heights\n"
    "           in millimetres, each with its room (space) and floor slab, the roofs as roof slabs; the\n"
    "           foundation block a footing, the site slab the terrain. The file is written as the scene\n"
    "           is read. GlobalIds follow from the project's identity and each object's role, so they\n"
    "           stay when dimensions change: --id TEXT sets the identity (default: the scene file's\n"
    "           name without its extension). The header's time is SOURCE_DATE_EPOCH when set, else the\n"
    "           scene file's modification time. A scene whose frames name no storey gets its boxes\n"
    "           as proxies in one storey, with a warning. A box of no volume is written without a body.\n"
    "           docs/ifc-export.md has the mapping. Any other name of OUT is refused.\n"
    "Output files are replaced only when complete. Messages about files give the system's reason.\n"
    "Exit status: 0 done, 1 a file was refused or could not be written (or check --strict warned),\n"
    "2 wrong usage (an output name of no format cwstool writes included).\n");

// "PATH: valid binary scene file, ...", "PATH: text scene file"
const char* encodingName(scenefile::Encoding encoding)
{
    return encoding == scenefile::Encoding::Text ? _("text") : _("binary");
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
        err << about(path) << defaultedNamesWarning(count) << '\n';
    }
}

// Runs `visitor` over FILE. A refusal is reported as "cwstool: FILE: <where>: <what>" (false).
bool visit(const std::string& path, scenefile::SceneVisitor& visitor, std::ostream& err,
           scenefile::ParseResult* result = nullptr)
{
    scenefile::ParseResult parsed = scenefile::parseSceneFile(path, visitor);
    if (!parsed.accepted()) err << about(path) << refusalText(path, parsed.error) << "\n";
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

// What check reads: the summary, the values a host application cannot place, and the wizard's levels.
class CheckReading : public Summary {
public:
    void frameBegin(const scenefile::FrameRecord& r) override
    {
        Summary::frameBegin(r);
        values.frameBegin(r);
        const std::string name = cwscene::toUtf8(r.name);
        const double height = placement.enter(r).z;
        levels.frame(name, frames, height);
        dimensions.frame(name, r.position.z, height);
    }
    void material(const scenefile::MaterialRecord& r) override
    {
        Summary::material(r);
        values.material(r);
    }
    void shape(const scenefile::ShapeRecord& r) override
    {
        values.shape(r);
        dimensions.shape(r);
    }
    void thickness(const scenefile::ThicknessRecord& r) override { dimensions.thickness(r); }

    ValueCheck values;
    FramePlacement placement;
    LevelStacking levels;
    WizardDimensions dimensions;
};

int check(const std::string& path, bool strict, std::ostream& out, std::ostream& err)
{
    CheckReading reading;
    scenefile::ParseResult result;
    if (!summarise(path, reading, err, &result)) return kExitFailure;
    for (const std::string& warning : reading.values.warnings())
        err << about(path) << messages::filledIn(_("warning: %s"), warning) << "\n";
    const long hidden = reading.values.count() - static_cast<long>(reading.values.warnings().size());
    if (hidden > 0) {
        err << about(path)
            << messages::filledIn(P_("warning: and %s more warning like these", "warning: and %s more warnings like these",
                                     hidden),
                                  std::to_string(hidden))
            << "\n";
    }
    const std::vector<std::string> stacking = reading.levels.warnings();
    for (const std::string& warning : stacking)
        err << about(path) << messages::filledIn(_("warning: the wizard's levels do not stack: %s"), warning) << "\n";
    const std::vector<std::string> dimensions = reading.dimensions.warnings();
    for (const std::string& warning : dimensions)
        err << about(path) << messages::filledIn(_("warning: %s"), warning) << "\n";
    const long warnings = reading.values.count() + (reading.defaulted.total() > 0 ? 1 : 0) +
                          static_cast<long>(stacking.size() + dimensions.size());
    out << messages::filledIn(_("%s: valid %s scene file, %s frames, %s shapes, %s materials"), path,
                              encodingName(result.encoding), std::to_string(reading.frames),
                              std::to_string(reading.shapes), std::to_string(reading.materials));
    if (warnings > 0)
        out << messages::filledIn(P_(", %s warning", ", %s warnings", warnings), std::to_string(warnings));
    out << "\n";
    return strict && warnings > 0 ? kExitFailure : kExitOk;
}

// The dump goes out as the records stream by, so the file is checked first: the dump of a file that
// is refused half-way would be half a dump. The tree begins with a line naming the file; the flat list
// has nothing but its frames' lines.
template <typename Dump>
class CheckedDump : public Dump {
public:
    CheckedDump(const std::string& path, const Summary& summary, std::ostream& out, std::ostream& err)
        : Dump(out), m_path(path), m_summary(summary), m_out(out), m_err(err)
    {
    }
    void header(const scenefile::HeaderRecord& r) override
    {
        warnDefaultedNames(m_path, m_summary.defaulted.total(), m_err);
        if (std::is_same_v<Dump, SceneDump>)
            m_out << messages::filledIn(_("%s: %s scene file"), m_path, r.text ? _("text") : _("binary")) << "\n";
        Dump::header(r);
    }

private:
    const std::string& m_path;
    const Summary& m_summary;
    std::ostream& m_out;
    std::ostream& m_err;
};

template <typename Dump>
int dumpAs(const std::string& path, std::ostream& out, std::ostream& err)
{
    Summary summary;
    CheckedDump<Dump> dump(path, summary, out, err);
    scenefile::ParseResult result = scenefile::parseSceneFileChecked(path, summary, dump);
    if (result.accepted()) return kExitOk;
    dump.discard();
    // A parameter file of the wizard is not refused: its values are what a dump of it can show.
    ParamFileLook look = lookAtParamFile(path);
    if (look.kind == ParamFileLook::Whole) {
        printParamFile(path, look, out);
        return kExitOk;
    }
    err << about(path) << refusalText(path, result.error) << "\n";
    return kExitFailure;
}

int dump(const std::string& path, bool flat, std::ostream& out, std::ostream& err)
{
    return flat ? dumpAs<FlatDump>(path, out, err) : dumpAs<SceneDump>(path, out, err);
}

int convert(const std::string& mode, const std::string& in, const std::string& outPath, std::ostream& err)
{
    const bool toText = mode == "--text";
    scenefile::ParseOptions options;
    options.countLossyTextFloats = toText;  // only a conversion to text has a warning to give about them
    // Record by record: the memory of one frame's record, however large the scene.
    scene::RewriteResult rewrite = scene::rewriteSceneFile(in, outPath, toText, options);
    if (!rewrite.accepted()) {
        err << about(in) << refusalText(in, rewrite.error) << "\n";
        return kExitFailure;
    }
    warnDefaultedNames(in, rewrite.defaultedNames, err);
    if (toText && rewrite.lossyTextFloats > 0) {
        err << about(in)
            << messages::filledIn(P_("warning: %s float value needs more than six decimals; the text keeps it rounded",
                                     "warning: %s float values need more than six decimals; the text keeps them rounded",
                                     rewrite.lossyTextFloats),
                                  std::to_string(rewrite.lossyTextFloats))
            << "\n";
    }
    if (!rewrite.saved) {
        // The system's reason for a file that could not be written; a save that failed for another
        // reason (a scene the writer refuses) can only show the library's trail of where it stopped.
        if (rewrite.writeError != 0) {
            err << about(outPath) << cannotWrite(rewrite.writeError) << "\n";
        } else {
            err << about(outPath)
                << messages::filledIn(_("cannot write the file (%s)"), cwscene::toUtf8(rewrite.errorChain)) << "\n";
        }
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

// The extension of an output's name in lower case, without the dot: "png" of "out/A.PNG"; "" for none.
std::string extensionOf(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return extension;
}

// The picture formats of preview, told by the output's name.
enum class Picture { Svg, Png, Unknown };

Picture pictureFormat(const std::string& path)
{
    const std::string extension = extensionOf(path);
    return extension == "svg" ? Picture::Svg : extension == "png" ? Picture::Png : Picture::Unknown;
}

int preview(const std::string& path, const std::string& outPath, Picture format, std::ostream& err)
{
    PreviewReading reading;
    if (!visit(path, reading, err)) return kExitFailure;
    warnDefaultedNames(path, reading.summary.defaulted.total(), err);
    std::string title = path.substr(path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
    std::string svg = reading.svg(title);

    fileio::OutputFile file(outPath);
    std::string problem;
    if (std::FILE* stream = file.open()) {
        if (format == Picture::Png) {
            problem = writeSvgAsPng(svg, stream);
        } else if (std::fwrite(svg.data(), 1, svg.size(), stream) != svg.size()) {
            problem = cannotWrite(file.error());
        }
        if (problem.empty() && !file.commit()) problem = cannotWrite(file.error());
    } else {
        problem = cannotWrite(file.error());
    }
    if (!problem.empty()) {  // the output file's destructor removes what was written of it
        err << about(outPath) << problem << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int usageError(const std::string& message, std::ostream& err)
{
    err << "cwstool: " << message << "\n" << _("Try 'cwstool --help' for more information.") << "\n";
    return kExitUsage;
}

}  // namespace

std::string usageText()
{
    return std::string(_(kUsageHead)) + _(pngAvailable() ? kPngLine : kNoPngLine) + _(kUsageTail);
}

namespace {

// `export [--levels] [--id TEXT] FILE OUT`: the format told by OUT's name before anything is read or
// written.
int exportUsage(const std::vector<std::string>& args, std::ostream& err)
{
    ExportRequest request;
    std::size_t at = 1;
    bool idGiven = false;
    for (; at + 2 < args.size(); ++at) {
        if (args[at] == "--levels" && !request.levels) {
            request.levels = true;
        } else if (args[at] == "--id" && !idGiven && at + 3 < args.size() && !args[at + 1].empty()) {
            request.id = args[++at];
            idGiven = true;
        } else {
            break;
        }
    }
    if (args.size() != at + 2) {
        return usageError(_("export takes --levels or --id TEXT or nothing, then FILE and OUT.glb, OUT.gltf or OUT.ifc"), err);
    }
    request.scenePath = args[at];
    request.outPath = args[at + 1];
    const std::string extension = extensionOf(request.outPath);
    if (extension == "ifc") {
        request.format = ExportFormat::Ifc;
    } else if (extension != "glb" && extension != "gltf") {
        return usageError(messages::filledIn(_("export writes binary glTF (OUT.glb), glTF JSON (OUT.gltf) or IFC "
                                               "(OUT.ifc); '%s' names none of them"),
                                             request.outPath),
                          err);
    }
    if (idGiven && request.format != ExportFormat::Ifc) {
        return usageError(_("--id sets the identity of an IFC project (OUT.ifc); glTF has none"), err);
    }
    if (request.levels && request.format == ExportFormat::Ifc) {
        return usageError(_("--levels adds the storeys to glTF (OUT.glb or OUT.gltf); an IFC file always has them"), err);
    }
    return exportCommand(request, err);
}

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) return usageError(_("no command given"), err);
    const std::string& command = args[0];
    const std::size_t operands = args.size() - 1;
    if (command == "--help" || command == "-h" || command == "help") {
        out << usageText();
        return kExitOk;
    }
    if (command == "--version") {
        out << "cwstool " << CWSCENE_VERSION << "\n";
        return kExitOk;
    }
    if (command == "dump" || command == "check") {
        const char* option = command == "dump" ? "--flat" : "--strict";
        const bool optionGiven = operands == 2 && args[1] == option;
        if (operands != 1 && !optionGiven) {
            return usageError(messages::filledIn(_("%s takes %s or nothing, then one FILE"), command, option), err);
        }
        const std::string& file = args.back();
        return command == "dump" ? dump(file, optionGiven, out, err) : check(file, optionGiven, out, err);
    }
    if (command == "convert") {
        if (operands != 3 || (args[1] != "--text" && args[1] != "--binary")) {
            return usageError(_("convert takes --text or --binary, then IN and OUT"), err);
        }
        return convert(args[1], args[2], args[3], err);
    }
    if (command == "preview") {
        if (operands != 2) return usageError(_("preview takes FILE and OUT.svg or OUT.png"), err);
        const Picture format = pictureFormat(args[2]);
        if (format == Picture::Unknown) {
            return usageError(messages::filledIn(_("preview writes SVG (OUT.svg) or PNG (OUT.png); '%s' names neither"),
                                                 args[2]),
                              err);
        }
        if (format == Picture::Png && !pngAvailable()) {
            return usageError(_("this build of cwstool cannot write PNG (it has no SVG renderer): write OUT.svg"), err);
        }
        return preview(args[1], args[2], format, err);
    }
    if (command == "export") return exportUsage(args, err);
    return usageError(messages::filledIn(_("unknown command '%s'"), command), err);
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    try {
        return runCommand(args, out, err);
    } catch (const std::bad_alloc&) {
        // A scene the reader accepted can still be too large to draw or convert in the memory there
        // is: say so instead of aborting.
        err << "cwstool: " << _("out of memory") << "\n";
        return kExitFailure;
    }
}

}  // namespace cwstool
