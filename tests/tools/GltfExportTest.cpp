// Tests for cwstool's glTF export (tools/cwstool/GltfExport.h, ExportCommand.h): the files are read
// back with tinygltf and checked against the scene (names, hierarchy, world-space bounds of every box,
// colours, the storeys of --levels), the warnings name what is left out or assumed, and the Khronos
// glTF Validator accepts the files with no error and no warning. The command line's refusals (an
// output name of no format) are here for IFC too.
#include "tools/cwstool/Commands.h"
#include "tools/cwstool/export/gltf/GltfExport.h"
#include "CwstoolRun.h"
#include "NodeTools.h"

#include "builder/CommandLineRecord.h"
#include "builder/ParamFile.h"  // SetDefaultParams
#include "builder/ParamRows.h"
#include "builder/Registry.h"
#include "builder/SceneBuilder.h"

#include <cwscene/Scene.h>
#include <cwscene/SceneItems.h>
#include "testutil/Hex.h"

#include <tiny_gltf.h>

#include <gtest/gtest.h>

#include <algorithm>  // min, max, find_if
#include <array>
#include <cmath>      // NAN, INFINITY
#include <cstdio>     // sscanf
#include <cstdlib>    // getenv, system
#include <cstring>    // memcpy
#include <functional>
#include <limits>
#include <iterator>   // size
#include <sstream>
#include <string>
#include <vector>

namespace {

using cwstooltest::cwstool;
using cwstooltest::golden;
using cwstooltest::Outcome;

// ---------------------------------------------------------------------------------------------------
// Reading a glTF back: every node with its world matrix (column-major, as glTF writes matrices).
using Mat4 = std::array<double, 16>;

Mat4 multiply(const Mat4& a, const Mat4& b)
{
    Mat4 m{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) m[c * 4 + r] += a[k * 4 + r] * b[c * 4 + k];
    return m;
}

// T * R * S of a node.
Mat4 localMatrix(const tinygltf::Node& node)
{
    Mat4 t{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (node.translation.size() == 3) t[12] = node.translation[0], t[13] = node.translation[1], t[14] = node.translation[2];
    Mat4 r{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (node.rotation.size() == 4) {
        const double x = node.rotation[0], y = node.rotation[1], z = node.rotation[2], w = node.rotation[3];
        r = {1 - 2 * (y * y + z * z), 2 * (x * y + z * w),     2 * (x * z - y * w),     0,
             2 * (x * y - z * w),     1 - 2 * (x * x + z * z), 2 * (y * z + x * w),     0,
             2 * (x * z + y * w),     2 * (y * z - x * w),     1 - 2 * (x * x + y * y), 0,
             0,                       0,                       0,                       1};
    }
    Mat4 s{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (node.scale.size() == 3) s[0] = node.scale[0], s[5] = node.scale[1], s[10] = node.scale[2];
    return multiply(t, multiply(r, s));
}

struct Placed {
    int node;
    int parent;   // -1 for a scene root
    int depth;
    Mat4 world;
};

std::vector<Placed> placeNodes(const tinygltf::Model& model)
{
    std::vector<Placed> placed;
    const Mat4 identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::function<void(int, int, int, const Mat4&)> walk = [&](int node, int parent, int depth, const Mat4& base) {
        Mat4 world = multiply(base, localMatrix(model.nodes.at(static_cast<std::size_t>(node))));
        placed.push_back({node, parent, depth, world});
        for (int child : model.nodes[static_cast<std::size_t>(node)].children) walk(child, node, depth + 1, world);
    };
    for (int root : model.scenes.at(0).nodes) walk(root, -1, 0, identity);
    return placed;
}

struct Bounds {
    std::array<double, 3> min, max;
};

// The world-space bounds of a mesh node: its POSITION accessor's box, corner by corner.
Bounds worldBounds(const tinygltf::Model& model, const Placed& p)
{
    const tinygltf::Mesh& mesh = model.meshes.at(static_cast<std::size_t>(model.nodes[static_cast<std::size_t>(p.node)].mesh));
    const tinygltf::Accessor& a = model.accessors.at(static_cast<std::size_t>(mesh.primitives.at(0).attributes.at("POSITION")));
    Bounds b{{1e300, 1e300, 1e300}, {-1e300, -1e300, -1e300}};
    for (int corner = 0; corner < 8; ++corner) {
        double v[3];
        for (int i = 0; i < 3; ++i) v[i] = (corner >> i & 1) ? a.maxValues.at(static_cast<std::size_t>(i)) : a.minValues.at(static_cast<std::size_t>(i));
        for (int r = 0; r < 3; ++r) {
            double w = p.world[12 + r] + p.world[r] * v[0] + p.world[4 + r] * v[1] + p.world[8 + r] * v[2];
            b.min[static_cast<std::size_t>(r)] = std::min(b.min[static_cast<std::size_t>(r)], w);
            b.max[static_cast<std::size_t>(r)] = std::max(b.max[static_cast<std::size_t>(r)], w);
        }
    }
    return b;
}

void expectBounds(const Bounds& actual, const Bounds& expected)
{
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(actual.min[static_cast<std::size_t>(i)], expected.min[static_cast<std::size_t>(i)], 1e-6) << "min " << i;
        EXPECT_NEAR(actual.max[static_cast<std::size_t>(i)], expected.max[static_cast<std::size_t>(i)], 1e-6) << "max " << i;
    }
}

// The values of a float or 16-bit index accessor, as doubles.
std::vector<double> accessorValues(const tinygltf::Model& model, int index)
{
    const tinygltf::Accessor& a = model.accessors.at(static_cast<std::size_t>(index));
    const tinygltf::BufferView& view = model.bufferViews.at(static_cast<std::size_t>(a.bufferView));
    const unsigned char* data = model.buffers.at(static_cast<std::size_t>(view.buffer)).data.data() + view.byteOffset + a.byteOffset;
    const std::size_t components = static_cast<std::size_t>(tinygltf::GetNumComponentsInType(static_cast<std::uint32_t>(a.type)));
    std::vector<double> values;
    for (std::size_t i = 0; i < a.count * components; ++i) {
        if (a.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT) {
            float f;
            std::memcpy(&f, data + 4 * i, 4);
            values.push_back(f);
        } else {
            values.push_back(data[2 * i] | data[2 * i + 1] << 8);
        }
    }
    return values;
}

tinygltf::Model loadGltf(const std::string& bytes)
{
    tinygltf::TinyGLTF loader;
    tinygltf::Model model;
    std::string error, warning;
    const bool binary = bytes.compare(0, 4, "glTF") == 0;
    bool ok = binary ? loader.LoadBinaryFromMemory(&model, &error, &warning, reinterpret_cast<const unsigned char*>(bytes.data()),
                                                   static_cast<unsigned int>(bytes.size()))
                     : loader.LoadASCIIFromString(&model, &error, &warning, bytes.data(),
                                                  static_cast<unsigned int>(bytes.size()), "");
    EXPECT_TRUE(ok) << error;
    EXPECT_EQ(warning, "");
    return model;
}

// ---------------------------------------------------------------------------------------------------
// Scenes

// Nested frames, four materials (the last unnamed) and 1000 boxes: ten frames side by side along x,
// each holding an inner frame 3 m up with 100 boxes; the inner frame of the fourth is stretched twice
// along y (the depth, glTF's Z). Box i of frame f: centre (100 i, 250 (i % 7), 40 f) mm in its frame, size (50 + i, 40, 30 + f).
constexpr double kStretch = 2.0;

void buildLargeScene(CWScene& scene)
{
    for (int m = 0; m < 4; ++m) {
        CWMaterial material;
        if (m < 3) material.SetName(("M" + std::to_string(m)).c_str());
        material.SetColor1(static_cast<std::uint8_t>(60 * m), 128, 255);
        scene.AddMaterial(material);
    }
    CWFrame root;
    root.SetName("root");
    for (int f = 0; f < 10; ++f) {
        CWFrame inner;
        inner.SetName(("F" + std::to_string(f) + " inner").c_str());
        inner.SetPosition(0, 0, 3000);
        if (f == 3) inner.SetScale(1, static_cast<float>(kStretch), 1);
        for (int i = 0; i < 100; ++i) {
            CWCube box;
            box.SetName(("B" + std::to_string(f) + "-" + std::to_string(i)).c_str());
            box.SetPosition(static_cast<float>(100 * i), static_cast<float>(250 * (i % 7)), static_cast<float>(40 * f));
            box.SetSize(static_cast<float>(50 + i), 40, static_cast<float>(30 + f));
            box.SetMaterialIndex(static_cast<std::int16_t>(i % 4));
            inner.AddShape(box);
        }
        CWFrame outer;
        outer.SetName(("F" + std::to_string(f)).c_str());
        outer.SetPosition(static_cast<float>(20000 * f), 0, 0);
        outer.AddChild(inner);
        root.AddChild(outer);
    }
    scene.SetUnit(0);
    scene.SetRootFrame(root);
}

// ---------------------------------------------------------------------------------------------------
// Tests

TEST(GltfExport, WizardSceneComesBackWithItsNamesHeightsBoxesAndColours)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    Outcome result = cwstool({"export", dir.file("zendel.cws"), dir.file("z.glb")});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");  // the wizard's scene needs no assumption and loses nothing
    EXPECT_EQ(result.out, "");
    const tinygltf::Model model = loadGltf(testutil::readFile(dir.file("z.glb")));

    // The frames from the outside in, with their accumulated heights in mm (the default dimensions).
    const char* names[25] = {"エクステリア", "4階屋根", "中4階屋根", "4階天井", "4階インテリア", "4階間取り", "中4階天井",
                             "中4階インテリア", "中4階間取り", "3階天井", "3階インテリア", "3階間取り", "中3階天井",
                             "中3階インテリア", "中3階間取り", "2階天井", "2階インテリア", "2階間取り", "中2階天井",
                             "中2階インテリア", "中2階間取り", "1階天井", "1階インテリア", "1階間取り", "基礎・敷地"};
    const double heights[25] = {0,    11960, 10510, 11710, 9310, 9060, 10260, 7860, 7610, 8810, 6410, 6160, 7360,
                                4960, 4710,  5910,  3510,  3260, 4460, 2060,  1810, 3010, 610,  400,  0};
    const std::vector<Placed> placed = placeNodes(model);
    ASSERT_EQ(placed.size(), 27u);
    for (int i = 0; i < 25; ++i) {
        SCOPED_TRACE(i + 1);
        const Placed& p = placed[static_cast<std::size_t>(i)];
        const tinygltf::Node& node = model.nodes[static_cast<std::size_t>(p.node)];
        EXPECT_EQ(node.name, names[i]);
        EXPECT_EQ(p.depth, i);
        EXPECT_EQ(node.mesh, -1);
        EXPECT_NEAR(p.world[13], heights[i] / 1000, 1e-9);  // Y is up, in metres
        EXPECT_EQ(p.world[12], 0.0);
        EXPECT_EQ(p.world[14], 0.0);
        EXPECT_EQ(node.extras.Get("partId").GetNumberAsInt(), i + 1);
        EXPECT_EQ(node.extras.Get("layer").GetNumberAsInt(), 1);
        EXPECT_EQ(node.extras.Get("visible").GetNumberAsInt(), 1);
    }

    // The site slab and the foundation block hang on frame 25, slab first: 15 x 15 m, 100 mm thick with
    // its top at 0; 10 x 10 m, from 0 up to the 400 mm foundation height.
    const Placed& slab = placed[25];
    const Placed& block = placed[26];
    EXPECT_EQ(model.nodes[static_cast<std::size_t>(slab.node)].name, "敷地");
    EXPECT_EQ(model.nodes[static_cast<std::size_t>(block.node)].name, "基礎");
    EXPECT_EQ(slab.parent, placed[24].node);
    EXPECT_EQ(block.parent, placed[24].node);
    expectBounds(worldBounds(model, slab), {{-7.5, -0.1, -7.5}, {7.5, 0, 7.5}});
    expectBounds(worldBounds(model, block), {{-5, 0, -5}, {5, 0.4, 5}});

    // Colour 1 in linear light: sRGB 0, 128, 0 and 89, 102, 115.
    const struct { int node; const char* material; std::array<double, 3> linear; } colours[] = {
        {slab.node, "敷地", {0.0, 0.2158605, 0.0}},
        {block.node, "基礎", {0.0998987, 0.1328683, 0.1714411}},
    };
    for (const auto& c : colours) {
        SCOPED_TRACE(c.material);
        const tinygltf::Mesh& mesh = model.meshes.at(static_cast<std::size_t>(model.nodes[static_cast<std::size_t>(c.node)].mesh));
        ASSERT_EQ(mesh.primitives.size(), 1u);
        const tinygltf::Material& m = model.materials.at(static_cast<std::size_t>(mesh.primitives[0].material));
        EXPECT_EQ(m.name, c.material);
        for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(m.pbrMetallicRoughness.baseColorFactor.at(i), c.linear[i], 1e-6);
        EXPECT_EQ(m.pbrMetallicRoughness.metallicFactor, 0.0);
    }

    // The unit cube: 12 triangles, each facing out (counter-clockwise seen from outside, glTF's front
    // face) along its vertices' normals. A renderer culls faces wound the other way.
    const tinygltf::Primitive& cube = model.meshes.at(0).primitives.at(0);
    const std::vector<double> position = accessorValues(model, cube.attributes.at("POSITION"));
    const std::vector<double> normal = accessorValues(model, cube.attributes.at("NORMAL"));
    const std::vector<double> index = accessorValues(model, cube.indices);
    ASSERT_EQ(index.size(), 36u);
    for (std::size_t t = 0; t < index.size(); t += 3) {
        SCOPED_TRACE(t / 3);
        const auto at = [&](std::size_t corner, std::size_t axis) {
            return position.at(static_cast<std::size_t>(index[t + corner]) * 3 + axis);
        };
        double e1[3], e2[3];
        for (std::size_t i = 0; i < 3; ++i) e1[i] = at(1, i) - at(0, i), e2[i] = at(2, i) - at(0, i);
        const double faceNormal[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        for (std::size_t corner = 0; corner < 3; ++corner) {
            const std::size_t v = static_cast<std::size_t>(index[t + corner]) * 3;
            double facing = 0, outward = 0;
            for (std::size_t i = 0; i < 3; ++i) facing += faceNormal[i] * normal.at(v + i), outward += position.at(v + i) * normal.at(v + i);
            EXPECT_NEAR(facing, 1.0, 1e-6);   // the triangles of a face are half of a unit square
            EXPECT_NEAR(outward, 0.5, 1e-6);  // the face is half a unit out along its normal
        }
    }

    // The same as JSON with the buffer inside: a .gltf name selects it.
    ASSERT_EQ(cwstool({"export", dir.file("zendel.cws"), dir.file("z.GLTF")}).status, 0);
    const std::string json = testutil::readFile(dir.file("z.GLTF"));
    EXPECT_EQ(json.substr(0, 1), "{");
    EXPECT_NE(json.find("\"uri\":\"data:application/octet-stream;base64,"), std::string::npos);
    EXPECT_EQ(loadGltf(json).nodes.size(), 27u);
}

TEST(GltfExport, CommandLineFailuresLeaveNoFile)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    testutil::writeFile(dir.file("broken.cws"), golden("zendel-default.hex").substr(0, 100));
    testutil::writeFile(dir.file("keep.glb"), "keep me");
    testutil::writeFile(dir.file("keep.ifc"), "keep me");
    testutil::writeFile(dir.file("keep.txt"), "keep me");
    const struct { std::vector<std::string> args; int status; std::string err; } rows[] = {
        {{"export", dir.file("zendel.cws")}, 2,
         "cwstool: export takes --levels or --id TEXT or nothing, then FILE and OUT.glb, OUT.gltf or OUT.ifc\n"},
        {{"export", "--level", dir.file("zendel.cws"), dir.file("z.glb")}, 2, "cwstool: export takes --levels"},
        {{"export", "--id", dir.file("zendel.cws"), dir.file("z.ifc")}, 2, "cwstool: export takes --levels"},
        {{"export", "--id", "", dir.file("zendel.cws"), dir.file("z.ifc")}, 2, "cwstool: export takes --levels"},
        {{"export", "--id", "house", dir.file("zendel.cws"), dir.file("z.glb")}, 2,
         "cwstool: --id sets the identity of an IFC project (OUT.ifc); glTF has none\n"},
        // Output names of no format: refused before the scene is read, whatever is there.
        {{"export", dir.file("zendel.cws"), dir.file("out.txt")}, 2,
         "cwstool: export writes binary glTF (OUT.glb), glTF JSON (OUT.gltf) or IFC (OUT.ifc); '" + dir.file("out.txt") +
             "' names none of them\n"},
        {{"export", dir.file("zendel.cws"), dir.file("keep.txt")}, 2, "cwstool: export writes binary glTF"},
        {{"export", dir.file("zendel.cws"), dir.file("glb")}, 2, "cwstool: export writes binary glTF"},
        {{"export", dir.file("missing.cws"), dir.file("out.ifc.bak")}, 2, "cwstool: export writes binary glTF"},
        {{"export", "--levels", dir.file("zendel.cws"), dir.file("z.ifc")}, 2,
         "cwstool: --levels adds the storeys to glTF (OUT.glb or OUT.gltf); an IFC file always has them\n"},
        {{"export", dir.file("broken.cws"), dir.file("keep.glb")}, 1, "cwstool: " + dir.file("broken.cws") + ": offset"},
        {{"export", dir.file("broken.cws"), dir.file("keep.ifc")}, 1, "cwstool: " + dir.file("broken.cws") + ": offset"},
        {{"export", dir.file("missing.cws"), dir.file("z.ifc")}, 1,
         "cwstool: " + dir.file("missing.cws") + ": cannot open the file: "},
        {{"export", dir.file("zendel.cws"), dir.file("missing/z.glb")}, 1,
         "cwstool: " + dir.file("missing/z.glb") + ": cannot write the file: "},
        {{"export", dir.file("zendel.cws"), dir.file("missing/z.ifc")}, 1,
         "cwstool: " + dir.file("missing/z.ifc") + ": cannot write the file: "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args.back());
        Outcome result = cwstool(row.args);
        EXPECT_EQ(result.status, row.status);
        EXPECT_EQ(result.err.substr(0, row.err.size()), row.err);
    }
    for (const char* kept : {"keep.glb", "keep.ifc", "keep.txt"}) EXPECT_EQ(testutil::readFile(dir.file(kept)), "keep me");
    for (const char* absent : {"out.txt", "glb", "out.ifc.bak", "z.glb", "z.ifc", "missing/z.glb", "missing/z.ifc"}) {
        EXPECT_FALSE(testutil::fileExists(dir.file(absent))) << absent;
    }
}

// --levels: the storeys under a second root node, each a room over its floor slab at the heights of its
// frames (the wizard's defaults here); the main block over the back half of the 10 m foundation block
// (the scene's +y, glTF's -Z), the mezzanines over the front half.
TEST(GltfExport, LevelsAreRoomsOverSlabsInTwoStaggeredBlocks)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    const Outcome result = cwstool({"export", "--levels", dir.file("zendel.cws"), dir.file("z.glb")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const tinygltf::Model model = loadGltf(testutil::readFile(dir.file("z.glb")));
    ASSERT_EQ(model.scenes.at(0).nodes.size(), 2u);
    const int group = model.scenes[0].nodes[1];
    EXPECT_EQ(model.nodes.at(static_cast<std::size_t>(group)).name, "levels");
    const struct { const char* name; const char* material; double y0, y1; } rows[] = {  // y in metres, up
        {"1階 floor slab", "slab", 0.4, 0.61},   {"1階", "main floor room", 0.61, 3.01},
        {"2階 floor slab", "slab", 3.01, 3.51},  {"2階", "main floor room", 3.51, 5.91},
        {"3階 floor slab", "slab", 5.91, 6.41},  {"3階", "main floor room", 6.41, 8.81},
        {"4階 floor slab", "slab", 8.81, 9.31},  {"4階", "main floor room", 9.31, 11.71},
        {"4階 roof", "slab", 11.71, 11.96},
        {"中2階 floor slab", "slab", 1.81, 2.06}, {"中2階", "mezzanine room", 2.06, 4.46},
        {"中3階 floor slab", "slab", 4.46, 4.96}, {"中3階", "mezzanine room", 4.96, 7.36},
        {"中4階 floor slab", "slab", 7.36, 7.86}, {"中4階", "mezzanine room", 7.86, 10.26},
        {"中4階 roof", "slab", 10.26, 10.51},
    };
    const std::vector<int>& children = model.nodes[static_cast<std::size_t>(group)].children;
    ASSERT_EQ(children.size(), std::size(rows));
    const std::vector<Placed> placed = placeNodes(model);
    for (std::size_t i = 0; i < children.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        const tinygltf::Node& node = model.nodes.at(static_cast<std::size_t>(children[i]));
        EXPECT_EQ(node.name, rows[i].name);
        const bool mezzanine = std::string(rows[i].name).rfind("中", 0) == 0;
        const Placed& p = *std::find_if(placed.begin(), placed.end(), [&](const Placed& q) { return q.node == children[i]; });
        expectBounds(worldBounds(model, p), {{-5, rows[i].y0, mezzanine ? 0.0 : -5.0}, {5, rows[i].y1, mezzanine ? 5.0 : 0.0}});
        const int index = model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives.at(0).material;
        const tinygltf::Material& material = model.materials.at(static_cast<std::size_t>(index));
        EXPECT_EQ(material.name, rows[i].material);
        const bool room = std::string(rows[i].material) != "slab";
        EXPECT_EQ(material.alphaMode, room ? "BLEND" : "OPAQUE");
        EXPECT_EQ(material.pbrMetallicRoughness.baseColorFactor.at(3) < 1.0, room);
    }

    // A scene whose frames name no storey: the node is there, empty, and a warning says why.
    CWScene plain;
    CWFrame root;
    plain.SetUnit(0);
    plain.SetRootFrame(root);
    cwstool::GltfOptions options;
    options.levels = true;
    const cwstool::GltfExport gltf = cwstool::gltfFromScene(plain, cwstool::GltfContainer::Binary, options);
    EXPECT_EQ(gltf.warnings,
              std::vector<std::string>{"--levels: no frame is named as the wizard names a storey's levels; none drawn"});
    EXPECT_EQ(loadGltf(gltf.bytes).nodes.back().children.size(), 0u);
}

TEST(GltfExport, ThousandBoxesKeepTheirHierarchyBoundsAndMaterials)
{
    CWScene scene;
    buildLargeScene(scene);
    cwstool::GltfExport gltf = cwstool::gltfFromScene(scene, cwstool::GltfContainer::Binary);
    EXPECT_TRUE(gltf.warnings.empty());
    const tinygltf::Model model = loadGltf(gltf.bytes);

    ASSERT_EQ(model.materials.size(), 4u);
    EXPECT_EQ(model.materials[3].name, "新規色4");  // the name the library gave the unnamed one
    EXPECT_EQ(model.meshes.size(), 4u);               // one unit cube per material, shared by its boxes

    const std::vector<Placed> placed = placeNodes(model);
    ASSERT_EQ(placed.size(), 1u + 20u + 1000u);
    int boxes = 0;
    for (const Placed& p : placed) {
        const tinygltf::Node& node = model.nodes[static_cast<std::size_t>(p.node)];
        if (node.mesh < 0) continue;
        ++boxes;
        int f = 0, i = 0;
        ASSERT_EQ(std::sscanf(node.name.c_str(), "B%d-%d", &f, &i), 2) << node.name;
        SCOPED_TRACE(node.name);
        EXPECT_EQ(p.depth, 3);
        EXPECT_EQ(model.nodes[static_cast<std::size_t>(p.parent)].name, "F" + std::to_string(f) + " inner");
        EXPECT_EQ(model.meshes[static_cast<std::size_t>(node.mesh)].primitives.at(0).material, i % 4);
        // In the scene (mm, z up): centre and half size, the inner frame's stretch applied along y.
        const double stretch = f == 3 ? kStretch : 1.0;
        const double cx = 20000.0 * f + 100 * i, cy = stretch * 250 * (i % 7), cz = 3000.0 + 40 * f;
        const double hx = (50.0 + i) / 2, hy = stretch * 20, hz = (30.0 + f) / 2;
        // In glTF: metres, (x, z, -y).
        expectBounds(worldBounds(model, p), {{(cx - hx) / 1000, (cz - hz) / 1000, -(cy + hy) / 1000},
                                            {(cx + hx) / 1000, (cz + hz) / 1000, -(cy - hy) / 1000}});
    }
    EXPECT_EQ(boxes, 1000);
}

// Rotations are taken as degrees about x, then y, then z. A box in a rotated frame, its bounds worked
// out by hand: a quarter turn about z takes x to y; about x, y to z; about y, z to x. (The point
// (0, 1000, 0) turned about x, then y ends on x; the other way round it would end on z.)
TEST(GltfExport, RotationsAreDegreesAboutXThenYThenZ)
{
    const struct { const char* what; CWCoord rotation, position, size; Bounds expected; } rows[] = {
        {"90 about z", {0, 0, 90}, {1000, 0, 0}, {2000, 1000, 500}, {{-0.5, -0.25, -2}, {0.5, 0.25, 0}}},
        {"90 about x", {90, 0, 0}, {0, 1000, 0}, {100, 200, 300}, {{-0.05, 0.9, -0.15}, {0.05, 1.1, 0.15}}},
        {"x, then z", {90, 0, 90}, {0, 1000, 0}, {100, 200, 300}, {{-0.15, 0.9, -0.05}, {0.15, 1.1, 0.05}}},
        {"x, then y", {90, 90, 0}, {0, 1000, 0}, {100, 200, 300}, {{0.9, -0.05, -0.15}, {1.1, 0.05, 0.15}}},
        {"-90 about y", {0, -90, 0}, {1000, 0, 0}, {100, 200, 300}, {{-0.15, 0.95, -0.1}, {0.15, 1.05, 0.1}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CWScene scene;
        CWFrame root;
        root.SetName("turned");
        root.SetRotation(row.rotation.m_x, row.rotation.m_y, row.rotation.m_z);
        CWCube box;
        box.SetPosition(row.position.m_x, row.position.m_y, row.position.m_z);
        box.SetSize(row.size.m_x, row.size.m_y, row.size.m_z);
        root.AddShape(box);
        scene.SetUnit(0);
        scene.SetRootFrame(root);
        cwstool::GltfExport gltf = cwstool::gltfFromScene(scene, cwstool::GltfContainer::Binary);
        const tinygltf::Model model = loadGltf(gltf.bytes);
        const std::vector<Placed> placed = placeNodes(model);
        ASSERT_EQ(placed.size(), 2u);
        expectBounds(worldBounds(model, placed[1]), row.expected);
        ASSERT_EQ(gltf.warnings.size(), 1u);
        EXPECT_EQ(gltf.warnings[0].substr(0, 71),
                  "1 rotated object: the scene file does not define the unit or order of r");
        EXPECT_NE(model.asset.extras.Get("rotation").Get<std::string>().find("degrees"), std::string::npos);
    }
}

// Every kind of thing glTF does not get, and every assumption, is one warning line.
TEST(GltfExport, WarnsOnceForEachKindLeftOutOrAssumed)
{
    const struct { const char* what; std::function<void(CWScene&, CWFrame&, CWCube&)> change; std::vector<std::string> warnings; } rows[] = {
        {"nothing", [](CWScene&, CWFrame&, CWCube&) {}, {}},
        {"unit code 2", [](CWScene& s, CWFrame&, CWCube&) { s.SetUnit(2); },
         {"unit code 2 has no defined length: taken as millimetres (the wizard's unit is code 0)"}},
        {"rotations", [](CWScene&, CWFrame& f, CWCube& b) { f.SetRotation(0, 0, 1); b.SetRotation(1, 0, 0); },
         {"2 rotated objects: the scene file"}},
        {"not finite", [](CWScene&, CWFrame& f, CWCube&) { f.SetPosition(NAN, 0, INFINITY); },
         {"2 values not finite (NaN or infinity): written as 0, or 1 for scales and sizes"}},
        {"textures", [](CWScene& s, CWFrame&, CWCube& b) { s.AddTexture(Texture()); b.SetTextureIndex(0); },
         {"textures skipped: 1 texture in the scene, 1 box refers to one"}},
        {"partial wraps", [](CWScene&, CWFrame&, CWCube& b) {
             CWPartialWrap wrap;
             wrap.SetTexture(0, "wood.bmp");
             b.AddPartialWrap(wrap);
             b.AddPartialWrap(wrap);
         },
         {"2 partial wraps on 1 box skipped"}},
        {"a material not in the list", [](CWScene&, CWFrame&, CWCube& b) { b.SetMaterialIndex(7); },
         {"1 box refers to a material that is not in the scene: glTF's default material"}},
        {"lights and sensors", [](CWScene& s, CWFrame&, CWCube&) {
             Light light;
             s.AddLight(light);
             CWSensorUnit sensor;
             s.AddSensor(sensor);
         },
         {"lights skipped: 1", "sensors skipped: 1"}},
        {"an action", [](CWScene&, CWFrame& f, CWCube&) {
             CWActionUnit action;
             action.AddParam(CWActionParam());
             f.SetAction(&action);
         },
         {"frame actions skipped: 1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CWScene scene;
        scene.SetUnit(0);
        CWFrame root;
        root.SetName("root");
        CWCube box;
        row.change(scene, root, box);
        root.AddShape(box);
        scene.SetRootFrame(root);
        cwstool::GltfExport gltf = cwstool::gltfFromScene(scene, cwstool::GltfContainer::Binary);
        ASSERT_EQ(gltf.warnings.size(), row.warnings.size());
        for (std::size_t i = 0; i < row.warnings.size(); ++i) {
            EXPECT_EQ(gltf.warnings[i].substr(0, row.warnings[i].size()), row.warnings[i]);
        }
        // Whatever was left out, the box is there and the file reads back.
        const tinygltf::Model model = loadGltf(gltf.bytes);
        EXPECT_EQ(model.nodes.size(), 2u);
        EXPECT_EQ(model.nodes.at(0).name, "直方体");  // a frame follows its boxes in the node list
    }
}

// The Khronos glTF Validator (tests/tools/gltf-validate.js, npm package gltf-validator) reports no
// error and no warning for the wizard's scene, the large scene and a rotated scene. The native build
// names the command in SKIPFLOOR_GLTF_VALIDATE; the Windows build, whose tests run under Wine without
// Node.js, leaves it empty.
TEST(GltfExport, ReferenceValidatorReportsNoErrorsOrWarnings)
{
    const std::string validate = SKIPFLOOR_GLTF_VALIDATE;
    if (validate.empty()) GTEST_SKIP() << "no glTF validator in this build";
    SKIPFLOOR_NEEDS_NODE_TOOL("gltf-validator");
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    ASSERT_EQ(cwstool({"export", dir.file("zendel.cws"), dir.file("zendel.glb")}).status, 0);
    ASSERT_EQ(cwstool({"export", dir.file("zendel.cws"), dir.file("zendel.gltf")}).status, 0);
    ASSERT_EQ(cwstool({"export", "--levels", dir.file("zendel.cws"), dir.file("levels.glb")}).status, 0);
    CWScene large;
    buildLargeScene(large);
    ASSERT_TRUE(cwstool::exportGltf(large, dir.file("large.glb")).written);
    CWScene turned;
    CWFrame root;
    root.SetRotation(30, -45, 60);
    root.SetScale(1, 2, 3);
    CWCube box;
    box.SetRotation(10, 20, 30);
    root.AddShape(box);
    turned.SetRootFrame(root);
    ASSERT_TRUE(cwstool::exportGltf(turned, dir.file("turned.gltf")).written);

    const std::string report = dir.file("report.txt");
    std::string command = validate;
    for (const char* name : {"zendel.glb", "zendel.gltf", "levels.glb", "large.glb", "turned.gltf"}) {
        command += " '" + dir.file(name) + "'";
    }
    command += " >'" + report + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = testutil::readFile(report);
    EXPECT_EQ(status, 0) << output << "(the validator is installed by scripts/install-deps.sh all)";
    EXPECT_NE(output.find("zendel.glb: 0 errors, 0 warnings"), std::string::npos) << output;
    EXPECT_NE(output.find("large.glb: 0 errors, 0 warnings"), std::string::npos) << output;
    EXPECT_NE(output.find("levels.glb: 0 errors, 0 warnings"), std::string::npos) << output;
}

// The wizard's scene with any one row at 0 or at the smallest positive double: no glTF length is
// zero, negative or not finite (a box of no size is a node without a mesh, named in a warning), and
// the validator accepts every file. The wizard refuses no value, so each row's smallest accepted value
// is the smallest number there is.
TEST(GltfExport, EveryRowAtZeroOrTheSmallestValueGivesAValidFile)
{
    const std::string validate = SKIPFLOOR_GLTF_VALIDATE;
    struct : wizard::Registry {  // the registry defaults are not looked at here
        wizard::RegistryOutcome createKey(wizard::RegistryKey, const char*, wizard::RegistryKey* key) override
        {
            *key = this;
            return {};
        }
        wizard::RegistryOutcome setStringValue(wizard::RegistryKey, const char*, const char*, std::uint32_t) override
        {
            return {};
        }
        wizard::RegistryOutcome closeKey(wizard::RegistryKey) override { return {}; }
    } registry;
    testutil::TempDir dir;
    std::string files;
    for (std::size_t row = 0; row < wizard::kParamRows.size(); ++row) {
        for (double value : {0.0, std::numeric_limits<double>::denorm_min()}) {
            const std::string name = "row" + std::to_string(row + 1) + (value == 0.0 ? "-zero" : "-tiny");
            SCOPED_TRACE(name);
            wizard::WizardParams params;
            wizard::SetDefaultParams(params);
            params.*wizard::kParamRows[row].member = value;
            wizard::CommandLineRecord commandLine;
            commandLine.m_bNoPath = 0;
            commandLine.m_strScenePath = dir.file(name + ".cws");
            ASSERT_TRUE(wizard::BuildScene(params, commandLine, registry).scene.written);
            for (const char* levels : {"", "--levels"}) {
                const std::string out = dir.file(name + (*levels ? "-levels" : "") + ".glb");
                std::vector<std::string> args{"export", dir.file(name + ".cws"), out};
                if (*levels) args.insert(args.begin() + 1, levels);
                const Outcome result = cwstool(args);
                EXPECT_EQ(result.status, 0) << result.err;
                files += " '" + out + "'";
            }
        }
    }
    // Foundation height 0: the foundation block has no height, and its node no body.
    const Outcome flat = cwstool({"export", dir.file("row1-zero.cws"), dir.file("flat.glb")});
    EXPECT_NE(flat.err.find("warning: 1 box of no size along an axis, written without its body: 基礎・敷地/基礎\n"),
              std::string::npos)
        << flat.err;
    const tinygltf::Model model = loadGltf(testutil::readFile(dir.file("flat.glb")));
    const auto block = std::find_if(model.nodes.begin(), model.nodes.end(), [](const tinygltf::Node& n) { return n.name == "基礎"; });
    ASSERT_NE(block, model.nodes.end());
    EXPECT_EQ(block->mesh, -1);
    EXPECT_TRUE(block->scale.empty());

    if (validate.empty()) GTEST_SKIP() << "no glTF validator in this build";
    const std::string report = dir.file("report.txt");
    const int status = std::system((validate + files + " >'" + report + "' 2>&1").c_str());
    EXPECT_EQ(status, 0) << testutil::readFile(report);
}

}  // namespace
