// RecordParser.cpp - the record parser: each function reads, in file order, what the matching record
// writer wrote, checks it, and hands it to the visitor (see RecordParser.h).
//
// Portable: standard C++ only. Part of the byte layer (scenefile/). The parser is a template on the
// source (BinarySource, TextSource), so that reading a value is an inline call and not a virtual one.
//
// Sections of this file:
//   [SECTION] Helpers: names, tags, lock words, counts, lists
//   [SECTION] Materials and the scene's own items (textures, lights, views, backgrounds, leads, sensors)
//   [SECTION] Shapes: texture parameters, partial wraps, the shape record
//   [SECTION] Frames: the part record, its action, its children
//   [SECTION] The file: header, sections in order, "EXIT"
//   [SECTION] Entry points: bytes in memory, an open stream (the files are SceneFileInput.cpp's)
#include <cwscene/RecordParser.h>
#include "scenefile/RecordParserDetail.h"  // parseSceneStream

#include <array>
#include <cmath>    // signbit
#include <cstdio>   // FILE
#include <deque>
#include <limits>   // denorm_min
#include <new>      // bad_alloc
#include <vector>

#include "scenefile/ReadSource.h"
#include "scenefile/Texts.h"

namespace scenefile {

using cwscene::detail::said;
using cwscene::detail::translated;

namespace {

// The format's own numbers, as the writer uses them (scene/SceneReader.cpp checks that CWScene agrees).
constexpr std::int32_t kFormatVersion = 4;
constexpr std::size_t kMaxLights = 16;
constexpr std::int16_t kWrapMarker = -2;  // stands in a shape's texture index when partial wraps follow

// The sections after the part section, in the only order the writer produces; "BACK" may repeat.
constexpr const char* kLaterSections[] = {"LIGT", "VIEW", "BACK", "LEAD", "SENS", "GRDW", "GINT", "THCK", "EXIT"};
constexpr std::size_t kLaterSectionCount = sizeof kLaterSections / sizeof kLaterSections[0];
enum LaterSection : std::size_t { kLights, kViews, kBackgrounds, kLeads, kSensors, kGrid, kGridInterval, kThickness, kExit };

std::string expectedLaterSections(std::size_t from)
{
    std::string text;
    for (std::size_t i = from; i < kLaterSectionCount; ++i) {
        if (!text.empty()) text += i + 1 == kLaterSectionCount ? said(N_(" or ")) : ", ";
        text += kLaterSections[i];
    }
    return text;
}

template <typename Source>
class Parser {
public:
    Parser(Source& in, SceneVisitor& visitor, const ParseOptions& options)
        : m_in(in), m_visitor(visitor), m_countLossy(options.countLossyTextFloats)
    {
        m_in.countLossyTextFloats(m_countLossy);
    }

    void parseFile();

private:
    // A frame being read, and the names of its record, kept while its subtree is read.
    struct Level {
        FrameRecord record;
        std::string name;
    };

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Helpers

    // A float that the writer only writes when it is above 0. In the text encoding a positive value
    // below 0.0000005 prints as "0.000000", so there such a zero is read as the smallest positive
    // float, which prints the same and keeps the section; a binary zero is exact and stays 0 (and is
    // refused).
    float provenPositive(float value) const
    {
        if (m_in.text() && value == 0.0f && !std::signbit(value)) return std::numeric_limits<float>::denorm_min();
        return value;
    }

    void expectTag(const char* tag)
    {
        if (m_in.peekTag() != tag) m_in.fail(said(N_("expected the tag %s, found '%s'"), tag, m_in.upcoming()));
        m_in.readTag(tag);
    }

    // Reads the optional chunk `tag` when it stands next.
    bool optionalTag(const char* tag)
    {
        if (m_in.peekTag() != tag) return false;
        m_in.readTag(tag);
        return true;
    }

    // A counted name or file name, into `into`. A scene name ends at its first NUL, so a NUL byte
    // inside would be lost on the way back out: such a name is refused.
    std::string_view readName(const char* what, std::string& into)
    {
        std::uint64_t start = m_in.position();
        m_in.readBlock(what, into);
        std::size_t nul = 0;  // looked for here: names are short, and a library call costs more
        while (nul < into.size() && into[nul] != '\0') ++nul;
        if (nul < into.size()) {
            m_in.failAt(start, said(N_("%s holds a NUL byte at index %s, which no scene name can contain"),
                                    translated(what), std::to_string(nul)));
        }
        return into;
    }

    // A character that the writer always writes with one fixed value ("SHWP" N, "LYRL" Y).
    void expectChar(char expected, const char* what)
    {
        std::uint64_t start = m_in.position();
        char c = m_in.readChar(what);
        if (c != expected) {
            m_in.failAt(start, said(N_("expected %s '%s', found '%s'"), translated(what), std::string_view(&expected, 1),
                                    describeBytes(std::string_view(&c, 1))));
        }
    }

    // Three stored lock values (7 minus the low three bits of each word) back to lock words. The
    // writer leaves the chunk out when all three words are 0, so a present chunk of 7, 7, 7 came from
    // words whose low bits are all 0, at least one of them non-zero: the first becomes 8.
    LockWords readLockWords(const char* what)
    {
        LockWords words{};
        for (std::uint32_t& word : words) {
            std::uint64_t start = m_in.position();
            std::uint16_t stored = m_in.readUInt16(what);
            if (stored > 7) m_in.failAt(start, said(N_("%s %s is not from 0 to 7"), translated(what), std::to_string(stored)));
            word = 7u - stored;
        }
        if (words[0] == 0 && words[1] == 0 && words[2] == 0) words[0] = 8;
        return words;
    }

    // A count, checked against the bytes that remain for `valuesPerItem` values per item; unless
    // `mayBeZero`, 0 is refused (the writer leaves the whole section or chunk out instead).
    std::uint16_t readCount(const char* what, std::size_t valuesPerItem, bool mayBeZero)
    {
        std::uint64_t start = m_in.position();
        std::uint16_t count = m_in.readUInt16(what);
        if (count == 0 && !mayBeZero) {
            m_in.failAt(start, said(N_("%s is 0; the writer leaves an empty list out instead"), translated(what)));
        }
        m_in.requireRoom(count, valuesPerItem, what, start);
        return count;
    }

    List<float> readFloatList(const char* countWhat, const char* valueWhat, std::vector<float>& into)
    {
        std::uint16_t count = readCount(countWhat, 1, true);
        into.clear();
        into.reserve(count);  // checked against the remaining bytes above
        for (std::uint16_t i = 0; i < count; ++i) into.push_back(m_in.readFloat(valueWhat));
        return {into.data(), into.size()};
    }

    List<std::uint16_t> readUInt16List(const char* countWhat, const char* valueWhat, std::vector<std::uint16_t>& into)
    {
        std::uint16_t count = readCount(countWhat, 1, true);
        into.clear();
        into.reserve(count);
        for (std::uint16_t i = 0; i < count; ++i) into.push_back(m_in.readUInt16(valueWhat));
        return {into.data(), into.size()};
    }

    Coord readCoord(const char* what)
    {
        Coord c;
        m_in.readFloat3(what, c.x, c.y, c.z);
        return c;
    }

    Colour readColour(const char* what)
    {
        Colour c;
        for (std::uint8_t& value : c) value = m_in.readByte(what);
        return c;
    }

    // Records read a second time to hand them on were counted the first time.
    void replay(std::uint64_t from)
    {
        m_in.countLossyTextFloats(false);
        m_in.seek(from);
    }
    void replayed(std::uint64_t resumeAt)
    {
        m_in.seek(resumeAt);
        m_in.countLossyTextFloats(m_countLossy);
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Materials and the scene's own items

    // Material record: counted name, then colours 1 to 4 (three bytes each) and the two values.
    void readMaterial(std::size_t index, std::size_t count)
    {
        MaterialRecord r;
        r.index = index;
        r.count = count;
        r.name = readName(N_("material name"), m_name);
        r.colour1 = readColour(N_("material colour value"));
        r.colour2 = readColour(N_("material colour value"));
        r.colour3 = readColour(N_("material colour value"));
        r.colour4 = readColour(N_("material colour value"));
        r.value1 = m_in.readByte(N_("material value 1"));
        r.value2 = m_in.readByte(N_("material value 2"));
        m_visitor.material(r);
    }

    // Texture record: counted name, counted file name.
    void readTexture(std::size_t index, std::size_t count)
    {
        TextureRecord r;
        r.index = index;
        r.count = count;
        r.name = readName(N_("texture name"), m_name);
        r.fileName = readName(N_("texture file name"), m_secondName);
        m_visitor.texture(r);
    }

    // Light record: counted name, position, colour (three bytes).
    void readLight(std::size_t index, std::size_t count)
    {
        LightRecord r;
        r.index = index;
        r.count = count;
        r.name = readName(N_("light name"), m_name);
        r.position = readCoord(N_("light position"));
        r.colour = readColour(N_("light colour value"));
        m_visitor.light(r);
    }

    // View record: counted name, eye point, target point.
    void readView(std::size_t index, std::size_t count)
    {
        ViewRecord r;
        r.index = index;
        r.count = count;
        r.name = readName(N_("view name"), m_name);
        r.eye = readCoord(N_("view eye point"));
        r.target = readCoord(N_("view target point"));
        m_visitor.view(r);
    }

    // Background record: counted name, colour (three bytes), counted image file name.
    BackgroundRecord readBackground()
    {
        BackgroundRecord r;
        r.name = readName(N_("background name"), m_name);
        r.colour = readColour(N_("background colour value"));
        r.imageFileName = readName(N_("background image file name"), m_secondName);
        return r;
    }

    // Lead record: counted name, point count, three floats per point.
    void readLead(std::size_t index, std::size_t count)
    {
        LeadRecord r;
        r.index = index;
        r.count = count;
        r.name = readName(N_("lead name"), m_name);
        std::uint16_t points = readCount(N_("lead point count"), 3, true);
        m_points.clear();
        m_points.reserve(points);
        for (std::uint16_t i = 0; i < points; ++i) m_points.push_back(readCoord(N_("lead point")));
        r.points = {m_points.data(), m_points.size()};
        m_visitor.lead(r);
    }

    // Sensor record: counted name, position, size, type word.
    void readSensor(std::size_t index, std::size_t count)
    {
        SensorRecord r;
        r.index = index;
        r.count = count;
        r.name = readName(N_("sensor name"), m_name);
        r.position = readCoord(N_("sensor position"));
        r.size = readCoord(N_("sensor size"));
        r.sensorType = m_in.readInt16(N_("sensor type"));
        m_visitor.sensor(r);
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Shapes

    // Texture-parameter record: letter 1, and when it is not 'D' eight more values.
    void readTextureParams(TextureParams& p)
    {
        p.letter1 = m_in.readChar(N_("texture parameter letter 1"));
        if (p.letter1 == 'D') return;
        p.letter2 = m_in.readChar(N_("texture parameter letter 2"));
        p.letter3 = m_in.readChar(N_("texture parameter letter 3"));
        p.float1 = m_in.readFloat(N_("texture parameter float 1"));
        p.float2 = m_in.readFloat(N_("texture parameter float 2"));
        p.letter4 = m_in.readChar(N_("texture parameter letter 4"));
        p.letter5 = m_in.readChar(N_("texture parameter letter 5"));
        p.letter6 = m_in.readChar(N_("texture parameter letter 6"));
        p.float3 = m_in.readFloat(N_("texture parameter float 3"));
    }

    // Partial-wrap record: counted texture file name (never empty), index, texture parameters.
    void readPartialWrap(PartialWrapRecord& r)
    {
        std::uint64_t start = m_in.position();
        r.textureFileName = readName(N_("partial wrap texture file name"), m_wrapName);
        if (r.textureFileName.empty()) {
            m_in.failAt(start, said(N_("partial wrap without a texture file name (the writer refuses to write one)")));
        }
        r.textureIndex = m_in.readInt16(N_("partial wrap index"));
        readTextureParams(r.params);
    }

    // Shape record: type tag, counted name, position, rotation, size, material index, the texture part
    // (an index with its own parameters, or -2 and the partial wraps), and the optional "LCKS" chunk.
    // The wraps are checked on the way to "LCKS" and handed on after the shape itself.
    void readShape(std::size_t index, std::size_t count)
    {
        std::uint64_t start = m_in.position();
        std::string_view type = m_in.readTag(N_("shape type"));
        if (type != "CUBE") {
            m_in.failAt(start, said(N_("expected the shape type CUBE (the only kind of shape), found '%s'"), describeBytes(type)));
        }
        ShapeRecord r;
        r.index = index;
        r.count = count;
        r.type = "CUBE";
        r.name = readName(N_("shape name"), m_name);
        r.position = readCoord(N_("shape position"));
        r.rotation = readCoord(N_("shape rotation"));
        r.size = readCoord(N_("shape size"));
        r.materialIndex = m_in.readInt16(N_("shape material index"));

        std::int16_t texture = m_in.readInt16(N_("shape texture index"));
        std::uint64_t wrapsAt = 0;
        if (texture == kWrapMarker) {
            r.partialWrapCount = readCount(N_("partial wrap count"), 3, false);
            wrapsAt = m_in.position();
            PartialWrapRecord wrap;
            for (std::uint16_t i = 0; i < r.partialWrapCount; ++i) readPartialWrap(wrap);
        } else {
            r.textureIndex = texture;
            r.hasTextureParams = texture >= 0;
            if (r.hasTextureParams) readTextureParams(r.textureParams);
        }
        if (optionalTag("LCKS")) {
            r.hasLock = true;
            r.lock = readLockWords(N_("shape lock value"));
        }
        m_visitor.shape(r);

        if (r.partialWrapCount > 0) {
            std::uint64_t after = m_in.position();
            replay(wrapsAt);
            for (std::uint16_t i = 0; i < r.partialWrapCount; ++i) {
                PartialWrapRecord wrap;
                wrap.index = i;
                wrap.count = r.partialWrapCount;
                readPartialWrap(wrap);
                m_visitor.partialWrap(wrap);
            }
            replayed(after);
        }
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Frames

    // One step of an action: ten floats.
    void readActionStep(ActionStepRecord& r)
    {
        r.scalar = m_in.readFloat(N_("action step scalar"));
        r.position = readCoord(N_("action step position"));
        r.rotation = readCoord(N_("action step rotation"));
        r.scale = readCoord(N_("action step scale"));
    }

    Level& levelAt(int depth)
    {
        while (m_levels.size() < static_cast<std::size_t>(depth)) m_levels.emplace_back();
        return m_levels[static_cast<std::size_t>(depth) - 1];
    }

    // Part record, recursively: "PART", the rest of its head (readPartHead), the shapes, its tail
    // (readPartTail), the children.
    void readPart(int depth, std::size_t index, const FrameRecord* parent)
    {
        if (depth > kMaxFrameDepth) {
            m_in.fail(said(N_("frames nested deeper than %s levels are not accepted"), std::to_string(kMaxFrameDepth)));
        }
        expectTag("PART");
        Level& level = levelAt(depth);
        FrameRecord& r = level.record;
        r = FrameRecord();
        r.depth = depth;
        r.index = index;
        r.parent = parent;
        readPartHead(r, level.name);
        m_visitor.frameBegin(r);
        r.grid1 = r.grid2 = r.grid3 = List<float>();  // their storage serves the next frame

        for (std::uint16_t i = 0; i < r.shapeCount; ++i) readShape(i, r.shapeCount);
        const std::uint16_t childCount = readPartTail(r);
        for (std::uint16_t i = 0; i < childCount; ++i) readPart(depth + 1, i, &r);
        m_visitor.frameEnd(r);
    }

    // The head of a part record after its tag: counted name (into `name`), position, rotation, scale,
    // the optional "SHWP", "LCKP", "LYRL", "GRDP" (in this order), "PMID", "TCDN" and the shape count.
    void readPartHead(FrameRecord& r, std::string& name)
    {
        r.name = readName(N_("part name"), name);
        r.position = readCoord(N_("part position"));
        r.rotation = readCoord(N_("part rotation"));
        r.scale = readCoord(N_("part scale"));

        if (optionalTag("SHWP")) {
            expectChar('N', N_("hidden mark"));
            r.hidden = true;
        }
        if (optionalTag("LCKP")) {
            r.hasLock = true;
            r.lock = readLockWords(N_("part lock value"));
        }
        if (optionalTag("LYRL")) {
            expectChar('Y', N_("layer mark"));
            r.layer = true;
        }
        if (m_in.peekTag() == "GRDP") {
            std::uint64_t start = m_in.position();
            m_in.readTag("GRDP");
            r.grid1 = readFloatList(N_("GRDP list 1 count"), N_("GRDP value"), m_lists[0]);
            r.grid2 = readFloatList(N_("GRDP list 2 count"), N_("GRDP value"), m_lists[1]);
            r.grid3 = readFloatList(N_("GRDP list 3 count"), N_("GRDP value"), m_lists[2]);
            if (r.grid1.empty() && r.grid2.empty() && r.grid3.empty()) {
                m_in.failAt(start, said(N_("GRDP with three empty lists; the writer leaves it out instead")));
            }
        }
        if (m_in.peekTag() != "PMID") {
            m_in.fail(said(N_("expected the tag PMID (after the optional SHWP, LCKP, LYRL and GRDP, in this order), "
                              "found '%s'"),
                           m_in.upcoming()));
        }
        m_in.readTag("PMID");
        r.partId = m_in.readInt32(N_("part id"));
        r.partId2 = m_in.readInt32(N_("second part id"));
        expectTag("TCDN");
        r.tcdn = m_in.readInt32(N_("TCDN value"));
        // A shape record holds at least 13 values: tag, name, nine floats, material, texture index.
        r.shapeCount = readCount(N_("shape count"), 13, true);
    }

    // The tail of a part record, after its shapes: the optional "SPRM" and "ACTN", and the child
    // count, handed on together; then the action's steps. Returns the child count.
    std::uint16_t readPartTail(const FrameRecord& r)
    {
        FrameTailRecord tail;
        tail.frame = &r;
        if (m_in.peekTag() == "SPRM") {
            std::uint64_t start = m_in.position();
            m_in.readTag("SPRM");
            tail.sprmFirst = readUInt16List("SPRM list 1 count", "SPRM value", m_sprm[0]);
            tail.sprmSecond = readUInt16List("SPRM list 2 count", "SPRM value", m_sprm[1]);
            if (tail.sprmFirst.empty() && tail.sprmSecond.empty()) {
                m_in.failAt(start, said(N_("SPRM with two empty lists; the writer leaves it out instead")));
            }
        }
        // Action record: type, option, step count (never 0: an action without steps writes nothing),
        // ten floats per step, four counted texts. The steps are checked on the way to the texts and
        // handed on after them.
        std::uint64_t stepsAt = 0;
        if (optionalTag("ACTN")) {
            tail.hasAction = true;
            tail.actionType = m_in.readInt16(N_("action type"));
            tail.actionOption = m_in.readUInt16(N_("action option"));
            tail.actionStepCount = readCount(N_("action step count"), 10, false);
            stepsAt = m_in.position();
            ActionStepRecord step;
            for (std::uint16_t i = 0; i < tail.actionStepCount; ++i) readActionStep(step);
            for (std::size_t k = 0; k < m_texts.size(); ++k) tail.actionTexts[k] = readName(N_("action text"), m_texts[k]);
        }
        // A part record holds at least 18 values: tag, name, nine floats, two tags, three words, two counts.
        tail.childCount = readCount(N_("child count"), 18, true);
        m_visitor.frameTail(tail);

        if (tail.actionStepCount > 0) {
            std::uint64_t after = m_in.position();
            replay(stepsAt);
            for (std::uint16_t i = 0; i < tail.actionStepCount; ++i) {
                ActionStepRecord step;
                step.index = i;
                step.count = tail.actionStepCount;
                readActionStep(step);
                m_visitor.actionStep(step);
            }
            replayed(after);
        }
        return tail.childCount;
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] The file

    // The backgrounds: every "BACK" in a row (its tag already read), counted first, then handed on.
    void readBackgrounds()
    {
        const std::uint64_t first = m_in.position();
        std::size_t count = 0;
        do {
            readBackground();
            ++count;
        } while (optionalTag("BACK"));
        const std::uint64_t after = m_in.position();
        replay(first);
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0) m_in.readTag("BACK");
            BackgroundRecord r = readBackground();
            r.index = i;
            r.count = count;
            m_visitor.background(r);
        }
        replayed(after);
    }

    void readLaterSection(std::size_t section, std::uint64_t start)
    {
        switch (section) {
        case kLights: {
            std::uint16_t count = readCount(N_("light count"), 7, false);
            if (count > kMaxLights) {
                m_in.failAt(start, said(N_("more than %s lights (%s); the writer refuses to write them"),
                                        std::to_string(kMaxLights), std::to_string(count)));
            }
            for (std::uint16_t i = 0; i < count; ++i) readLight(i, count);
            break;
        }
        case kViews: {
            ViewSectionRecord r;
            r.value1 = m_in.readFloat(N_("view value 1"));
            r.value2 = m_in.readFloat(N_("view value 2"));
            r.count = readCount(N_("view count"), 7, false);
            m_visitor.views(r);
            for (std::uint16_t i = 0; i < r.count; ++i) readView(i, r.count);
            break;
        }
        case kBackgrounds:
            readBackgrounds();
            break;
        case kLeads: {
            std::uint16_t count = readCount(N_("lead count"), 2, false);
            for (std::uint16_t i = 0; i < count; ++i) readLead(i, count);
            break;
        }
        case kSensors: {
            std::uint16_t count = readCount(N_("sensor count"), 8, false);
            for (std::uint16_t i = 0; i < count; ++i) readSensor(i, count);
            break;
        }
        case kGrid: {
            GridListsRecord r;
            r.grid1 = readFloatList(N_("GRDW list 1 count"), N_("GRDW value"), m_lists[0]);
            r.grid2 = readFloatList(N_("GRDW list 2 count"), N_("GRDW value"), m_lists[1]);
            r.grid3 = readFloatList(N_("GRDW list 3 count"), N_("GRDW value"), m_lists[2]);
            if (r.grid1.empty() && r.grid2.empty() && r.grid3.empty()) {
                m_in.failAt(start, said(N_("GRDW with three empty lists; the writer leaves it out instead")));
            }
            m_visitor.gridLists(r);
            break;
        }
        case kGridInterval: {
            float interval = provenPositive(m_in.readFloat(N_("grid interval")));
            if (!(interval > 0.0f)) {
                m_in.failAt(start, said(N_("GINT with a grid interval that is not above 0; the writer leaves it out instead")));
            }
            m_visitor.gridInterval(interval);
            break;
        }
        case kThickness: {
            ThicknessRecord r;
            r.thickness1 = provenPositive(m_in.readFloat(N_("thickness 1")));
            r.thickness2 = m_in.readFloat(N_("thickness 2"));
            r.thickness3 = m_in.readFloat(N_("thickness 3"));
            if (!(r.thickness2 > 0.0f || r.thickness3 > 0.0f)) {  // one was positive: the first that may have been
                float second = provenPositive(r.thickness2);
                if (second > 0.0f)
                    r.thickness2 = second;
                else
                    r.thickness3 = provenPositive(r.thickness3);
            }
            if (!(r.thickness1 > 0.0f && (r.thickness2 > 0.0f || r.thickness3 > 0.0f))) {
                m_in.failAt(start, said(N_("THCK whose first thickness and one other are not above 0; the writer leaves "
                                           "it out instead")));
            }
            m_visitor.thickness(r);
            break;
        }
        default:
            break;
        }
    }

    Source& m_in;
    SceneVisitor& m_visitor;
    const bool m_countLossy;
    std::string m_name;        // the current record's name
    std::string m_secondName;  // its second name (a texture's or a background's file name)
    std::string m_wrapName;    // the current partial wrap's texture file name
    std::array<std::string, 4> m_texts;       // the current action's texts
    std::array<std::vector<float>, 3> m_lists;  // the current GRDP or GRDW lists
    std::array<std::vector<std::uint16_t>, 2> m_sprm;
    std::vector<Coord> m_points;  // the current lead's points
    std::deque<Level> m_levels;   // the frames from the root to the current one (a deque: they stay put)
};

template <typename Source>
void Parser<Source>::parseFile()
{
    std::uint64_t start = m_in.position();
    HeaderRecord header;
    header.text = m_in.text();
    header.formatVersion = m_in.readInt32(N_("the format version"));
    if (header.formatVersion != kFormatVersion) {
        m_in.failAt(start, said(N_("format version %s is not supported (expected %s)"),
                                std::to_string(header.formatVersion), std::to_string(kFormatVersion)));
    }
    expectTag("SHAP");
    expectTag("UNIT");
    header.unit = m_in.readUInt16(N_("the unit"));
    m_visitor.header(header);

    if (optionalTag("COLR")) {
        std::uint16_t count = readCount(N_("material count"), 15, false);
        for (std::uint16_t i = 0; i < count; ++i) readMaterial(i, count);
    }
    if (optionalTag("TXTR")) {
        std::uint16_t count = readCount(N_("texture count"), 2, false);
        for (std::uint16_t i = 0; i < count; ++i) readTexture(i, count);
    }
    if (m_in.peekTag() != "PART") {
        m_in.fail(said(N_("expected the part section (tag PART, after the optional COLR and TXTR), found '%s'"),
                       m_in.upcoming()));
    }
    readPart(1, 0, nullptr);

    std::size_t next = 0;  // index in kLaterSections of the first section still allowed
    for (;;) {
        std::uint64_t at = m_in.position();
        std::string_view tag = m_in.peekTag();
        std::size_t section = next;
        while (section < kLaterSectionCount && tag != kLaterSections[section]) ++section;
        if (section == kLaterSectionCount) {
            m_in.fail(said(N_("expected %s, found '%s'"), expectedLaterSections(next), m_in.upcoming()));
        }
        // cppcheck-suppress arrayIndexOutOfBoundsCond ; a section past the last one failed just above
        m_in.readTag(kLaterSections[section]);
        if (section == kExit) break;
        readLaterSection(section, at);
        next = section + 1;  // backgrounds repeat their tag, but readBackgrounds took every one in a row
    }
    if (!m_in.atEnd()) {
        m_in.fail(said(N_("%s bytes after EXIT, the end of the scene"), std::to_string(m_in.remaining())));
    }
    m_visitor.end();
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// [SECTION] Entry points

namespace {

// Parses the input whose encoding was told from its first bytes.
void run(ByteInput& input, SceneVisitor& visitor, const ParseOptions& options, ParseResult& result)
{
    if (result.encoding == Encoding::Unknown) {
        result.error = said(N_("the file is empty"));
        return;
    }
    BinarySource binary(input);
    TextSource text(input);
    try {
        if (result.encoding == Encoding::Binary) {
            Parser<BinarySource>(binary, visitor, options).parseFile();
            result.lossyTextFloats = binary.lossyTextFloats();
        } else {
            Parser<TextSource>(text, visitor, options).parseFile();
        }
    } catch (const ReadFailure& failure) {
        result.error = failure.message();
    } catch (const std::bad_alloc&) {
        result.error = said(N_("%s: out of memory"), result.encoding == Encoding::Binary ? binary.where() : text.where());
    }
}

}  // namespace

ParseResult parseScene(std::string_view bytes, SceneVisitor& visitor, const ParseOptions& options)
{
    ParseResult result;
    result.encoding = detectEncoding(bytes);
    ByteInput input(bytes);
    run(input, visitor, options, result);
    return result;
}

ParseResult parseSceneStream(std::FILE* stream, std::uint64_t size, SceneVisitor& visitor, const ParseOptions& options,
                             std::size_t windowSize)
{
    ParseResult result;
    try {
        ByteInput input(stream, size, windowSize);
        input.fill(1);
        result.encoding = detectEncoding(std::string_view(input.data(), input.available()));
        run(input, visitor, options, result);
    } catch (const ReadFailure& failure) {  // reading the first bytes
        result.error = failure.message();
    } catch (const std::bad_alloc&) {  // the window
        result.error = said(N_("out of memory"));
    }
    return result;
}

}  // namespace scenefile
