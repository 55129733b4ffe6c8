// CheckCommand.cpp - `cwstool check` (see CheckCommand.h).
#include "tools/cwstool/read/CheckCommand.h"

#include "text/Messages.h"
#include "tools/cwstool/levels/FramePlacement.h"
#include "tools/cwstool/output/ExitStatus.h"
#include "tools/cwstool/output/Problems.h"
#include "tools/cwstool/read/LevelStacking.h"
#include "tools/cwstool/read/SceneSummary.h"
#include "tools/cwstool/read/ValueCheck.h"
#include "tools/cwstool/read/WizardDimensions.h"

#include <cwscene/ShiftJis.h>

#include <string>
#include <vector>

namespace cwstool {

namespace {

// "PATH: valid binary scene file, ...", "PATH: text scene file"
const char* encodingName(scenefile::Encoding encoding)
{
    return encoding == scenefile::Encoding::Text ? _("text") : _("binary");
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

}  // namespace

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

}  // namespace cwstool
