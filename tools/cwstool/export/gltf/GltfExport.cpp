// GltfExport.cpp - the glTF 2.0 export of `cwstool export` (see GltfExport.h; the mapping for users is
// docs/gltf-export.md).
//
// Sections of this file:
//   [SECTION] Conventions: axes, length unit, rotations, colour
//   [SECTION] The unit cube every box is drawn with
//   [SECTION] Building the model
//   [SECTION] The storeys (--levels)
//   [SECTION] Encoding and writing
#include "tools/cwstool/export/gltf/GltfExport.h"

#include <cwscene/Version.h>

#include <cwscene/Scene.h>
#include "text/Messages.h"
#include <cwscene/ShiftJis.h>
#include "tools/cwstool/export/gltf/LevelVolumes.h"
#include "tools/cwstool/output/WholeFile.h"

#include <tiny_gltf.h>

#include <cmath>      // isfinite, fabs, fmod, sin, cos, pow, sqrt
#include <cstdint>
#include <cstring>    // memcpy
#include <exception>
#include <map>
#include <new>       // bad_alloc
#include <sstream>

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

// ---------------------------------------------------------------------------------------------------
// [SECTION] Building the model

bool isZero(const CWCoord& c) { return c.m_x == 0.0f && c.m_y == 0.0f && c.m_z == 0.0f; }

// A 32-bit word of the scene as a JSON number: an integer where it fits one.
tinygltf::Value wordValue(std::uint32_t word)
{
    if (word <= 0x7FFFFFFFu) return tinygltf::Value(static_cast<int>(word));
    return tinygltf::Value(static_cast<double>(word));
}

tinygltf::Value colourValue(const CWMaterial::Color& c)
{
    return tinygltf::Value(tinygltf::Value::Array{tinygltf::Value(c[0]), tinygltf::Value(c[1]), tinygltf::Value(c[2])});
}

struct ModelBuilder {
    const CWScene& scene;
    const GltfOptions options;
    tinygltf::Model model;
    double unitsPerMetre = kAssumedUnitsPerMetre;  // scene units per metre
    std::map<int, int> meshByMaterial;      // glTF material index (-1: none) -> mesh
    int cubePositions = -1;                 // accessors of the unit cube, made with the first box
    int cubeNormals = -1;
    int cubeIndices = -1;

    // What the warnings count.
    long rotated = 0;             // frames and boxes with a rotation
    long nonFinite = 0;           // NaN and infinite values replaced
    long danglingMaterials = 0;   // boxes whose material index is not in the list
    long texturedBoxes = 0;       // boxes with a texture of their own
    long wraps = 0, wrappedBoxes = 0;
    long actions = 0;             // frames with an action of at least one step
    std::map<std::string, long> otherShapes;  // type tag -> count
    long storeyVolumes = -1;      // with --levels: the rooms and slabs drawn
    long unplacedLevels = 0;      // with --levels: rotated or scaled objects, placed without those

    ModelBuilder(const CWScene& s, const GltfOptions& o) : scene(s), options(o) {}

    // The value, or `fallback` for NaN and infinities (counted).
    double finiteOr(float value, double fallback)
    {
        if (std::isfinite(value)) return value;
        ++nonFinite;
        return fallback;
    }

    Vec3 finite(const CWCoord& c, double fallback)
    {
        return {finiteOr(c.m_x, fallback), finiteOr(c.m_y, fallback), finiteOr(c.m_z, fallback)};
    }

    // A node's translation, rotation and scale from the scene's position (in scene units), rotation and
    // scale; each left out where it is glTF's default.
    void setTransform(tinygltf::Node& node, const CWCoord& position, const CWCoord& rotation, const Vec3& scale)
    {
        if (!isZero(position)) {
            Vec3 t = toGltfAxes(finite(position, 0.0));
            // + 0.0: the axis swap turns y = 0 into -0, which would be written as "-0.0".
            node.translation = {t.x / unitsPerMetre + 0.0, t.y / unitsPerMetre + 0.0, t.z / unitsPerMetre + 0.0};
        }
        if (!isZero(rotation)) {
            ++rotated;
            Quat q = rotationQuat(finite(rotation, 0.0));
            node.rotation = {q.x, q.y, q.z, q.w};
        }
        Vec3 s = scaleToGltfAxes(scale);
        if (s.x != 1.0 || s.y != 1.0 || s.z != 1.0) node.scale = {s.x, s.y, s.z};
    }

    void addMaterials()
    {
        for (std::size_t i = 0; i < scene.materialCount(); ++i) {
            const CWMaterial& source = scene.material(i);
            tinygltf::Material material;
            material.name = utf8Of(source.name());  // never empty: registration names it ("新規色n")
            const CWMaterial::Color& c = source.color1();
            material.pbrMetallicRoughness.baseColorFactor = {srgbToLinear(c[0]), srgbToLinear(c[1]), srgbToLinear(c[2]),
                                                             1.0};
            material.pbrMetallicRoughness.metallicFactor = 0.0;  // the file has no such property: a matte non-metal
            material.pbrMetallicRoughness.roughnessFactor = 1.0;
            // The other colours and values have no glTF meaning; they are kept as they are.
            material.extras = tinygltf::Value(tinygltf::Value::Object{
                {"color2", colourValue(source.color2())},
                {"color3", colourValue(source.color3())},
                {"color4", colourValue(source.color4())},
                {"value1", tinygltf::Value(source.value1())},
                {"value2", tinygltf::Value(source.value2())},
            });
            model.materials.push_back(std::move(material));
        }
    }

    // The unit cube's buffer, views and accessors: positions, normals, 16-bit indices.
    void addCubeGeometry()
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

        tinygltf::Buffer buffer;
        const auto addView = [&](const std::vector<unsigned char>& bytes, int target) {
            tinygltf::BufferView view;
            view.buffer = 0;
            view.byteOffset = buffer.data.size();
            view.byteLength = bytes.size();
            view.target = target;
            buffer.data.insert(buffer.data.end(), bytes.begin(), bytes.end());
            model.bufferViews.push_back(view);
            return static_cast<int>(model.bufferViews.size() - 1);
        };
        const auto addAccessor = [&](int view, int componentType, int type, int count) {
            tinygltf::Accessor accessor;
            accessor.bufferView = view;
            accessor.componentType = componentType;
            accessor.type = type;
            accessor.count = static_cast<std::size_t>(count);
            model.accessors.push_back(accessor);
            return static_cast<int>(model.accessors.size() - 1);
        };
        cubePositions = addAccessor(addView(positions, TINYGLTF_TARGET_ARRAY_BUFFER), TINYGLTF_COMPONENT_TYPE_FLOAT,
                                    TINYGLTF_TYPE_VEC3, kCubeVertices);
        model.accessors[static_cast<std::size_t>(cubePositions)].minValues = {-0.5, -0.5, -0.5};
        model.accessors[static_cast<std::size_t>(cubePositions)].maxValues = {0.5, 0.5, 0.5};
        cubeNormals = addAccessor(addView(normals, TINYGLTF_TARGET_ARRAY_BUFFER), TINYGLTF_COMPONENT_TYPE_FLOAT,
                                  TINYGLTF_TYPE_VEC3, kCubeVertices);
        cubeIndices = addAccessor(addView(indices, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER),
                                  TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_SCALAR, kCubeIndices);
        model.buffers.push_back(std::move(buffer));
    }

    // The mesh of the unit cube in this glTF material (-1: glTF's default), as one primitive, named after
    // the material. Everything drawn in one material shares it.
    int cubeMesh(int material)
    {
        auto found = meshByMaterial.find(material);
        if (found != meshByMaterial.end()) return found->second;

        if (cubePositions < 0) addCubeGeometry();
        tinygltf::Primitive primitive;
        primitive.attributes["POSITION"] = cubePositions;
        primitive.attributes["NORMAL"] = cubeNormals;
        primitive.indices = cubeIndices;
        primitive.mode = TINYGLTF_MODE_TRIANGLES;
        primitive.material = material;
        tinygltf::Mesh mesh;
        mesh.name = material >= 0 ? model.materials[static_cast<std::size_t>(material)].name : "box";
        mesh.primitives.push_back(std::move(primitive));
        model.meshes.push_back(std::move(mesh));
        const int index = static_cast<int>(model.meshes.size() - 1);
        meshByMaterial[material] = index;
        return index;
    }

    // The mesh of boxes with this scene material; one that is not in the list is counted and drawn in
    // glTF's default material.
    int boxMesh(std::int16_t materialIndex)
    {
        const bool known = materialIndex >= 0 && static_cast<std::size_t>(materialIndex) < scene.materialCount();
        if (!known && materialIndex != -1) ++danglingMaterials;
        return cubeMesh(known ? materialIndex : -1);
    }

    // A box as a node of the unit cube: placed at its centre, scaled to its size. -1 for a shape that
    // is not a box (counted and skipped).
    int addShape(const CWPrimitiveShape& shape)
    {
        if (!dynamic_cast<const CWCube*>(&shape)) {
            ++otherShapes[utf8Of(shape.typeTag())];
            return -1;
        }
        if (!shape.partialWraps().empty()) {
            wraps += static_cast<long>(shape.partialWraps().size());
            ++wrappedBoxes;
        } else if (shape.textureIndex() >= 0) {
            ++texturedBoxes;
        }
        tinygltf::Node node;
        node.name = utf8Of(shape.name());
        node.mesh = boxMesh(shape.materialIndex());
        // Sizes are extents: a negative size spans the same box. In metres, like the translation.
        const Vec3 size = finite(shape.size(), 1.0);
        const Vec3 extent{std::fabs(size.x) / unitsPerMetre, std::fabs(size.y) / unitsPerMetre,
                          std::fabs(size.z) / unitsPerMetre};
        setTransform(node, shape.position(), shape.rotation(), extent);
        model.nodes.push_back(std::move(node));
        return static_cast<int>(model.nodes.size() - 1);
    }

    // A frame and everything below it, depth first; returns the frame's node. Its children are its boxes,
    // then its child frames, in file order.
    int addFrame(const CWFrame& frame)
    {
        tinygltf::Node node;
        node.name = utf8Of(frame.name());  // never empty: adding a frame names it ("新規パーツ")
        setTransform(node, frame.position(), frame.rotation(), finite(frame.scale(), 1.0));
        const auto& lock = frame.lock();
        node.extras = tinygltf::Value(tinygltf::Value::Object{
            {"layer", tinygltf::Value(frame.layer())},
            {"partId", tinygltf::Value(frame.partId())},
            {"partId2", tinygltf::Value(frame.partId2())},
            {"visible", tinygltf::Value(frame.visible())},
            {"lock", tinygltf::Value(tinygltf::Value::Array{wordValue(lock[0]), wordValue(lock[1]), wordValue(lock[2])})},
        });
        if (frame.action() && frame.action()->paramCount() > 0) ++actions;  // an action without steps is not in the file
        model.nodes.push_back(std::move(node));
        const std::size_t index = model.nodes.size() - 1;

        std::vector<int> children;
        for (std::size_t i = 0; i < frame.shapeCount(); ++i) {
            int box = addShape(frame.shape(i));
            if (box >= 0) children.push_back(box);
        }
        for (std::size_t i = 0; i < frame.childCount(); ++i) children.push_back(addFrame(frame.child(i)));
        model.nodes[index].children = std::move(children);
        return static_cast<int>(index);
    }

    std::string unitNote(double defined) const
    {
        if (defined > 0.0) return "unit code " + std::to_string(scene.unit()) + ": millimetres";
        return "unit code " + std::to_string(scene.unit()) + " has no defined length: taken as millimetres";
    }

    void build()
    {
        const double defined = unitsPerMetreOf(scene.unit());
        unitsPerMetre = defined > 0.0 ? defined : kAssumedUnitsPerMetre;

        model.asset.version = "2.0";
        model.asset.generator = "cwstool " CWSCENE_VERSION;
        model.asset.extras = tinygltf::Value(tinygltf::Value::Object{
            {"unitCode", tinygltf::Value(static_cast<int>(scene.unit()))},
            {"unit", tinygltf::Value(unitNote(defined))},
            {"metresPerUnit", tinygltf::Value(1.0 / unitsPerMetre)},
            {"axes", tinygltf::Value(std::string(kAxesNote))},
            {"rotation", tinygltf::Value(std::string(kRotationNote))},
        });
        addMaterials();
        tinygltf::Scene gltfScene;
        if (const CWFrame* root = scene.rootFrame()) gltfScene.nodes.push_back(addFrame(*root));
        if (options.levels) gltfScene.nodes.push_back(addLevels());
        model.scenes.push_back(std::move(gltfScene));
        model.defaultScene = 0;
    }

    // One line per kind of thing left out or assumed, in a fixed order, in the user's language.
    std::vector<std::string> warnings() const
    {
        using messages::filledIn;
        std::vector<std::string> lines;
        if (unitsPerMetreOf(scene.unit()) <= 0.0) {
            lines.push_back(filledIn(_("unit code %s has no defined length: taken as millimetres (the wizard's unit is "
                                       "code 0)"),
                                     std::to_string(scene.unit())));
        }
        if (rotated > 0) {
            lines.push_back(filledIn(P_("%s rotated object: the scene file does not define the unit or order of "
                                        "rotations; taken as %s",
                                        "%s rotated objects: the scene file does not define the unit or order of "
                                        "rotations; taken as %s",
                                        rotated),
                                     std::to_string(rotated), _(kRotationNote)));
        }
        if (nonFinite > 0) {
            lines.push_back(filledIn(P_("%s value not finite (NaN or infinity): written as 0, or 1 for scales and sizes",
                                        "%s values not finite (NaN or infinity): written as 0, or 1 for scales and sizes",
                                        nonFinite),
                                     std::to_string(nonFinite)));
        }
        if (!otherShapes.empty()) {
            long count = 0;
            std::string kinds;
            for (const auto& [tag, n] : otherShapes) {
                count += n;
                kinds += (kinds.empty() ? "" : ", ") + tag + " " + std::to_string(n);
            }
            lines.push_back(filledIn(P_("%s shape other than boxes skipped (%s)", "%s shapes other than boxes skipped (%s)",
                                        count),
                                     std::to_string(count), kinds));
        }
        if (scene.textureCount() > 0 || texturedBoxes > 0) {
            const long textures = static_cast<long>(scene.textureCount());
            lines.push_back(filledIn(_("textures skipped: %s in the scene, %s to one"),
                                     filledIn(P_("%s texture", "%s textures", textures), std::to_string(textures)),
                                     filledIn(P_("%s box refers", "%s boxes refer", texturedBoxes),
                                              std::to_string(texturedBoxes))));
        }
        if (wraps > 0) {
            lines.push_back(filledIn(_("%s on %s skipped"),
                                     filledIn(P_("%s partial wrap", "%s partial wraps", wraps), std::to_string(wraps)),
                                     filledIn(P_("%s box", "%s boxes", wrappedBoxes), std::to_string(wrappedBoxes))));
        }
        if (danglingMaterials > 0) {
            lines.push_back(filledIn(P_("%s box refers to a material that is not in the scene: glTF's default material",
                                        "%s boxes refer to a material that is not in the scene: glTF's default material",
                                        danglingMaterials),
                                     std::to_string(danglingMaterials)));
        }
        const std::pair<std::size_t, const char*> items[] = {
            {scene.lightCount(), N_("lights skipped: %s")},   {scene.viewCount(), N_("views skipped: %s")},
            {scene.backgroundCount(), N_("backgrounds skipped: %s")}, {scene.leadCount(), N_("leads skipped: %s")},
            {scene.sensorCount(), N_("sensors skipped: %s")},
            {static_cast<std::size_t>(actions), N_("frame actions skipped: %s")},
        };
        for (const auto& [count, what] : items) {
            if (count > 0) lines.push_back(filledIn(_(what), std::to_string(count)));
        }
        if (storeyVolumes == 0) lines.push_back(_("--levels: no frame is named as the wizard names a storey's levels; none drawn"));
        if (unplacedLevels > 0) {
            lines.push_back(filledIn(_("--levels: rotated or scaled objects, the storeys placed by the sums of positions "
                                       "without their rotations and scales: %s"),
                                     std::to_string(unplacedLevels)));
        }
        return lines;
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] The storeys (--levels)

    // The material of one kind of level volume, in the section preview's colours: rooms translucent, so
    // that the storeys behind and the slabs show through.
    int addLevelMaterial(LevelVolume::Kind kind)
    {
        const bool room = kind != LevelVolume::Slab;
        const Rgb& c = kind == LevelVolume::MainRoom ? kMainRoomColour
                       : kind == LevelVolume::MezzanineRoom ? kMezzanineRoomColour : kSlabColour;
        tinygltf::Material material;
        material.name = kind == LevelVolume::MainRoom ? "main floor room"
                        : kind == LevelVolume::MezzanineRoom ? "mezzanine room" : "slab";
        material.pbrMetallicRoughness.baseColorFactor = {srgbToLinear(c[0]), srgbToLinear(c[1]), srgbToLinear(c[2]),
                                                         room ? kRoomAlpha : 1.0};
        material.pbrMetallicRoughness.metallicFactor = 0.0;
        material.pbrMetallicRoughness.roughnessFactor = 1.0;
        if (room) material.alphaMode = "BLEND";
        model.materials.push_back(std::move(material));
        return static_cast<int>(model.materials.size() - 1);
    }

    // The node "levels": a child per room and slab, the unit cube placed at its centre and scaled to it.
    int addLevels()
    {
        const SceneLevels levels = sceneLevels(scene);
        const std::vector<LevelVolume> volumes = levelVolumes(levels);
        storeyVolumes = static_cast<long>(volumes.size());
        unplacedLevels = volumes.empty() ? 0 : levels.turned;
        int materials[3] = {-1, -1, -1};  // by LevelVolume::Kind
        std::vector<int> children;
        for (const LevelVolume& v : volumes) {
            int& material = materials[v.kind];
            if (material < 0) material = addLevelMaterial(v.kind);
            tinygltf::Node node;
            node.name = v.name;
            node.mesh = cubeMesh(material);
            const Vec3 centre = toGltfAxes({(v.min.x + v.max.x) / 2, (v.min.y + v.max.y) / 2, (v.min.z + v.max.z) / 2});
            const Vec3 size = scaleToGltfAxes({v.max.x - v.min.x, v.max.y - v.min.y, v.max.z - v.min.z});
            // + 0.0: no "-0.0" from the axis swap.
            node.translation = {centre.x / unitsPerMetre + 0.0, centre.y / unitsPerMetre + 0.0, centre.z / unitsPerMetre + 0.0};
            node.scale = {size.x / unitsPerMetre, size.y / unitsPerMetre, size.z / unitsPerMetre};
            model.nodes.push_back(std::move(node));
            children.push_back(static_cast<int>(model.nodes.size() - 1));
        }
        tinygltf::Node group;
        group.name = "levels";
        group.extras = tinygltf::Value(tinygltf::Value::Object{{"note", tinygltf::Value(std::string(kLevelsNote))}});
        group.children = std::move(children);
        model.nodes.push_back(std::move(group));
        return static_cast<int>(model.nodes.size() - 1);
    }
};

}  // namespace

// ---------------------------------------------------------------------------------------------------
// [SECTION] Encoding and writing

GltfContainer gltfContainerFor(const std::string& path)
{
    if (path.size() < 5) return GltfContainer::Binary;
    std::string ext = path.substr(path.size() - 5);
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".gltf" ? GltfContainer::Json : GltfContainer::Binary;
}

GltfExport gltfFromScene(const CWScene& scene, GltfContainer container, const GltfOptions& options)
{
    ModelBuilder builder(scene, options);
    builder.build();
    GltfExport result;
    result.warnings = builder.warnings();
    tinygltf::TinyGLTF writer;
    std::ostringstream out;
    const bool binary = container == GltfContainer::Binary;
    writer.WriteGltfSceneToStream(&builder.model, out, /*prettyPrint=*/!binary, /*writeBinary=*/binary);
    result.bytes = out.str();
    return result;
}

GltfWriteResult exportGltf(const CWScene& scene, const std::string& utf8Path, const GltfOptions& options)
{
    GltfWriteResult result;
    GltfExport gltf;
    try {
        gltf = gltfFromScene(scene, gltfContainerFor(utf8Path), options);
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        // The JSON writer refuses text that is not UTF-8; names are converted from Shift-JIS, so this
        // happens only where the system has no CP932 table and the names stay as they were.
        result.error = messages::filledIn(_("cannot encode the glTF: %s"), e.what());
        return result;
    }
    result.warnings = std::move(gltf.warnings);
    result.error = writeWholeFile(utf8Path, gltf.bytes);
    result.written = result.error.empty();
    return result;
}

}  // namespace cwstool
