// GltfExport.cpp - the glTF 2.0 export of `cwstool export` (see GltfExport.h; the mapping for users is
// docs/gltf-export.md).
//
// Sections of this file:
//   [SECTION] Conventions: axes, length unit, rotations, colour
//   [SECTION] The unit cube every box is drawn with
//   [SECTION] JSON text and the GLB container
//   [SECTION] Writing the nodes as the records stream by
//   [SECTION] The storeys (--levels)
//   [SECTION] Entry points
//
// The file is written while the scene file is read: a node's JSON is written as soon as its record
// and everything below it have been read, so the memory does not grow with the scene beyond a list of
// child nodes per open frame and one entry per material. A frame's node therefore follows its boxes and
// its child frames in the "nodes" array (glTF allows any order). The binary buffer is the unit cube's
// 648 bytes, written after the JSON. A .glb states its JSON's length before the JSON, and the output
// stream cannot be rewound (it may be a pipe), so a .glb is made in two passes over the scene file:
// the first measures the JSON, the second writes it.
#include "tools/cwstool/export/gltf/GltfExport.h"

#include <cwscene/Version.h>

#include <cwscene/FileAccess.h>    // OutputFile
#include <cwscene/RecordParser.h>
#include <cwscene/Scene.h>
#include <cwscene/SceneReader.h>  // DefaultedNames
#include <cwscene/ShiftJis.h>
#include "text/Messages.h"
#include "tools/cwstool/export/gltf/LevelVolumes.h"
#include "tools/cwstool/levels/FramePlacement.h"
#include "tools/cwstool/output/Problems.h"   // cannotWrite
#include "tools/cwstool/output/WholeFile.h"

#include <array>
#include <cassert>
#include <charconv>   // to_chars
#include <cmath>      // isfinite, fabs, fmod, sin, cos, pow, sqrt
#include <cstdint>
#include <cstdio>
#include <cstring>    // memcpy
#include <exception>
#include <map>
#include <memory>     // unique_ptr

namespace cwstool {

namespace {

// ---------------------------------------------------------------------------------------------------
// [SECTION] Conventions

// Axes. The scene file stacks the wizard's levels along z: every frame offset is (0, 0, height) and a
// slab's thickness is its z size, so z is up and x, y span the plan (x the width, y the depth). The
// file does not state a handedness; it is taken as right-handed. glTF is Y-up, right-handed, +Z
// towards the viewer: a scene vector (x, y, z) becomes (x, z, -y), a quarter turn about x that keeps
// handedness, so the plan's +y points away from a viewer looking at the front.
struct Vec3 {
    double x, y, z;
};

Vec3 toGltfAxes(const Vec3& v) { return {v.x, v.z, -v.y}; }

// Scale factors along the same axes: the quarter turn only exchanges y and z, so no sign changes.
Vec3 scaleToGltfAxes(const Vec3& s) { return {s.x, s.z, s.y}; }

// Scene units per metre for a scene's unit code, or 0 for a code without a defined length. The
// wizard writes 0 and gives every length in millimetres; no other code, not even the library's default
// 2, has a stated meaning. (Lengths are divided by this rather than multiplied by 0.001, so that 210 mm
// becomes exactly the double nearest to 0.21.)
double unitsPerMetreOf(std::uint16_t unitCode)
{
    switch (unitCode) {
    case 0: return 1000.0;  // millimetres
    }
    return 0.0;
}

constexpr double kAssumedUnitsPerMetre = 1000.0;  // an undefined code is read as millimetres too

// The storeys of --levels are an illustration: the scene has levels and two boxes, no walls.
constexpr char kLevelsNote[] =
    "the storeys named by the frames, each a room from its interior to its ceiling over its floor slab; "
    "the main block over the back half of the foundation block, the mezzanines over the front half. "
    "An illustration of the levels: the scene holds no walls";
constexpr double kRoomAlpha = 0.45;  // the rooms' opacity

constexpr char kAxesNote[] =
    "scene z is up, x and y span the plan, taken as right-handed; glTF (X, Y, Z) = (x, z, -y)";
// Rotations. The file does not say in what unit or order a rotation triple (a, b, c) turns: taken as
// degrees, first about the scene's x axis by a, then about its fixed y axis by b, then its fixed z
// axis by c (R = Rz(c) Ry(b) Rx(a)), each counter-clockwise looking from the positive axis towards
// the origin. A frame applies translation, then rotation, then scale to what it holds, as a glTF node.
// In the file as it stands; in the warning in the user's language.
constexpr char kRotationNote[] =
    N_("degrees; about the scene's x axis first, then its fixed y axis, then its fixed z axis "
       "(R = Rz Ry Rx), counter-clockwise looking from the positive axis towards the origin");

// glTF's base colour is linear; a material's colour bytes are sRGB, as colours on screens are.
double srgbToLinear(std::uint8_t byte)
{
    double c = byte / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

struct Quat {
    double x, y, z, w;
};

// a * b: the rotation b, then a.
Quat multiply(const Quat& a, const Quat& b)
{
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

// A turn by `degrees` about a unit axis given in glTF's axes.
Quat aboutAxis(const Vec3& axis, double degrees)
{
    const double half = std::fmod(degrees, 360.0) * (3.14159265358979323846 / 360.0);
    const double s = std::sin(half);
    return {axis.x * s, axis.y * s, axis.z * s, std::cos(half)};
}

// The scene rotation (a, b, c) as a glTF quaternion (x, y, z, w): Rz(c) Ry(b) Rx(a) with the scene's
// axes written in glTF's (x is X, y is -Z, z is Y).
Quat rotationQuat(const Vec3& degrees)
{
    Quat q = multiply(aboutAxis({0, 1, 0}, degrees.z),
                      multiply(aboutAxis({0, 0, -1}, degrees.y), aboutAxis({1, 0, 0}, degrees.x)));
    const double length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    return {q.x / length, q.y / length, q.z / length, q.w / length};
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] The unit cube every box is drawn with
//
// A cube from -0.5 to 0.5 on each axis; a box node scales it to the box's size. Each face has its own
// four vertices so that its normal is flat. For a face with outward normal n and in-plane axes u, v
// with u x v = n, the corners n/2 - u/2 - v/2, + u - v, + u + v, - u + v run counter-clockwise seen
// from outside, glTF's front face.
struct CubeFace {
    Vec3 n, u, v;
};
constexpr CubeFace kCubeFaces[6] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
};
constexpr int kCubeVertices = 24;
constexpr int kCubeIndices = 36;

// Little-endian, whatever the host, as glTF's buffers are.
void appendUInt32(std::vector<unsigned char>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

void appendFloat(std::vector<unsigned char>& out, double value)
{
    const float f = static_cast<float>(value);
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    appendUInt32(out, bits);
}

void appendUInt16(std::vector<unsigned char>& out, int value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

// The unit cube's buffer: positions, normals (each 24 three-float vectors), then 36 16-bit indices.
std::vector<unsigned char> cubeBuffer()
{
    std::vector<unsigned char> positions, normals, indices;
    int vertex = 0;
    for (const CubeFace& f : kCubeFaces) {
        const double corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};  // (u, v) signs
        for (const auto& uv : corners) {
            appendFloat(positions, (f.n.x + uv[0] * f.u.x + uv[1] * f.v.x) / 2);
            appendFloat(positions, (f.n.y + uv[0] * f.u.y + uv[1] * f.v.y) / 2);
            appendFloat(positions, (f.n.z + uv[0] * f.u.z + uv[1] * f.v.z) / 2);
            appendFloat(normals, f.n.x);
            appendFloat(normals, f.n.y);
            appendFloat(normals, f.n.z);
        }
        for (int corner : {0, 1, 2, 0, 2, 3}) appendUInt16(indices, vertex + corner);
        vertex += 4;
    }
    std::vector<unsigned char> buffer = positions;
    buffer.insert(buffer.end(), normals.begin(), normals.end());
    buffer.insert(buffer.end(), indices.begin(), indices.end());
    return buffer;
}

constexpr std::size_t kCubeVectorBytes = kCubeVertices * 3 * 4;  // one VEC3 float accessor
constexpr std::size_t kCubeBufferBytes = 2 * kCubeVectorBytes + kCubeIndices * 2;
static_assert(kCubeBufferBytes == 648 && kCubeBufferBytes % 4 == 0, "the BIN chunk needs no padding");

// The accessors and views of the cube, in the order of the buffer: 0 positions, 1 normals, 2 indices.
constexpr char kCubeAccessors[] =
    "\"accessors\":[{\"bufferView\":0,\"componentType\":5126,\"count\":24,\"type\":\"VEC3\","
    "\"min\":[-0.5,-0.5,-0.5],\"max\":[0.5,0.5,0.5]},"
    "{\"bufferView\":1,\"componentType\":5126,\"count\":24,\"type\":\"VEC3\"},"
    "{\"bufferView\":2,\"componentType\":5123,\"count\":36,\"type\":\"SCALAR\"}],"
    "\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,\"byteLength\":288,\"target\":34962},"
    "{\"buffer\":0,\"byteOffset\":288,\"byteLength\":288,\"target\":34962},"
    "{\"buffer\":0,\"byteOffset\":576,\"byteLength\":72,\"target\":34963}]";

// ---------------------------------------------------------------------------------------------------
// [SECTION] JSON text and the GLB container

// JSON text into a stream, through a buffer of its own, or only counted when there is no stream. A
// failed write is remembered (the file's commit then fails too, with the system's reason).
class JsonOut {
public:
    explicit JsonOut(std::FILE* stream) : m_stream(stream) { m_buffer.reserve(kFlushAt + 4096); }

    JsonOut& raw(std::string_view text)
    {
        m_buffer.append(text);
        m_written += text.size();
        if (m_buffer.size() >= kFlushAt) flush();
        return *this;
    }
    JsonOut& number(double value)
    {
        char digits[32];
        // Shortest text that reads back as the same double, '.' whatever the locale. Callers pass
        // finite values only.
        const auto end = std::to_chars(digits, digits + sizeof digits, value + 0.0).ptr;  // + 0.0: no "-0"
        return raw(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    JsonOut& integer(long long value)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        return raw(std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    // A JSON string of UTF-8 text: quotes, backslashes and control characters escaped; a byte that
    // is not part of valid UTF-8 (a name the system could not convert) becomes U+FFFD.
    JsonOut& string(std::string_view utf8);
    JsonOut& vector3(const Vec3& v) { return raw("[").number(v.x).raw(",").number(v.y).raw(",").number(v.z).raw("]"); }

    std::uint64_t written() const { return m_written; }
    bool flush()
    {
        if (m_stream && !m_buffer.empty() && std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_stream) != m_buffer.size()) {
            m_failed = true;
        }
        m_buffer.clear();
        return !m_failed;
    }

private:
    static constexpr std::size_t kFlushAt = 64 * 1024;
    std::FILE* m_stream;  // null: counted only
    std::string m_buffer;
    std::uint64_t m_written = 0;  // bytes of JSON so far
    bool m_failed = false;
};

// The length of the valid UTF-8 sequence at the start of `s`, or 0 when it is none.
std::size_t utf8SequenceLength(std::string_view s)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(0);
    std::size_t length = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 && b >= 0xC2 ? 2 : (b & 0xF0) == 0xE0 ? 3
                         : (b & 0xF8) == 0xF0 && b <= 0xF4 ? 4 : 0;
    if (length == 0 || length > s.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    if (length == 3 && ((b == 0xE0 && byte(1) < 0xA0) || (b == 0xED && byte(1) >= 0xA0))) return 0;  // overlong, surrogate
    if (length == 4 && ((b == 0xF0 && byte(1) < 0x90) || (b == 0xF4 && byte(1) >= 0x90))) return 0;  // overlong, > U+10FFFF
    return length;
}

JsonOut& JsonOut::string(std::string_view utf8)
{
    std::string text = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            static const char hex[] = "0123456789abcdef";
            text += "\\u00";
            text += hex[c >> 4];
            text += hex[c & 15];
            ++i;
        } else if (std::size_t length = utf8SequenceLength(utf8.substr(i)); length > 0) {
            text.append(utf8.substr(i, length));
            i += length;
        } else {
            text += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
        }
    }
    text += '"';
    return raw(text);
}

void putUInt32(unsigned char* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

//   OFFSET SIZE CONTENT (a .glb; little-endian)
//        0    4 magic "glTF"
//        4    4 version 2
//        8    4 the file's length
//       12    4 the JSON chunk's length (padded with spaces to a multiple of 4)
//       16    4 "JSON"
//       20    n the JSON text, then the padding
//     20+n    4 the BIN chunk's length (648)
//     24+n    4 "BIN" 0
//     28+n  648 the buffer
constexpr std::size_t kGlbHeaderBytes = 20;

// The GLB header and the JSON chunk's header for a JSON text of `jsonLength` bytes before padding.
std::array<unsigned char, kGlbHeaderBytes> glbHeader(std::uint64_t jsonLength, bool withBuffer)
{
    const std::uint64_t padded = (jsonLength + 3) / 4 * 4;
    const std::uint64_t total = kGlbHeaderBytes + padded + (withBuffer ? 8 + kCubeBufferBytes : 0);
    std::array<unsigned char, kGlbHeaderBytes> header{};
    std::memcpy(header.data(), "glTF", 4);
    putUInt32(header.data() + 4, 2);
    putUInt32(header.data() + 8, static_cast<std::uint32_t>(total));
    putUInt32(header.data() + 12, static_cast<std::uint32_t>(padded));
    std::memcpy(header.data() + 16, "JSON", 4);
    return header;
}

// The standard base64 alphabet with '=' padding, as a data URI needs it.
std::string base64(const std::vector<unsigned char>& bytes)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t n = static_cast<std::uint32_t>(bytes[i]) << 16 |
                                (i + 1 < bytes.size() ? static_cast<std::uint32_t>(bytes[i + 1]) << 8 : 0) |
                                (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        text += alphabet[n >> 18 & 63];
        text += alphabet[n >> 12 & 63];
        text += i + 1 < bytes.size() ? alphabet[n >> 6 & 63] : '=';
        text += i + 2 < bytes.size() ? alphabet[n & 63] : '=';
    }
    return text;
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] Writing the nodes as the records stream by

bool isZero(const scenefile::Coord& c) { return c.x == 0.0f && c.y == 0.0f && c.z == 0.0f; }
bool isOne(const scenefile::Coord& c) { return c.x == 1.0f && c.y == 1.0f && c.z == 1.0f; }

// A scene material as the glTF material it becomes.
struct MaterialEntry {
    std::string name;  // UTF-8
    scenefile::Colour colour1, colour2, colour3, colour4;
    std::uint8_t value1, value2;
};

// An open frame: the nodes of its boxes and child frames so far, and its name for warnings.
struct OpenFrame {
    std::vector<int> children;
    std::string name;  // UTF-8
};

constexpr std::size_t kNamedDegenerate = 5;  // degenerate boxes named in the warning; the rest counted

// What the first pass over a scene finds for a .glb's header.
struct GlbLayout {
    std::uint64_t jsonLength = 0;  // before padding
    bool withBuffer = false;       // a BIN chunk follows (the scene has something to draw)
};

// The glTF of the records it is given, written to `stream` as they come; with no stream, only
// measured (glbLayout()).
class GltfWriter : public scenefile::SceneVisitor {
public:
    // `layout`: a .glb's, from the first pass; not used for JSON or when measuring.
    GltfWriter(std::FILE* stream, GltfContainer container, const GltfOptions& options, GlbLayout layout = {})
        : m_stream(stream), m_json(stream), m_binary(container == GltfContainer::Binary), m_options(options),
          m_layout(layout)
    {
    }

    void header(const scenefile::HeaderRecord& r) override
    {
        m_unit = r.unit;
        const double defined = unitsPerMetreOf(r.unit);
        m_unitsPerMetre = defined > 0.0 ? defined : kAssumedUnitsPerMetre;
        if (m_binary && m_stream) {
            const std::array<unsigned char, kGlbHeaderBytes> header = glbHeader(m_layout.jsonLength, m_layout.withBuffer);
            if (std::fwrite(header.data(), 1, header.size(), m_stream) != header.size()) m_failed = true;
        }
        const std::string unit = "unit code " + std::to_string(r.unit) +
                                 (defined > 0.0 ? ": millimetres" : " has no defined length: taken as millimetres");
        m_json.raw("{\"asset\":{\"version\":\"2.0\",\"generator\":\"cwstool " CWSCENE_VERSION "\",\"extras\":{")
            .raw("\"unitCode\":").integer(r.unit)
            .raw(",\"unit\":").string(unit)
            .raw(",\"metresPerUnit\":").number(1.0 / m_unitsPerMetre)
            .raw(",\"axes\":").string(kAxesNote)
            .raw(",\"rotation\":").string(kRotationNote)
            .raw("}}");
    }

    // An unnamed material or frame gets the name building the scene would give it, as the other
    // commands show it: "新規色n" (n its place in the list, from 1), "新規パーツ".
    void material(const scenefile::MaterialRecord& r) override
    {
        m_defaulted.note(r);
        const std::string name = r.name.empty() ? "新規色" + std::to_string(r.index + 1) : cwscene::toUtf8(r.name);
        m_materials.push_back({name, r.colour1, r.colour2, r.colour3, r.colour4, r.value1, r.value2});
    }
    void texture(const scenefile::TextureRecord&) override { ++m_textures; }

    void frameBegin(const scenefile::FrameRecord& r) override
    {
        m_defaulted.note(r);
        const std::string name = frameName(r);
        const Point at = m_placement.enter(r);
        if (!isZero(r.rotation) || !isOne(r.scale)) ++m_turned;
        m_storeys.note(name, at.z);
        m_open.push_back({{}, name});
    }

    // A box (the reader accepts no other shape).
    void shape(const scenefile::ShapeRecord& r) override
    {
        if (r.partialWrapCount > 0) {
            m_wraps += r.partialWrapCount;
            ++m_wrappedBoxes;
        } else if (r.textureIndex >= 0) {
            ++m_texturedBoxes;
        }
        const std::string name = cwscene::toUtf8(r.name);
        noteLevelBox(r);
        // Sizes are extents: a negative size spans the same box. In metres, like the translation. A
        // box of no extent along an axis (in the 32-bit floats a viewer reads) has no body to draw.
        const Vec3 size = finite(r.size, 1.0);
        const Vec3 extent{std::fabs(size.x) / m_unitsPerMetre, std::fabs(size.y) / m_unitsPerMetre,
                          std::fabs(size.z) / m_unitsPerMetre};
        const bool degenerate = static_cast<float>(extent.x) == 0.0f || static_cast<float>(extent.y) == 0.0f ||
                                static_cast<float>(extent.z) == 0.0f;
        beginNode(name);
        if (degenerate) {
            if (m_degenerate.size() < kNamedDegenerate) m_degenerate.push_back(m_open.back().name + "/" + name);
            ++m_degenerateCount;
        } else {
            m_json.raw(",\"mesh\":").integer(boxMesh(r.materialIndex));
        }
        writeTransform(r.position, r.rotation, degenerate ? Vec3{1, 1, 1} : extent);
        m_json.raw("}");
        m_open.back().children.push_back(m_nodes++);
    }

    void frameTail(const scenefile::FrameTailRecord& r) override
    {
        if (r.hasAction) ++m_actions;  // an action without steps is not in the file
    }

    // A frame's node, after its boxes and child frames: its children are its boxes, then its child
    // frames, in file order.
    void frameEnd(const scenefile::FrameRecord& r) override
    {
        beginNode(frameName(r));
        const std::vector<int>& children = m_open.back().children;
        if (!children.empty()) {
            m_json.raw(",\"children\":[");
            for (std::size_t i = 0; i < children.size(); ++i) m_json.raw(i ? "," : "").integer(children[i]);
            m_json.raw("]");
        }
        writeTransform(r.position, r.rotation, finite(r.scale, 1.0));
        m_json.raw(",\"extras\":{\"layer\":").integer(r.layer ? 1 : 0)
            .raw(",\"partId\":").integer(r.partId)
            .raw(",\"partId2\":").integer(r.partId2)
            .raw(",\"visible\":").integer(r.hidden ? 0 : 1)
            .raw(",\"lock\":[").integer(r.lock[0]).raw(",").integer(r.lock[1]).raw(",").integer(r.lock[2])
            .raw("]}}");
        m_open.pop_back();
        const int node = m_nodes++;
        if (m_open.empty()) {
            m_sceneNodes.push_back(node);
        } else {
            m_open.back().children.push_back(node);
        }
    }

    void light(const scenefile::LightRecord& r) override { m_defaulted.note(r), ++m_lights; }
    void view(const scenefile::ViewRecord& r) override { m_defaulted.note(r), ++m_views; }
    void background(const scenefile::BackgroundRecord&) override { ++m_backgrounds; }
    void lead(const scenefile::LeadRecord& r) override { m_defaulted.note(r), ++m_leads; }
    void sensor(const scenefile::SensorRecord& r) override { m_defaulted.note(r), ++m_sensors; }

    // The whole file was read: the storeys, then everything the nodes refer to.
    void end() override
    {
        if (m_options.levels) addLevels();
        if (m_nodes > 0) m_json.raw("]");
        m_json.raw(",\"scene\":0,\"scenes\":[{");
        if (!m_sceneNodes.empty()) {
            m_json.raw("\"nodes\":[");
            for (std::size_t i = 0; i < m_sceneNodes.size(); ++i) m_json.raw(i ? "," : "").integer(m_sceneNodes[i]);
            m_json.raw("]");
        }
        m_json.raw("}]");
        writeMaterials();
        if (!m_meshes.empty()) writeMeshes();
        m_complete = true;  // the buffers and the closing brace follow in finish()
    }

    // Ends the file after end(): the JSON's padding and the buffer, and a .glb's lengths. False when a
    // write failed.
    bool finish()
    {
        const bool withBuffer = !m_meshes.empty();
        return finishContainer(withBuffer ? cubeBuffer() : std::vector<unsigned char>{});
    }

    bool complete() const { return m_complete; }
    int defaultedNames() const { return m_defaulted.total(); }
    // After end() and finish() without a stream: what the second pass puts in the header.
    GlbLayout glbLayout() const { return m_measured; }
    std::vector<std::string> warnings() const;

private:
    static std::string frameName(const scenefile::FrameRecord& r)
    {
        return r.name.empty() ? std::string("新規パーツ") : cwscene::toUtf8(r.name);
    }

    // The value, or `fallback` for NaN and infinities (counted).
    double finiteOr(float value, double fallback)
    {
        if (std::isfinite(value)) return value;
        ++m_nonFinite;
        return fallback;
    }
    Vec3 finite(const scenefile::Coord& c, double fallback)
    {
        return {finiteOr(c.x, fallback), finiteOr(c.y, fallback), finiteOr(c.z, fallback)};
    }

    // Opens the next node of the "nodes" array with its name.
    void beginNode(const std::string& name)
    {
        m_json.raw(m_nodes == 0 ? ",\"nodes\":[{\"name\":" : ",{\"name\":").string(name);
    }

    // A node's translation, rotation and scale from the scene's position (in scene units), rotation and
    // scale; each left out where it is glTF's default.
    void writeTransform(const scenefile::Coord& position, const scenefile::Coord& rotation, const Vec3& scale)
    {
        if (!isZero(position)) {
            const Vec3 t = toGltfAxes(finite(position, 0.0));
            m_json.raw(",\"translation\":").vector3({t.x / m_unitsPerMetre, t.y / m_unitsPerMetre, t.z / m_unitsPerMetre});
        }
        if (!isZero(rotation)) {
            ++m_rotated;
            const Quat q = rotationQuat(finite(rotation, 0.0));
            m_json.raw(",\"rotation\":[").number(q.x).raw(",").number(q.y).raw(",").number(q.z).raw(",").number(q.w).raw("]");
        }
        const Vec3 s = scaleToGltfAxes(scale);
        if (s.x != 1.0 || s.y != 1.0 || s.z != 1.0) m_json.raw(",\"scale\":").vector3(s);
    }

    // The mesh of the unit cube in this glTF material (-1: glTF's default), one per material, made
    // when first needed.
    int cubeMesh(int material)
    {
        auto found = m_meshByMaterial.find(material);
        if (found != m_meshByMaterial.end()) return found->second;
        m_meshes.push_back(material);
        const int index = static_cast<int>(m_meshes.size() - 1);
        m_meshByMaterial[material] = index;
        return index;
    }

    // The mesh of boxes with this scene material; one that is not in the list is counted and drawn in
    // glTF's default material.
    int boxMesh(std::int16_t materialIndex)
    {
        const bool known = materialIndex >= 0 && static_cast<std::size_t>(materialIndex) < m_materials.size();
        if (!known && materialIndex != -1) ++m_danglingMaterials;
        return cubeMesh(known ? materialIndex : -1);
    }

    // For --levels: the rotations seen, and the box that reaches highest (the building's footprint),
    // as sceneLevels reads a built scene.
    void noteLevelBox(const scenefile::ShapeRecord& r)
    {
        if (!isZero(r.rotation)) ++m_turned;
        const Point& frame = m_placement.current();
        PlacedBox placed{"", "", {frame.x + r.position.x, frame.y + r.position.y, frame.z + r.position.z},
                         {std::fabs(static_cast<double>(r.size.x)), std::fabs(static_cast<double>(r.size.y)),
                          std::fabs(static_cast<double>(r.size.z))},
                         r.materialIndex};
        const auto finitePoint = [](const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); };
        if (!finitePoint(placed.centre) || !finitePoint(placed.size)) return;
        if (m_highest.empty() || placed.centre.z + placed.size.z / 2 > m_highest[0].centre.z + m_highest[0].size.z / 2) {
            m_highest.assign(1, placed);
        }
    }

    void writeMaterials();
    void writeMeshes();
    int addLevelMaterial(LevelVolume::Kind kind);
    void addLevels();
    bool finishContainer(const std::vector<unsigned char>& buffer);

    std::FILE* m_stream;
    JsonOut m_json;
    const bool m_binary;
    const GltfOptions m_options;
    const GlbLayout m_layout;  // given
    GlbLayout m_measured;      // found
    bool m_failed = false;    // a write outside m_json failed
    bool m_complete = false;  // end() was reached: the whole scene file was accepted

    std::uint16_t m_unit = 0;
    double m_unitsPerMetre = kAssumedUnitsPerMetre;  // scene units per metre
    std::vector<MaterialEntry> m_materials;
    struct LevelMaterial {
        std::string name;
        Rgb colour;
        double alpha;
    };
    std::vector<LevelMaterial> m_levelMaterials;  // after the scene's materials
    std::map<int, int> m_meshByMaterial;  // glTF material index (-1: none) -> mesh
    std::vector<int> m_meshes;            // the glTF material of each mesh
    std::vector<OpenFrame> m_open;        // from the root to the frame being read
    std::vector<int> m_sceneNodes;        // the root frame's node, then "levels"
    int m_nodes = 0;                      // nodes written
    FramePlacement m_placement;
    Storeys m_storeys;
    std::vector<PlacedBox> m_highest;     // at most one: the box that reaches highest

    // What the warnings count.
    long m_rotated = 0;             // frames and boxes with a rotation
    long m_nonFinite = 0;           // NaN and infinite values replaced
    long m_danglingMaterials = 0;   // boxes whose material index is not in the list
    long m_textures = 0;
    long m_texturedBoxes = 0;       // boxes with a texture of their own
    long m_wraps = 0, m_wrappedBoxes = 0;
    long m_actions = 0;             // frames with an action of at least one step
    long m_lights = 0, m_views = 0, m_backgrounds = 0, m_leads = 0, m_sensors = 0;
    std::vector<std::string> m_degenerate;      // the first boxes of no extent, "frame/box"
    long m_degenerateCount = 0;
    long m_turned = 0;              // frames and boxes with a rotation, frames with a scale other than 1
    long m_storeyVolumes = -1;      // with --levels: the rooms and slabs drawn
    long m_unplacedLevels = 0;      // with --levels: rotated or scaled objects, placed without those
    std::vector<std::string> m_emptyVolumes;  // with --levels: rooms and slabs of no width or depth
    scene::DefaultedNames m_defaulted;
};

void GltfWriter::writeMaterials()
{
    if (m_materials.empty() && m_levelMaterials.empty()) return;
    m_json.raw(",\"materials\":[");
    const auto pbr = [&](const Rgb& c, double alpha) {
        m_json.raw(",\"pbrMetallicRoughness\":{\"baseColorFactor\":[")
            .number(srgbToLinear(c[0])).raw(",").number(srgbToLinear(c[1])).raw(",").number(srgbToLinear(c[2]))
            .raw(",").number(alpha)
            // the file has no such property: a matte non-metal
            .raw("],\"metallicFactor\":0}");  // roughnessFactor: 1, the default
    };
    const auto colour = [&](const char* key, const scenefile::Colour& c) {
        m_json.raw(key).raw("[").integer(c[0]).raw(",").integer(c[1]).raw(",").integer(c[2]).raw("]");
    };
    bool first = true;
    for (const MaterialEntry& m : m_materials) {
        m_json.raw(first ? "{\"name\":" : ",{\"name\":").string(m.name);
        first = false;
        pbr(m.colour1, 1.0);
        // The other colours and values have no glTF meaning; they are kept as they are.
        colour(",\"extras\":{\"color2\":", m.colour2);
        colour(",\"color3\":", m.colour3);
        colour(",\"color4\":", m.colour4);
        m_json.raw(",\"value1\":").integer(m.value1).raw(",\"value2\":").integer(m.value2).raw("}}");
    }
    for (const LevelMaterial& m : m_levelMaterials) {
        m_json.raw(first ? "{\"name\":" : ",{\"name\":").string(m.name);
        first = false;
        pbr(m.colour, m.alpha);
        if (m.alpha < 1.0) m_json.raw(",\"alphaMode\":\"BLEND\"");
        m_json.raw("}");
    }
    m_json.raw("]");
}

// Each mesh one primitive of the unit cube, named after its material.
void GltfWriter::writeMeshes()
{
    m_json.raw(",\"meshes\":[");
    for (std::size_t i = 0; i < m_meshes.size(); ++i) {
        const int material = m_meshes[i];
        const std::size_t index = static_cast<std::size_t>(material);
        const std::string name = material < 0 ? "box"
                                 : index < m_materials.size() ? m_materials[index].name
                                                              : m_levelMaterials[index - m_materials.size()].name;
        m_json.raw(i ? ",{\"name\":" : "{\"name\":").string(name)
            .raw(",\"primitives\":[{\"attributes\":{\"POSITION\":0,\"NORMAL\":1},\"indices\":2,\"mode\":4");
        if (material >= 0) m_json.raw(",\"material\":").integer(material);
        m_json.raw("}]}");
    }
    m_json.raw("],").raw(kCubeAccessors);
}

bool GltfWriter::finishContainer(const std::vector<unsigned char>& buffer)
{
    if (!m_binary) {
        if (!buffer.empty()) {
            m_json.raw(",\"buffers\":[{\"byteLength\":648,\"uri\":\"data:application/octet-stream;base64,")
                .raw(base64(buffer))
                .raw("\"}]");
        }
        m_json.raw("}\n");
        return m_json.flush() && !m_failed;
    }
    if (!buffer.empty()) m_json.raw(",\"buffers\":[{\"byteLength\":648}]");
    m_json.raw("}");
    const std::uint64_t length = m_json.written();
    m_measured = {length, !buffer.empty()};
    static const char spaces[] = "   ";
    m_json.raw(std::string_view(spaces, static_cast<std::size_t>((4 - length % 4) % 4)));
    if (!m_json.flush()) return false;
    if (!m_stream) return true;
    if (!buffer.empty()) {
        unsigned char chunk[8] = {0, 0, 0, 0, 'B', 'I', 'N', 0};  // the length, then the type "BIN" 0
        putUInt32(chunk, static_cast<std::uint32_t>(buffer.size()));
        if (std::fwrite(chunk, 1, 8, m_stream) != 8 || std::fwrite(buffer.data(), 1, buffer.size(), m_stream) != buffer.size()) {
            return false;
        }
    }
    assert(length == m_layout.jsonLength && !buffer.empty() == m_layout.withBuffer &&
           "the second pass over the scene writes what the first measured");
    return !m_failed;
}

// One line per kind of thing left out or assumed, in a fixed order, in the user's language.
std::vector<std::string> GltfWriter::warnings() const
{
    using messages::filledIn;
    std::vector<std::string> lines;
    if (unitsPerMetreOf(m_unit) <= 0.0) {
        lines.push_back(filledIn(_("unit code %s has no defined length: taken as millimetres (the wizard's unit is "
                                   "code 0)"),
                                 std::to_string(m_unit)));
    }
    if (m_rotated > 0) {
        lines.push_back(filledIn(P_("%s rotated object: the scene file does not define the unit or order of "
                                    "rotations; taken as %s",
                                    "%s rotated objects: the scene file does not define the unit or order of "
                                    "rotations; taken as %s",
                                    m_rotated),
                                 std::to_string(m_rotated), _(kRotationNote)));
    }
    if (m_nonFinite > 0) {
        lines.push_back(filledIn(P_("%s value not finite (NaN or infinity): written as 0, or 1 for scales and sizes",
                                    "%s values not finite (NaN or infinity): written as 0, or 1 for scales and sizes",
                                    m_nonFinite),
                                 std::to_string(m_nonFinite)));
    }
    if (m_degenerateCount > 0) {
        std::string names;
        for (const std::string& name : m_degenerate) names += (names.empty() ? "" : ", ") + name;
        const long more = m_degenerateCount - static_cast<long>(m_degenerate.size());
        if (more > 0) names += filledIn(_(" and %s more"), std::to_string(more));
        lines.push_back(filledIn(P_("%s box of no size along an axis, written without its body: %s",
                                    "%s boxes of no size along an axis, written without their bodies: %s",
                                    m_degenerateCount),
                                 std::to_string(m_degenerateCount), names));
    }
    if (m_textures > 0 || m_texturedBoxes > 0) {
        lines.push_back(filledIn(_("textures skipped: %s in the scene, %s to one"),
                                 filledIn(P_("%s texture", "%s textures", m_textures), std::to_string(m_textures)),
                                 filledIn(P_("%s box refers", "%s boxes refer", m_texturedBoxes),
                                          std::to_string(m_texturedBoxes))));
    }
    if (m_wraps > 0) {
        lines.push_back(filledIn(_("%s on %s skipped"),
                                 filledIn(P_("%s partial wrap", "%s partial wraps", m_wraps), std::to_string(m_wraps)),
                                 filledIn(P_("%s box", "%s boxes", m_wrappedBoxes), std::to_string(m_wrappedBoxes))));
    }
    if (m_danglingMaterials > 0) {
        lines.push_back(filledIn(P_("%s box refers to a material that is not in the scene: glTF's default material",
                                    "%s boxes refer to a material that is not in the scene: glTF's default material",
                                    m_danglingMaterials),
                                 std::to_string(m_danglingMaterials)));
    }
    const std::pair<long, const char*> items[] = {
        {m_lights, N_("lights skipped: %s")},           {m_views, N_("views skipped: %s")},
        {m_backgrounds, N_("backgrounds skipped: %s")}, {m_leads, N_("leads skipped: %s")},
        {m_sensors, N_("sensors skipped: %s")},         {m_actions, N_("frame actions skipped: %s")},
    };
    for (const auto& [count, what] : items) {
        if (count > 0) lines.push_back(filledIn(_(what), std::to_string(count)));
    }
    if (m_storeyVolumes == 0) lines.push_back(_("--levels: no frame is named as the wizard names a storey's levels; none drawn"));
    if (!m_emptyVolumes.empty()) {
        std::string names;
        for (const std::string& name : m_emptyVolumes) names += (names.empty() ? "" : ", ") + name;
        lines.push_back(filledIn(_("--levels: no width or depth (the building's box has none), left out: %s"), names));
    }
    if (m_unplacedLevels > 0) {
        lines.push_back(filledIn(_("--levels: rotated or scaled objects, the storeys placed by the sums of positions "
                                   "without their rotations and scales: %s"),
                                 std::to_string(m_unplacedLevels)));
    }
    return lines;
}

// ---------------------------------------------------------------------------------------------------
// [SECTION] The storeys (--levels)

// The material of one kind of level volume, in the section preview's colours: rooms translucent, so
// that the storeys behind and the slabs show through.
int GltfWriter::addLevelMaterial(LevelVolume::Kind kind)
{
    const bool room = kind != LevelVolume::Slab;
    const Rgb& c = kind == LevelVolume::MainRoom ? kMainRoomColour
                   : kind == LevelVolume::MezzanineRoom ? kMezzanineRoomColour : kSlabColour;
    const char* name = kind == LevelVolume::MainRoom ? "main floor room"
                       : kind == LevelVolume::MezzanineRoom ? "mezzanine room" : "slab";
    m_levelMaterials.push_back({name, c, room ? kRoomAlpha : 1.0});
    return static_cast<int>(m_materials.size() + m_levelMaterials.size() - 1);
}

// The node "levels": a child per room and slab, the unit cube placed at its centre and scaled to it. A
// volume of no extent along an axis is left out (named in a warning): glTF has no body of no size.
void GltfWriter::addLevels()
{
    SceneLevels levels;
    levels.storeys = std::move(m_storeys);
    levels.boxes = m_highest;
    levels.turned = m_turned;
    const std::vector<LevelVolume> volumes = levelVolumes(levels);
    m_storeyVolumes = static_cast<long>(volumes.size());
    m_unplacedLevels = volumes.empty() ? 0 : levels.turned;
    int materials[3] = {-1, -1, -1};  // by LevelVolume::Kind
    std::vector<int> children;
    for (const LevelVolume& v : volumes) {
        const Vec3 centre = toGltfAxes({(v.min.x + v.max.x) / 2, (v.min.y + v.max.y) / 2, (v.min.z + v.max.z) / 2});
        const Vec3 size = scaleToGltfAxes({v.max.x - v.min.x, v.max.y - v.min.y, v.max.z - v.min.z});
        const Vec3 scale{size.x / m_unitsPerMetre, size.y / m_unitsPerMetre, size.z / m_unitsPerMetre};
        const auto solid = [](double s) { return std::isfinite(s) && static_cast<float>(s) > 0.0f; };
        const bool finiteCentre = std::isfinite(centre.x) && std::isfinite(centre.y) && std::isfinite(centre.z);
        if (!solid(scale.x) || !solid(scale.y) || !solid(scale.z) || !finiteCentre) {
            m_emptyVolumes.push_back(v.name);
            continue;
        }
        int& material = materials[v.kind];
        if (material < 0) material = addLevelMaterial(v.kind);
        beginNode(v.name);
        m_json.raw(",\"mesh\":").integer(cubeMesh(material))
            .raw(",\"translation\":").vector3({centre.x / m_unitsPerMetre, centre.y / m_unitsPerMetre, centre.z / m_unitsPerMetre})
            .raw(",\"scale\":").vector3(scale)
            .raw("}");
        children.push_back(m_nodes++);
    }
    beginNode("levels");
    if (!children.empty()) {
        m_json.raw(",\"children\":[");
        for (std::size_t i = 0; i < children.size(); ++i) m_json.raw(i ? "," : "").integer(children[i]);
        m_json.raw("]");
    }
    m_json.raw(",\"extras\":{\"note\":").string(kLevelsNote).raw("}}");
    m_sceneNodes.push_back(m_nodes++);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// [SECTION] Entry points

GltfContainer gltfContainerFor(const std::string& path)
{
    if (path.size() < 5) return GltfContainer::Binary;
    std::string ext = path.substr(path.size() - 5);
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".gltf" ? GltfContainer::Json : GltfContainer::Binary;
}

namespace {

// Streams the scene that `parse` reads into `stream`, in `container`: `parse` takes one visitor (a
// JSON file, written in one pass) or two (a .glb: the first measures, the second writes). The
// result's refusal is the parse's; `written` false with no refusal when a write failed.
template <typename Parse>
GltfWriteResult streamGltf(Parse parse, std::FILE* stream, GltfContainer container, const GltfOptions& options)
{
    GltfWriteResult result;
    std::unique_ptr<GltfWriter> writer;
    scenefile::ParseResult parsed;
    if (container == GltfContainer::Json) {
        writer = std::make_unique<GltfWriter>(stream, container, options);
        parsed = parse(writer.get(), nullptr);
    } else {
        // The second writer is made when the first has measured: the visitor given second is called
        // only after the first pass has ended, and its first record is the header.
        GltfWriter measure(nullptr, container, options);
        struct SecondPass : scenefile::SceneVisitor {
            GltfWriter& measure;
            std::unique_ptr<GltfWriter>& writer;
            std::FILE* stream;
            GltfContainer container;
            const GltfOptions& options;
            SecondPass(GltfWriter& m, std::unique_ptr<GltfWriter>& w, std::FILE* s, GltfContainer c, const GltfOptions& o)
                : measure(m), writer(w), stream(s), container(c), options(o)
            {
            }
            // The first record of the second pass: the first pass is complete.
            void header(const scenefile::HeaderRecord& r) override
            {
                measure.finish();
                writer = std::make_unique<GltfWriter>(stream, container, options, measure.glbLayout());
                writer->header(r);
            }
            // Every other record goes straight to the writer that the header made.
            void material(const scenefile::MaterialRecord& r) override { writer->material(r); }
            void texture(const scenefile::TextureRecord& r) override { writer->texture(r); }
            void frameBegin(const scenefile::FrameRecord& r) override { writer->frameBegin(r); }
            void shape(const scenefile::ShapeRecord& r) override { writer->shape(r); }
            void frameTail(const scenefile::FrameTailRecord& r) override { writer->frameTail(r); }
            void frameEnd(const scenefile::FrameRecord& r) override { writer->frameEnd(r); }
            void light(const scenefile::LightRecord& r) override { writer->light(r); }
            void view(const scenefile::ViewRecord& r) override { writer->view(r); }
            void background(const scenefile::BackgroundRecord& r) override { writer->background(r); }
            void lead(const scenefile::LeadRecord& r) override { writer->lead(r); }
            void sensor(const scenefile::SensorRecord& r) override { writer->sensor(r); }
            void end() override { writer->end(); }
        };
        SecondPass second(measure, writer, stream, container, options);
        parsed = parse(&measure, &second);
    }
    if (!parsed.accepted()) {
        result.refusal = parsed.error;
        return result;
    }
    assert(writer && "an accepted scene file has a header");
    result.warnings = writer->warnings();
    result.defaultedNames = writer->defaultedNames();
    result.written = writer->complete() && writer->finish();
    return result;
}

}  // namespace

GltfWriteResult exportGltf(const std::string& scenePath, const std::string& utf8Path, const GltfOptions& options,
                           const scenefile::ParseOptions& parseOptions)
{
    fileio::OutputFile file(utf8Path);
    std::FILE* stream = file.open();
    if (!stream) {
        GltfWriteResult result;
        result.error = cannotWrite(file.error());
        return result;
    }
    GltfWriteResult result = streamGltf(
        [&](scenefile::SceneVisitor* first, scenefile::SceneVisitor* second) {
            return second ? scenefile::parseSceneFileChecked(scenePath, *first, *second, parseOptions)
                          : scenefile::parseSceneFile(scenePath, *first, parseOptions);
        },
        stream, gltfContainerFor(utf8Path), options);
    // A refused scene leaves the target as it was: the output file's destructor removes the temporary.
    if (!result.refusal.empty()) return result;
    if (!result.written || !file.commit()) {
        result.written = false;
        result.error = cannotWrite(file.error());
    }
    return result;
}

GltfExport gltfFromSceneBytes(std::string_view sceneBytes, GltfContainer container, const GltfOptions& options)
{
    GltfExport gltf;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::tmpfile(), &std::fclose);
    if (!stream) return gltf;
    GltfWriteResult result = streamGltf(
        [&](scenefile::SceneVisitor* first, scenefile::SceneVisitor* second) {
            scenefile::ParseResult parsed = scenefile::parseScene(sceneBytes, *first);
            return parsed.accepted() && second ? scenefile::parseScene(sceneBytes, *second) : parsed;
        },
        stream.get(), container, options);
    gltf.warnings = std::move(result.warnings);
    if (!result.written || std::fseek(stream.get(), 0, SEEK_SET) != 0) return gltf;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, stream.get())) > 0;) gltf.bytes.append(buffer, got);
    return gltf;
}

namespace {

// A built scene's file bytes, in the encoding the process's mode switch selects.
std::string sceneBytesOf(const CWScene& scene)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(std::tmpfile(), &std::fclose);
    std::string bytes;
    if (!stream) return bytes;
    try {
        const_cast<CWScene&>(scene).Write(stream.get());  // Write changes nothing of the scene
    } catch (const std::exception&) {
        return bytes;  // a scene the writer refuses (no root frame) gives no glTF
    }
    if (std::fseek(stream.get(), 0, SEEK_SET) != 0) return bytes;
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, stream.get())) > 0;) bytes.append(buffer, got);
    return bytes;
}

}  // namespace

GltfExport gltfFromScene(const CWScene& scene, GltfContainer container, const GltfOptions& options)
{
    return gltfFromSceneBytes(sceneBytesOf(scene), container, options);
}

GltfWriteResult exportGltf(const CWScene& scene, const std::string& utf8Path, const GltfOptions& options)
{
    GltfWriteResult result;
    GltfExport gltf = gltfFromScene(scene, gltfContainerFor(utf8Path), options);
    result.warnings = std::move(gltf.warnings);
    result.error = writeWholeFile(utf8Path, gltf.bytes);
    result.written = result.error.empty() && !gltf.bytes.empty();
    return result;
}

}  // namespace cwstool
