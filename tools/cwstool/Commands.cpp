// Commands.cpp - cwstool's command table (see Commands.h): the arguments of each command checked and
// handed to the room that does it (read/, preview/, export/).
#include "tools/cwstool/Commands.h"

#include <cwscene/Version.h>

#include "text/Messages.h"
#include "tools/cwstool/export/ExportCommand.h"
#include "tools/cwstool/output/FileNames.h"  // extensionOf
#include "tools/cwstool/preview/PngOutput.h"  // pngAvailable
#include "tools/cwstool/preview/PreviewCommand.h"
#include "tools/cwstool/read/CheckCommand.h"
#include "tools/cwstool/read/ConvertCommand.h"
#include "tools/cwstool/read/DumpCommand.h"

#include <new>  // bad_alloc

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

int usageError(const std::string& message, std::ostream& err)
{
    err << "cwstool: " << message << "\n" << _("Try 'cwstool --help' for more information.") << "\n";
    return kExitUsage;
}

}  // namespace

std::string usageText()
{
    return std::string(_(kUsageHead)) + _(pngAvailable() ? kPngLine : kNoPngLine) + _(kUsageTail) +
           _("A FILE or IN of '-' is standard input.\n");
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
