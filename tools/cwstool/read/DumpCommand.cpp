// DumpCommand.cpp - `cwstool dump` (see DumpCommand.h).
#include "tools/cwstool/read/DumpCommand.h"

#include "text/Messages.h"
#include "tools/cwstool/output/ExitStatus.h"
#include "tools/cwstool/output/Problems.h"
#include "tools/cwstool/read/ParamFileView.h"
#include "tools/cwstool/read/SceneDump.h"
#include "tools/cwstool/read/SceneSummary.h"

#include <type_traits>  // is_same_v

namespace cwstool {

namespace {

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
    scenefile::ParseResult result = scenefile::parseSceneFileChecked(path, summary, dump, commandParseOptions());
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

}  // namespace

int dump(const std::string& path, bool flat, std::ostream& out, std::ostream& err)
{
    return flat ? dumpAs<FlatDump>(path, out, err) : dumpAs<SceneDump>(path, out, err);
}

}  // namespace cwstool
