// ConvertCommand.cpp - `cwstool convert` (see ConvertCommand.h).
#include "tools/cwstool/read/ConvertCommand.h"

#include "text/Messages.h"
#include "tools/cwstool/output/ExitStatus.h"
#include "tools/cwstool/output/Problems.h"
#include "tools/cwstool/read/ParamFileView.h"  // refusalText
#include "tools/cwstool/read/SceneSummary.h"

#include <cwscene/SceneReader.h>  // rewriteSceneFile
#include <cwscene/ShiftJis.h>

namespace cwstool {

int convert(const std::string& mode, const std::string& in, const std::string& outPath, std::ostream& err)
{
    const bool toText = mode == "--text";
    scenefile::ParseOptions options = commandParseOptions();
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

}  // namespace cwstool
