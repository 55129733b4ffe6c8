// SceneSummary.cpp - what the reading commands share (see SceneSummary.h).
#include "tools/cwstool/read/SceneSummary.h"

#include "tools/cwstool/output/Problems.h"
#include "tools/cwstool/read/ParamFileView.h"  // refusalText

namespace cwstool {

scenefile::ParseOptions commandParseOptions()
{
    scenefile::ParseOptions options;
    options.dashIsStandardInput = true;
    return options;
}

void warnDefaultedNames(const std::string& path, int count, std::ostream& err)
{
    if (count > 0) {
        err << about(path) << defaultedNamesWarning(count) << '\n';
    }
}

bool visit(const std::string& path, scenefile::SceneVisitor& visitor, std::ostream& err,
           scenefile::ParseResult* result)
{
    scenefile::ParseResult parsed = scenefile::parseSceneFile(path, visitor, commandParseOptions());
    if (!parsed.accepted()) err << about(path) << refusalText(path, parsed.error) << "\n";
    if (result) *result = parsed;
    return parsed.accepted();
}

bool summarise(const std::string& path, Summary& summary, std::ostream& err, scenefile::ParseResult* result)
{
    if (!visit(path, summary, err, result)) return false;
    warnDefaultedNames(path, summary.defaulted.total(), err);
    return true;
}

}  // namespace cwstool
