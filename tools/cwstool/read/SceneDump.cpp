// SceneDump.cpp - the indented tree and the flat list of `cwstool dump` (see SceneDump.h).
//
// The tree's lines, in file order (depth d of a frame: the root has 1; "I" is 2d blanks):
//   format version V, unit U
//   materials (N)                          then per material:  [i] "name" colours (r, g, b) x4 values a b
//   textures (N)                           then per texture:   [i] "name" file "file"
//   parts
//   I PART "name" id P/Q position (x, y, z) height H rotation (..) scale (..) [hidden] [layer]
//          [lock a b c] [TCDN t]           H: the sum of the z positions from the root down
//   I   GRDP [..] [..] [..]
//   I   CUBE "name" position (..) rotation (..) size (..) material M (partial wraps N | texture T [params]) [lock ..]
//   I     wrap "file" index X texture parameters ...
//   I   SPRM [..] [..]
//   I   ACTN type T option O texts "a" "b" "c" "d"
//   I     step S position (..) rotation (..) scale (..)
//   lights (N), views (N), view values A B, backgrounds (N), leads (N), sensors (N) with their entries
//   grid lists [..] [..] [..] / grid interval G / thickness A B C
#include "tools/cwstool/read/SceneDump.h"

#include "tools/cwstool/output/TextOutput.h"

#include <algorithm>  // max
#include <charconv>   // to_chars
#include <utility>    // move

namespace cwstool {

namespace {

constexpr std::size_t kPiece = 64 * 1024;  // lines collected before they go to the stream

}  // namespace

void LineBuffer::grow(std::size_t more)
{
    const std::size_t held = size();
    const std::size_t capacity = std::max(2 * static_cast<std::size_t>(m_end - m_storage.get()), held + more);
    std::unique_ptr<char[]> storage(new char[capacity]);
    std::memcpy(storage.get(), m_storage.get(), held);
    m_storage = std::move(storage);
    m_next = m_storage.get() + held;
    m_end = m_storage.get() + capacity;
}

DumpLines::DumpLines(std::ostream& out) : m_lines(kPiece + 4096), m_out(out) {}

DumpLines::~DumpLines() { flush(); }

void DumpLines::flush()
{
    if (m_lines.empty()) return;
    m_out.write(m_lines.data(), static_cast<std::streamsize>(m_lines.size()));
    m_lines.clear();
}

// ---------------------------------------------------------------------------------------------------
// Values

void SceneDump::indent(int depth) { m_lines.append(2 * static_cast<std::size_t>(depth), ' '); }

void DumpLines::name(std::string_view sjis)
{
    if (sjis != m_lastName || m_lastQuoted.empty()) {
        m_lastName.assign(sjis.data(), sjis.size());
        m_lastQuoted = quotedName(sjis);
    }
    m_lines += m_lastQuoted;
}

void DumpLines::number(long long value)
{
    char digits[24];
    std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    m_lines.append(digits, static_cast<std::size_t>(end.ptr - digits));
}

void DumpLines::real(float value) { m_lines.added(floatChars(m_lines.room(kNumberChars), value)); }

void DumpLines::realDouble(double value) { m_lines.added(doubleChars(m_lines.room(kNumberChars), value)); }

void DumpLines::coord(const scenefile::Coord& c)
{
    m_lines += '(';
    real(c.x);
    m_lines += ", ";
    real(c.y);
    m_lines += ", ";
    real(c.z);
    m_lines += ')';
}

void DumpLines::point(const Point& p)
{
    m_lines += '(';
    realDouble(p.x);
    m_lines += ", ";
    realDouble(p.y);
    m_lines += ", ";
    realDouble(p.z);
    m_lines += ')';
}

void SceneDump::colour(const scenefile::Colour& c)
{
    m_lines += '(';
    number(c[0]);
    m_lines += ", ";
    number(c[1]);
    m_lines += ", ";
    number(c[2]);
    m_lines += ')';
}

void SceneDump::floatList(const scenefile::List<float>& values)
{
    m_lines += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i) m_lines += ", ";
        real(values[i]);
    }
    m_lines += ']';
}

void SceneDump::lock(const scenefile::LockWords& words)
{
    m_lines += " lock ";
    number(static_cast<long long>(words[0]));
    m_lines += ' ';
    number(static_cast<long long>(words[1]));
    m_lines += ' ';
    number(static_cast<long long>(words[2]));
}

void SceneDump::textureParams(const scenefile::TextureParams& p)
{
    m_lines += "texture parameters ";
    m_lines += p.letter1;
    if (p.letter1 == 'D') return;
    m_lines += p.letter2;
    m_lines += p.letter3;
    m_lines += ' ';
    real(p.float1);
    m_lines += ' ';
    real(p.float2);
    m_lines += ' ';
    m_lines += p.letter4;
    m_lines += p.letter5;
    m_lines += p.letter6;
    m_lines += ' ';
    real(p.float3);
}

void DumpLines::endLine()
{
    m_lines += '\n';
    if (m_lines.size() >= kPiece) flush();
}

// ---------------------------------------------------------------------------------------------------
// Records

void SceneDump::header(const scenefile::HeaderRecord& r)
{
    m_lines += "format version ";
    number(r.formatVersion);
    m_lines += ", unit ";
    number(r.unit);
    endLine();
}

// The start of a registry entry's line: the section's heading before its first entry ("materials (2)"),
// then "  [index] name".
void SceneDump::entry(const scenefile::Entry& r, const char* section, std::string_view sjisName)
{
    if (r.index == 0) {
        m_lines += section;
        m_lines += " (";
        number(static_cast<long long>(r.count));
        m_lines += ')';
        endLine();
    }
    m_lines += "  [";
    number(static_cast<long long>(r.index));
    m_lines += "] ";
    name(sjisName);
}

void SceneDump::material(const scenefile::MaterialRecord& r)
{
    entry(r, "materials", r.name);
    m_lines += " colours ";
    colour(r.colour1);
    m_lines += ' ';
    colour(r.colour2);
    m_lines += ' ';
    colour(r.colour3);
    m_lines += ' ';
    colour(r.colour4);
    m_lines += " values ";
    number(r.value1);
    m_lines += ' ';
    number(r.value2);
    endLine();
}

void SceneDump::texture(const scenefile::TextureRecord& r)
{
    entry(r, "textures", r.name);
    m_lines += " file ";
    name(r.fileName);
    endLine();
}

void SceneDump::frameBegin(const scenefile::FrameRecord& r)
{
    const Point& at = m_placement.enter(r);
    if (r.depth == 1) {
        m_lines += "parts";
        endLine();
    }
    indent(r.depth);
    m_lines += "PART ";
    name(r.name);
    m_lines += " id ";
    number(r.partId);
    m_lines += '/';
    number(r.partId2);
    m_lines += " position ";
    coord(r.position);
    m_lines += " height ";
    realDouble(at.z);
    m_lines += " rotation ";
    coord(r.rotation);
    m_lines += " scale ";
    coord(r.scale);
    if (r.hidden) m_lines += " hidden";
    if (r.layer) m_lines += " layer";
    if (r.hasLock) lock(r.lock);
    if (r.tcdn != 0) {
        m_lines += " TCDN ";
        number(r.tcdn);
    }
    endLine();
    if (!r.grid1.empty() || !r.grid2.empty() || !r.grid3.empty()) {
        indent(r.depth + 1);
        m_lines += "GRDP ";
        floatList(r.grid1);
        m_lines += ' ';
        floatList(r.grid2);
        m_lines += ' ';
        floatList(r.grid3);
        endLine();
    }
    m_shapeDepth = r.depth + 1;
}

void SceneDump::shape(const scenefile::ShapeRecord& r)
{
    indent(m_shapeDepth);
    m_lines += r.type;
    m_lines += ' ';
    name(r.name);
    m_lines += " position ";
    coord(r.position);
    m_lines += " rotation ";
    coord(r.rotation);
    m_lines += " size ";
    coord(r.size);
    m_lines += " material ";
    number(r.materialIndex);
    if (r.partialWrapCount > 0) {
        m_lines += " partial wraps ";
        number(r.partialWrapCount);
    } else {
        m_lines += " texture ";
        number(r.textureIndex);
        if (r.hasTextureParams) {
            m_lines += ' ';
            textureParams(r.textureParams);
        }
    }
    if (r.hasLock) lock(r.lock);
    endLine();
}

void SceneDump::partialWrap(const scenefile::PartialWrapRecord& r)
{
    indent(m_shapeDepth + 1);
    m_lines += "wrap ";
    name(r.textureFileName);
    m_lines += " index ";
    number(r.textureIndex);
    m_lines += ' ';
    textureParams(r.params);
    endLine();
}

void SceneDump::frameTail(const scenefile::FrameTailRecord& r)
{
    m_shapeDepth = r.frame->depth + 1;  // a child's frameBegin moved it on; steps belong to this frame
    if (!r.sprmFirst.empty() || !r.sprmSecond.empty()) {
        indent(m_shapeDepth);
        m_lines += "SPRM [";
        for (std::size_t i = 0; i < r.sprmFirst.size(); ++i) {
            if (i) m_lines += ", ";
            number(r.sprmFirst[i]);
        }
        m_lines += "] [";
        for (std::size_t i = 0; i < r.sprmSecond.size(); ++i) {
            if (i) m_lines += ", ";
            number(r.sprmSecond[i]);
        }
        m_lines += ']';
        endLine();
    }
    if (r.hasAction) {
        indent(m_shapeDepth);
        m_lines += "ACTN type ";
        number(r.actionType);
        m_lines += " option ";
        number(r.actionOption);
        m_lines += " texts";
        for (std::string_view text : r.actionTexts) {
            m_lines += ' ';
            name(text);
        }
        endLine();
    }
}

void SceneDump::actionStep(const scenefile::ActionStepRecord& r)
{
    indent(m_shapeDepth + 1);
    m_lines += "step ";
    real(r.scalar);
    m_lines += " position ";
    coord(r.position);
    m_lines += " rotation ";
    coord(r.rotation);
    m_lines += " scale ";
    coord(r.scale);
    endLine();
}

void SceneDump::light(const scenefile::LightRecord& r)
{
    entry(r, "lights", r.name);
    m_lines += " position ";
    coord(r.position);
    m_lines += " colour ";
    colour(r.colour);
    endLine();
}

void SceneDump::views(const scenefile::ViewSectionRecord& r)
{
    m_lines += "views (";
    number(r.count);
    m_lines += "), view values ";
    real(r.value1);
    m_lines += ' ';
    real(r.value2);
    endLine();
}

void SceneDump::view(const scenefile::ViewRecord& r)
{
    m_lines += "  [";
    number(static_cast<long long>(r.index));
    m_lines += "] ";
    name(r.name);
    m_lines += " eye ";
    coord(r.eye);
    m_lines += " target ";
    coord(r.target);
    endLine();
}

void SceneDump::background(const scenefile::BackgroundRecord& r)
{
    entry(r, "backgrounds", r.name);
    m_lines += " colour ";
    colour(r.colour);
    m_lines += " image ";
    name(r.imageFileName);
    endLine();
}

void SceneDump::lead(const scenefile::LeadRecord& r)
{
    entry(r, "leads", r.name);
    m_lines += " points";
    for (const scenefile::Coord& point : r.points) {
        m_lines += ' ';
        coord(point);
    }
    endLine();
}

void SceneDump::sensor(const scenefile::SensorRecord& r)
{
    entry(r, "sensors", r.name);
    m_lines += " position ";
    coord(r.position);
    m_lines += " size ";
    coord(r.size);
    m_lines += " type ";
    number(r.sensorType);
    endLine();
}

void SceneDump::gridLists(const scenefile::GridListsRecord& r)
{
    m_lines += "grid lists ";
    floatList(r.grid1);
    m_lines += ' ';
    floatList(r.grid2);
    m_lines += ' ';
    floatList(r.grid3);
    endLine();
}

void SceneDump::gridInterval(float interval)
{
    m_lines += "grid interval ";
    real(interval);
    endLine();
}

void SceneDump::thickness(const scenefile::ThicknessRecord& r)
{
    m_lines += "thickness ";
    real(r.thickness1);
    m_lines += ' ';
    real(r.thickness2);
    m_lines += ' ';
    real(r.thickness3);
    endLine();
}

void DumpLines::end() { flush(); }

// ---------------------------------------------------------------------------------------------------
// The flat list

void FlatDump::frameBegin(const scenefile::FrameRecord& r)
{
    const Point& at = m_placement.enter(r);
    m_lines += framePath(r);
    m_lines += " at ";
    point(at);
    m_lines += " shapes ";
    number(r.shapeCount);
    if (r.shapeCount > 0) m_lines += ':';  // the names follow; the line ends in frameTail
}

void FlatDump::shape(const scenefile::ShapeRecord& r)
{
    m_lines += ' ';
    name(r.name);
}

void FlatDump::frameTail(const scenefile::FrameTailRecord&) { endLine(); }

}  // namespace cwstool
