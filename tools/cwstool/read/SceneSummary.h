// SceneSummary.h - what the commands that read a scene file share: how they read it ("-" is standard
// input), the counts that check reports and the warning about unnamed objects that dump, check and
// preview give, and a refusal said in one way.
// Tool layer.
#pragma once

#include <cwscene/RecordParser.h>
#include <cwscene/SceneReader.h>  // DefaultedNames

#include <ostream>
#include <string>

namespace cwstool {

// How every command reads a scene file: the path "-" names standard input.
scenefile::ParseOptions commandParseOptions();

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

// "cwstool: PATH: warning: N unnamed objects ..." when `count` is above 0.
void warnDefaultedNames(const std::string& path, int count, std::ostream& err);

// Runs `visitor` over FILE. A refusal is reported as "cwstool: FILE: <where>: <what>" (false).
bool visit(const std::string& path, scenefile::SceneVisitor& visitor, std::ostream& err,
           scenefile::ParseResult* result = nullptr);

// Checks FILE and gives its summary, warning about names that building would default.
bool summarise(const std::string& path, Summary& summary, std::ostream& err, scenefile::ParseResult* result = nullptr);

}  // namespace cwstool
