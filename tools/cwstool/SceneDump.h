// SceneDump.h - a scene file as an indented text tree for people: `cwstool dump`.
// Tool layer. A visitor of the record parser: each record becomes its line as it streams by, so the
// dump of any file takes the same memory. Names are converted from Shift-JIS to UTF-8; floats are
// shown in their shortest exact form.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include <cwscene/SceneRecords.h>

namespace cwstool {

// Writes the scene: its scalar values, each registry with its records, and the part hierarchy, one
// line per object, children indented by two blanks. The lines go to `out` in large pieces; the last
// piece when the file's end() arrives (or with flush()).
class SceneDump : public scenefile::SceneVisitor {
public:
    explicit SceneDump(std::ostream& out);
    ~SceneDump() override;
    SceneDump(const SceneDump&) = delete;
    SceneDump& operator=(const SceneDump&) = delete;

    void flush();
    void discard() { m_lines.clear(); }  // what has not gone to `out` yet is dropped

    void header(const scenefile::HeaderRecord& r) override;
    void material(const scenefile::MaterialRecord& r) override;
    void texture(const scenefile::TextureRecord& r) override;
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;
    void partialWrap(const scenefile::PartialWrapRecord& r) override;
    void frameTail(const scenefile::FrameTailRecord& r) override;
    void actionStep(const scenefile::ActionStepRecord& r) override;
    void light(const scenefile::LightRecord& r) override;
    void views(const scenefile::ViewSectionRecord& r) override;
    void view(const scenefile::ViewRecord& r) override;
    void background(const scenefile::BackgroundRecord& r) override;
    void lead(const scenefile::LeadRecord& r) override;
    void sensor(const scenefile::SensorRecord& r) override;
    void gridLists(const scenefile::GridListsRecord& r) override;
    void gridInterval(float interval) override;
    void thickness(const scenefile::ThicknessRecord& r) override;
    void end() override;

private:
    void indent(int depth);  // two blanks per level
    void name(std::string_view sjis);
    void number(long long value);
    void real(float value);
    void coord(const scenefile::Coord& c);
    void colour(const scenefile::Colour& c);
    void floatList(const scenefile::List<float>& values);
    void lock(const scenefile::LockWords& words);
    void textureParams(const scenefile::TextureParams& p);
    void endLine();

    std::ostream& m_out;
    std::string m_lines;       // what has not gone to `out` yet
    int m_shapeDepth = 0;      // the depth of the frame whose shapes and steps come next
    std::string m_lastName;    // the last name converted, and its quoted UTF-8 form: consecutive
    std::string m_lastQuoted;  // records often share a name, and a conversion costs
};

}  // namespace cwstool
