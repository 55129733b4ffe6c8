// SceneReader.cpp - the record readers: each reads, in file order, what the matching Write wrote.
//
// Sections of this file:
//   [SECTION] Helpers: names, tags, lock words, counted lists
//   [SECTION] Materials and the scene's own items (textures, lights, views, backgrounds, leads, sensors)
//   [SECTION] Shapes: texture parameters, partial wraps, the shape record
//   [SECTION] Frames: the part record and its action
//   [SECTION] The file: header, sections in order, "EXIT"
//   [SECTION] Entry points
#include "scene/SceneReader.h"

#include "scene/SceneItems.h"
#include "scenefile/FileAccess.h"

#include <array>
#include <cmath>    // signbit
#include <cstdio>   // FILE, fread
#include <limits>   // denorm_min
#include <memory>
#include <new>      // bad_alloc
#include <utility>  // std::move
#include <vector>

namespace scenefile {

namespace {

// ---------------------------------------------------------------------------------------------------
// [SECTION] Helpers: names, tags, lock words, counted lists

// The reading of one file: the source, and what the result reports besides the scene.
struct Reader {
    FieldSource& in;
    bool text;  // the text encoding: floats with six decimals
    int defaultedNames = 0;
};

// A float that the writer only writes when it is above 0. In the text encoding a positive value below
// 0.0000005 prints as "0.000000", so there such a zero is read as the smallest positive float, which
// prints the same and keeps the section; a binary zero is exact and stays 0 (and is refused).
float provenPositive(const Reader& r, float value)
{
    if (r.text && value == 0.0f && !std::signbit(value)) return std::numeric_limits<float>::denorm_min();
    return value;
}

// A counted name or file name. A CWString ends at its first NUL, so a NUL byte inside would be lost
// on the way back out: such a name is refused.
std::string readName(Reader& r, const char* what)
{
    std::size_t start = r.in.position();
    std::string name = r.in.readBlock(what);
    std::size_t nul = name.find('\0');
    if (nul != std::string::npos) {
        r.in.failAt(start, std::string(what) + " holds a NUL byte at index " + std::to_string(nul) +
                               ", which no scene name can contain");
    }
    return name;
}

// A name the scene will replace by its default when the object is registered (see SceneReader.h).
void noteDefaultedName(Reader& r, const std::string& name)
{
    if (name.empty()) ++r.defaultedNames;
}

// Reads a counted name into an object that registration names when it is empty, and counts it.
void readDefaultableName(Reader& r, CWScriptObject& object, const char* what)
{
    std::string name = readName(r, what);
    noteDefaultedName(r, name);
    object.SetName(name.c_str());
}

// A character that the writer always writes with one fixed value ("SHWP" N, "LYRL" Y).
void expectChar(Reader& r, char expected, const char* what)
{
    std::size_t start = r.in.position();
    char c = r.in.readChar(what);
    if (c != expected) {
        r.in.failAt(start, std::string("expected ") + what + " '" + expected + "', found '" +
                               describeBytes(std::string_view(&c, 1)) + "'");
    }
}

// Three stored lock values (7 minus the low three bits of each word) back to lock words. The
// writer leaves the chunk out when all three words are 0, so a present chunk of 7, 7, 7 came from
// words whose low bits are all 0, at least one of them non-zero: the first becomes 8.
std::array<std::uint32_t, 3> readLockWords(Reader& r, const char* what)
{
    std::array<std::uint32_t, 3> words{};
    for (std::uint32_t& word : words) {
        std::size_t start = r.in.position();
        std::uint16_t stored = r.in.readUInt16(what);
        if (stored > 7) r.in.failAt(start, std::string(what) + " " + std::to_string(stored) + " is not from 0 to 7");
        word = 7u - stored;
    }
    if (words[0] == 0 && words[1] == 0 && words[2] == 0) words[0] = 8;
    return words;
}

// A count that must not be 0 (the writer leaves the whole section or chunk out instead), checked
// against the bytes that remain for `valuesPerItem` values per item.
std::uint16_t readCount(Reader& r, const char* what, std::size_t valuesPerItem, bool mayBeZero)
{
    std::size_t start = r.in.position();
    std::uint16_t count = r.in.readUInt16(what);
    if (count == 0 && !mayBeZero) {
        r.in.failAt(start, std::string(what) + " is 0; the writer leaves an empty list out instead");
    }
    r.in.requireRoom(count, valuesPerItem, what, start);
    return count;
}

std::vector<float> readFloatList(Reader& r, const char* countWhat, const char* valueWhat)
{
    std::uint16_t count = readCount(r, countWhat, 1, true);
    std::vector<float> values;
    values.reserve(count);  // checked against the remaining bytes above
    for (std::uint16_t i = 0; i < count; ++i) values.push_back(r.in.readFloat(valueWhat));
    return values;
}

std::vector<std::uint16_t> readUInt16List(Reader& r, const char* countWhat, const char* valueWhat)
{
    std::uint16_t count = readCount(r, countWhat, 1, true);
    std::vector<std::uint16_t> values;
    values.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) values.push_back(r.in.readUInt16(valueWhat));
    return values;
}

CWCoord readCoord(Reader& r, const char* what)
{
    float x = r.in.readFloat(what);
    float y = r.in.readFloat(what);
    float z = r.in.readFloat(what);
    return CWCoord(x, y, z);
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Materials and the scene's own items

// Material record: counted name, then colours 1 to 4 (three bytes each) and the two values.
void readMaterial(Reader& r, CWScene& scene)
{
    CWMaterial material;
    readDefaultableName(r, material, "material name");
    std::array<std::uint8_t, 12> colours{};
    for (std::uint8_t& value : colours) value = r.in.readByte("material colour value");
    material.SetColor1(colours[0], colours[1], colours[2]);
    material.SetColor2(colours[3], colours[4], colours[5]);
    material.SetColor3(colours[6], colours[7], colours[8]);
    material.SetColor4(colours[9], colours[10], colours[11]);
    material.SetValue1(r.in.readByte("material value 1"));
    material.SetValue2(r.in.readByte("material value 2"));
    scene.AddMaterial(material);
}

// Texture record: counted name, counted file name.
void readTexture(Reader& r, CWScene& scene)
{
    Texture texture;
    texture.SetName(readName(r, "texture name").c_str());
    texture.setFileName(readName(r, "texture file name").c_str());
    scene.AddTexture(texture);
}

// Light record: counted name, position, colour (three bytes).
void readLight(Reader& r, CWScene& scene)
{
    Light light;
    readDefaultableName(r, light, "light name");
    CWCoord position = readCoord(r, "light position");
    light.setPosition(position.m_x, position.m_y, position.m_z);
    std::uint8_t red = r.in.readByte("light colour value");
    std::uint8_t green = r.in.readByte("light colour value");
    std::uint8_t blue = r.in.readByte("light colour value");
    light.setColor(red, green, blue);
    scene.AddLight(light);
}

// View record: counted name, eye point, target point.
void readView(Reader& r, CWScene& scene)
{
    View view;
    readDefaultableName(r, view, "view name");
    CWCoord eye = readCoord(r, "view eye point");
    CWCoord target = readCoord(r, "view target point");
    view.setEye(eye.m_x, eye.m_y, eye.m_z);
    view.setTarget(target.m_x, target.m_y, target.m_z);
    scene.AddView(view);
}

// Background record: counted name, colour (three bytes), counted image file name.
void readBackground(Reader& r, CWScene& scene)
{
    Background background;
    background.SetName(readName(r, "background name").c_str());
    std::uint8_t red = r.in.readByte("background colour value");
    std::uint8_t green = r.in.readByte("background colour value");
    std::uint8_t blue = r.in.readByte("background colour value");
    background.setColor(red, green, blue);
    background.setImageFileName(readName(r, "background image file name").c_str());
    scene.AddBackground(background);
}

// Lead record: counted name, point count, three floats per point.
void readLead(Reader& r, CWScene& scene)
{
    Lead lead;
    readDefaultableName(r, lead, "lead name");
    std::uint16_t count = readCount(r, "lead point count", 3, true);
    std::vector<CWCoord> points;
    points.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) points.push_back(readCoord(r, "lead point"));
    lead.setPoints(std::move(points));
    scene.AddLead(lead);
}

// Sensor record: counted name, position, size, type word.
void readSensor(Reader& r, CWScene& scene)
{
    CWSensorUnit sensor;
    readDefaultableName(r, sensor, "sensor name");
    CWCoord position = readCoord(r, "sensor position");
    CWCoord size = readCoord(r, "sensor size");
    sensor.SetPosition(position.m_x, position.m_y, position.m_z);
    sensor.SetSize(size.m_x, size.m_y, size.m_z);
    sensor.setSensorType(r.in.readInt16("sensor type"));
    scene.AddSensor(sensor);
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Shapes

// The marker that partial wraps follow instead of a texture index.
constexpr std::int16_t kWrapMarker = -2;

// Texture-parameter record: letter 1, and when it is not 'D' eight more values.
void readTextureParams(Reader& r, CWTextureParam& params)
{
    params.setLetter1(r.in.readChar("texture parameter letter 1"));
    if (params.letter1() == 'D') return;
    params.setLetter2(r.in.readChar("texture parameter letter 2"));
    params.setLetter3(r.in.readChar("texture parameter letter 3"));
    params.setFloat1(r.in.readFloat("texture parameter float 1"));
    params.setFloat2(r.in.readFloat("texture parameter float 2"));
    params.setLetter4(r.in.readChar("texture parameter letter 4"));
    params.setLetter5(r.in.readChar("texture parameter letter 5"));
    params.setLetter6(r.in.readChar("texture parameter letter 6"));
    params.setFloat3(r.in.readFloat("texture parameter float 3"));
}

// Partial-wrap record: counted texture file name (never empty), index, texture parameters.
void readPartialWrap(Reader& r, CWPrimitiveShape& shape)
{
    std::size_t start = r.in.position();
    std::string fileName = readName(r, "partial wrap texture file name");
    if (fileName.empty()) {
        r.in.failAt(start, "partial wrap without a texture file name (the writer refuses to write one)");
    }
    CWPartialWrap wrap;
    wrap.SetTexture(r.in.readInt16("partial wrap index"), fileName.c_str());
    readTextureParams(r, wrap);
    shape.AddPartialWrap(wrap);
}

// Shape record: type tag, counted name, position, rotation, size, material index, the texture part
// (an index with its own parameters, or -2 and the partial wraps), and the optional "LCKS" chunk.
std::unique_ptr<CWPrimitiveShape> readShape(Reader& r)
{
    std::size_t start = r.in.position();
    std::string type = r.in.readTag("shape type");
    if (type != "CUBE") {
        r.in.failAt(start, "expected the shape type CUBE (the only kind of shape), found '" + describeBytes(type) + "'");
    }
    auto shape = std::make_unique<CWCube>();
    shape->SetName(readName(r, "shape name").c_str());
    CWCoord position = readCoord(r, "shape position");
    CWCoord rotation = readCoord(r, "shape rotation");
    CWCoord size = readCoord(r, "shape size");
    shape->SetPosition(position.m_x, position.m_y, position.m_z);
    shape->SetRotation(rotation.m_x, rotation.m_y, rotation.m_z);
    shape->SetSize(size.m_x, size.m_y, size.m_z);
    shape->SetMaterialIndex(r.in.readInt16("shape material index"));

    std::int16_t texture = r.in.readInt16("shape texture index");
    if (texture == kWrapMarker) {
        std::uint16_t count = readCount(r, "partial wrap count", 3, false);
        for (std::uint16_t i = 0; i < count; ++i) readPartialWrap(r, *shape);
    } else {
        shape->SetTextureIndex(texture);
        if (texture >= 0) readTextureParams(r, *shape);
    }

    if (r.in.peekTag() == "LCKS") {
        r.in.readTag("LCKS");
        std::array<std::uint32_t, 3> lock = readLockWords(r, "shape lock value");
        shape->setLock(lock[0], lock[1], lock[2]);
    }
    return shape;
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Frames

// Action record ("ACTN" already read): type, option, step count (never 0: an action without steps
// writes nothing), ten floats per step, four counted texts.
void readAction(Reader& r, CWFrame& frame)
{
    CWActionUnit action;
    action.SetActionType(r.in.readInt16("action type"));
    action.SetActionOption(r.in.readUInt16("action option"));
    std::uint16_t count = readCount(r, "action step count", 10, false);
    for (std::uint16_t i = 0; i < count; ++i) {
        CWActionParam step;
        step.SetScalar(r.in.readFloat("action step scalar"));
        CWCoord position = readCoord(r, "action step position");
        CWCoord rotation = readCoord(r, "action step rotation");
        CWCoord scale = readCoord(r, "action step scale");
        step.SetPosition(position.m_x, position.m_y, position.m_z);
        step.SetRotation(rotation.m_x, rotation.m_y, rotation.m_z);
        step.SetScale(scale.m_x, scale.m_y, scale.m_z);
        action.AddParam(step);
    }
    for (std::int32_t key = CWActionUnit::kFirstTextKey; key < CWActionUnit::kFirstTextKey + 4; ++key) {
        action.SetActionText(key, readName(r, "action text").c_str());
    }
    frame.SetAction(&action);
}

// Part record, recursively: "PART", counted name, position, rotation, scale, the optional "SHWP",
// "LCKP", "LYRL", "GRDP" (in this order), "PMID", "TCDN", the shapes, the optional "SPRM" and
// "ACTN", the children.
std::unique_ptr<CWFrame> readPart(Reader& r, int depth)
{
    if (depth > kMaxFrameDepth) {
        r.in.fail("frames nested deeper than " + std::to_string(kMaxFrameDepth) + " levels are not accepted");
    }
    r.in.expectTag("PART");
    auto frame = std::make_unique<CWFrame>();
    std::string name = readName(r, "part name");
    noteDefaultedName(r, name);  // adopting the frame names it, as the root or as a child
    frame->SetName(name.c_str());
    CWCoord position = readCoord(r, "part position");
    CWCoord rotation = readCoord(r, "part rotation");
    CWCoord scale = readCoord(r, "part scale");
    frame->SetPosition(position.m_x, position.m_y, position.m_z);
    frame->SetRotation(rotation.m_x, rotation.m_y, rotation.m_z);
    frame->SetScale(scale.m_x, scale.m_y, scale.m_z);

    if (r.in.peekTag() == "SHWP") {
        r.in.readTag("SHWP");
        expectChar(r, 'N', "hidden mark");
        frame->setVisible(0);
    }
    if (r.in.peekTag() == "LCKP") {
        r.in.readTag("LCKP");
        std::array<std::uint32_t, 3> lock = readLockWords(r, "part lock value");
        frame->setLock(lock[0], lock[1], lock[2]);
    }
    if (r.in.peekTag() == "LYRL") {
        r.in.readTag("LYRL");
        expectChar(r, 'Y', "layer mark");
        frame->SetLayer(1);
    }
    if (r.in.peekTag() == "GRDP") {
        std::size_t start = r.in.position();
        r.in.readTag("GRDP");
        frame->setGrid1(readFloatList(r, "GRDP list 1 count", "GRDP value"));
        frame->setGrid2(readFloatList(r, "GRDP list 2 count", "GRDP value"));
        frame->setGrid3(readFloatList(r, "GRDP list 3 count", "GRDP value"));
        if (frame->grid1().empty() && frame->grid2().empty() && frame->grid3().empty()) {
            r.in.failAt(start, "GRDP with three empty lists; the writer leaves it out instead");
        }
    }
    if (r.in.peekTag() != "PMID") {
        r.in.fail("expected the tag PMID (after the optional SHWP, LCKP, LYRL and GRDP, in this order), found '" +
                  r.in.upcoming() + "'");
    }
    r.in.readTag("PMID");
    frame->m_partId = r.in.readInt32("part id");
    frame->m_partId2 = r.in.readInt32("second part id");
    r.in.expectTag("TCDN");
    frame->setTcdn(r.in.readInt32("TCDN value"));

    // A shape record holds at least 13 values: tag, name, nine floats, material, texture index.
    std::uint16_t shapes = readCount(r, "shape count", 13, true);
    for (std::uint16_t i = 0; i < shapes; ++i) frame->adoptShape(readShape(r));

    if (r.in.peekTag() == "SPRM") {
        std::size_t start = r.in.position();
        r.in.readTag("SPRM");
        std::vector<std::uint16_t> first = readUInt16List(r, "SPRM list 1 count", "SPRM value");
        std::vector<std::uint16_t> second = readUInt16List(r, "SPRM list 2 count", "SPRM value");
        if (first.empty() && second.empty()) {
            r.in.failAt(start, "SPRM with two empty lists; the writer leaves it out instead");
        }
        for (std::uint16_t value : first) frame->AddSprmFirst(value);
        for (std::uint16_t value : second) frame->AddSprmSecond(value);
    }
    if (r.in.peekTag() == "ACTN") {
        r.in.readTag("ACTN");
        readAction(r, *frame);
    }

    // A part record holds at least 18 values: tag, name, nine floats, two tags, three words, two counts.
    std::uint16_t children = readCount(r, "child count", 18, true);
    for (std::uint16_t i = 0; i < children; ++i) {
        frame->adoptChild(readPart(r, depth + 1));
    }
    return frame;
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] The file

// The sections after the part section, in the only order the writer produces; "BACK" may repeat.
constexpr const char* kLaterSections[] = {"LIGT", "VIEW", "BACK", "LEAD", "SENS", "GRDW", "GINT", "THCK", "EXIT"};
constexpr std::size_t kLaterSectionCount = sizeof kLaterSections / sizeof kLaterSections[0];

std::string expectedLaterSections(std::size_t from)
{
    std::string text;
    for (std::size_t i = from; i < kLaterSectionCount; ++i) {
        if (!text.empty()) text += i + 1 == kLaterSectionCount ? " or " : ", ";
        text += kLaterSections[i];
    }
    return text;
}

void readLaterSection(Reader& r, CWScene& scene, const std::string& tag, std::size_t start)
{
    if (tag == "LIGT") {
        std::uint16_t count = readCount(r, "light count", 7, false);
        if (count > CWScene::kMaxLights) {
            r.in.failAt(start, "more than " + std::to_string(CWScene::kMaxLights) + " lights (" +
                                   std::to_string(count) + "); the writer refuses to write them");
        }
        for (std::uint16_t i = 0; i < count; ++i) readLight(r, scene);
    } else if (tag == "VIEW") {
        float value1 = r.in.readFloat("view value 1");
        float value2 = r.in.readFloat("view value 2");
        scene.SetViewValues(value1, value2);
        std::uint16_t count = readCount(r, "view count", 7, false);
        for (std::uint16_t i = 0; i < count; ++i) readView(r, scene);
    } else if (tag == "BACK") {
        readBackground(r, scene);
    } else if (tag == "LEAD") {
        std::uint16_t count = readCount(r, "lead count", 2, false);
        for (std::uint16_t i = 0; i < count; ++i) readLead(r, scene);
    } else if (tag == "SENS") {
        std::uint16_t count = readCount(r, "sensor count", 8, false);
        for (std::uint16_t i = 0; i < count; ++i) readSensor(r, scene);
    } else if (tag == "GRDW") {
        scene.setGrid1(readFloatList(r, "GRDW list 1 count", "GRDW value"));
        scene.setGrid2(readFloatList(r, "GRDW list 2 count", "GRDW value"));
        scene.setGrid3(readFloatList(r, "GRDW list 3 count", "GRDW value"));
        if (scene.grid1().empty() && scene.grid2().empty() && scene.grid3().empty()) {
            r.in.failAt(start, "GRDW with three empty lists; the writer leaves it out instead");
        }
    } else if (tag == "GINT") {
        float interval = provenPositive(r, r.in.readFloat("grid interval"));
        if (!(interval > 0.0f)) {
            r.in.failAt(start, "GINT with a grid interval that is not above 0; the writer leaves it out instead");
        }
        scene.SetGridInterval(interval);
    } else if (tag == "THCK") {
        float t1 = provenPositive(r, r.in.readFloat("thickness 1"));
        float t2 = r.in.readFloat("thickness 2");
        float t3 = r.in.readFloat("thickness 3");
        if (!(t2 > 0.0f || t3 > 0.0f)) {  // one of them was positive: the first that may have been
            float second = provenPositive(r, t2);
            if (second > 0.0f)
                t2 = second;
            else
                t3 = provenPositive(r, t3);
        }
        if (!(t1 > 0.0f && (t2 > 0.0f || t3 > 0.0f))) {
            r.in.failAt(start, "THCK whose first thickness and one other are not above 0; the writer leaves it "
                               "out instead");
        }
        scene.SetThickness(t1, t2, t3);
    }
}

std::unique_ptr<CWScene> readFile(Reader& r)
{
    std::size_t start = r.in.position();
    std::int32_t version = r.in.readInt32("the format version");
    if (version != CWScene::kFormatVersion) {
        r.in.failAt(start, "format version " + std::to_string(version) + " is not supported (expected " +
                               std::to_string(CWScene::kFormatVersion) + ")");
    }
    auto scene = std::make_unique<CWScene>();
    r.in.expectTag("SHAP");
    r.in.expectTag("UNIT");
    scene->SetUnit(r.in.readUInt16("the unit"));

    if (r.in.peekTag() == "COLR") {
        r.in.readTag("COLR");
        std::uint16_t count = readCount(r, "material count", 15, false);
        for (std::uint16_t i = 0; i < count; ++i) readMaterial(r, *scene);
    }
    if (r.in.peekTag() == "TXTR") {
        r.in.readTag("TXTR");
        std::uint16_t count = readCount(r, "texture count", 2, false);
        for (std::uint16_t i = 0; i < count; ++i) readTexture(r, *scene);
    }
    if (r.in.peekTag() != "PART") {
        r.in.fail("expected the part section (tag PART, after the optional COLR and TXTR), found '" +
                  r.in.upcoming() + "'");
    }
    scene->adoptRootFrame(readPart(r, 1));

    std::size_t next = 0;  // index in kLaterSections of the first section still allowed
    for (;;) {
        std::size_t at = r.in.position();
        std::string tag = r.in.peekTag();
        std::size_t index = next;
        while (index < kLaterSectionCount && tag != kLaterSections[index]) ++index;
        if (index == kLaterSectionCount) {
            r.in.fail("expected " + expectedLaterSections(next) + ", found '" + r.in.upcoming() + "'");
        }
        r.in.readTag(kLaterSections[index]);
        if (tag == "EXIT") break;
        readLaterSection(r, *scene, tag, at);
        next = tag == "BACK" ? index : index + 1;  // backgrounds repeat their tag, nothing else does
    }
    if (!r.in.atEnd()) {
        r.in.fail(std::to_string(r.in.remaining()) + " bytes after EXIT, the end of the scene");
    }
    return scene;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// [SECTION] Entry points

ReadResult readScene(std::string_view bytes)
{
    ReadResult result;
    result.encoding = detectEncoding(bytes);
    if (result.encoding == Encoding::Unknown) {
        result.error = "the file is empty";
        return result;
    }
    std::unique_ptr<FieldSource> source;
    if (result.encoding == Encoding::Binary)
        source = std::make_unique<BinarySource>(bytes);
    else
        source = std::make_unique<TextSource>(bytes);
    Reader reader{*source, result.encoding == Encoding::Text};
    try {
        result.scene = readFile(reader);
        result.defaultedNames = reader.defaultedNames;
        if (result.encoding == Encoding::Binary) {
            result.lossyTextFloats = static_cast<BinarySource&>(*source).lossyTextFloats();
        }
    } catch (const ReadFailure& failure) {
        result.error = failure.message();
    } catch (const std::bad_alloc&) {
        result.error = source->where() + ": out of memory";
    }
    return result;
}

ReadResult readSceneFile(const std::string& utf8Path)
{
    ReadResult result;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(fileio::openFile(utf8Path, "rb"), &std::fclose);
    if (!stream) {
        result.error = "cannot open the file";
        return result;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        std::size_t got = std::fread(buffer, 1, sizeof buffer, stream.get());
        bytes.append(buffer, got);
        if (bytes.size() > kMaxSceneFileBytes) {
            result.error = "the file is larger than " + std::to_string(kMaxSceneFileBytes / (1024 * 1024)) +
                           " MiB, more than any scene file";
            return result;
        }
        if (got < sizeof buffer) break;
    }
    if (std::ferror(stream.get())) {
        result.error = "cannot read the file";
        return result;
    }
    return readScene(bytes);
}

}  // namespace scenefile
