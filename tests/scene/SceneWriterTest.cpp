// Tests for scene/SceneWriter: whole scene files in both encodings, each scene-level section and
// its condition, every row of the failure table with its error chain and log line, and the atomic
// replacement of the target.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <algorithm>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "RecordCapture.h"
#include <cwscene/Scene.h>
#include <cwscene/SceneItems.h>
#include "builder/SjisTexts.h"  // the wizard's names, as Shift-JIS names of real scenes
#include "scenefile/ErrorTexts.h"
#include "testutil/Hex.h"
#include "scenefile/WriteFaults.h"  // failStreamOperation

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using testutil::capture;
using testutil::Encoding;
using testutil::EncodingScope;
using testutil::fromHex;
using testutil::lines;

// The file up to the part section of a scene at its defaults (unit 2).
const char kHead[] =
    "04 00 00 00                             # format version 4\n"
    "53 48 41 50                             # SHAP\n"
    "55 4E 49 54 02 00                       # UNIT 2\n";
// The part record of a root frame "A" at its defaults.
const char kFrameA[] =
    "50 41 52 54 01 00 41                    # PART A\n"
    "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
    "00 00 80 3F 00 00 80 3F 00 00 80 3F\n"
    "50 4D 49 44 00 00 00 00 00 00 00 00 54 43 44 4E 00 00 00 00\n"
    "00 00 00 00                             # no shapes, no children\n";
const char kExit[] = "45 58 49 54\n";

void setRootA(CWScene& scene)
{
    CWFrame root;
    root.SetName("A");
    scene.SetRootFrame(root);
}

// What Write puts on a stream (binary unless told), and the text that escaped it.
std::string written(CWScene& scene, std::string* failure = nullptr, Encoding encoding = Encoding::Binary)
{
    EncodingScope scope(encoding);
    return capture([&](std::FILE* s) { scene.Write(s); }, failure);
}

std::string joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : "-> ") + text;
    return out;
}

// Saves happen in a fresh directory that is also the working directory, where "ScriptErr.log" goes.
class SceneSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.path());
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_saved);
        setBinaryModeSwitch(1);
        scenefile::testing::failStreamOperation(0);
    }
    std::string path(const char* name = "scene.cws") const { return m_dir.file(name); }
    std::string log() const { return testutil::readFile(m_dir.file("ScriptErr.log")); }
    // The names in the directory: no temporary may be left behind.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testutil::TempDir m_dir;
    std::filesystem::path m_saved;
};

// ---------------------------------------------------------------------------------------------------
// 1. Whole files

// The split-level builder's kind of file, smaller: two materials, a root with one child holding the
// site slab, grid interval and thicknesses.
TEST_F(SceneSave, BuilderLikeFileBinary)
{
    CWScene scene;
    scene.SetUnit(0);
    scene.SetThickness(100.0f, 2900.0f, 210.0f);
    scene.SetGridInterval(1000.0f);
    CWMaterial site, foundation;
    site.SetName(wizard::sjis::kSiteName);
    site.SetColor1(0, 128, 0);
    foundation.SetName(wizard::sjis::kFoundationName);
    foundation.SetColor1(89, 102, 115);
    ASSERT_EQ(scene.AddMaterial(site), 0);
    ASSERT_EQ(scene.AddMaterial(foundation), 1);
    CWCube slab;
    slab.SetName(wizard::sjis::kSiteName);
    slab.SetMaterialIndex(0);
    slab.SetSize(1000.0f, 1000.0f, 100.0f);
    slab.SetPosition(0.0f, 0.0f, -50.0f);
    CWFrame child, root;
    child.SetName("C");
    child.SetPosition(0.0f, 0.0f, 100.0f);
    child.SetLayer(1);
    child.m_partId = 2;
    child.AddShape(slab);
    root.SetName("R");
    root.SetLayer(1);
    root.m_partId = 1;
    root.AddChild(child);
    scene.SetRootFrame(root);

    ASSERT_EQ(scene.Save(path()), 1);
    EXPECT_BYTES(testutil::readFile(path()),
                 "04 00 00 00 53 48 41 50                 # version 4, SHAP\n"
                 "55 4E 49 54 00 00                       # UNIT 0\n"
                 "43 4F 4C 52 02 00                       # COLR, two materials\n"
                 "04 00 95 7E 92 6E 00 80 00 80 80 80 80 80 80 00 00 00 FF 80   # 敷地\n"
                 "04 00 8A EE 91 62 59 66 73 80 80 80 80 80 80 00 00 00 FF 80   # 基礎\n"
                 "50 41 52 54 01 00 52                    # PART R\n"
                 "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
                 "00 00 80 3F 00 00 80 3F 00 00 80 3F\n"
                 "4C 59 52 4C 59                          # LYRL Y\n"
                 "50 4D 49 44 01 00 00 00 00 00 00 00     # PMID 1 0\n"
                 "54 43 44 4E 00 00 00 00                 # TCDN 0\n"
                 "00 00 01 00                             # no shapes, one child\n"
                 "50 41 52 54 01 00 43                    # PART C\n"
                 "00 00 00 00 00 00 00 00 00 00 C8 42     # position 0 0 100\n"
                 "00 00 00 00 00 00 00 00 00 00 00 00\n"
                 "00 00 80 3F 00 00 80 3F 00 00 80 3F\n"
                 "4C 59 52 4C 59\n"
                 "50 4D 49 44 02 00 00 00 00 00 00 00\n"
                 "54 43 44 4E 00 00 00 00\n"
                 "01 00                                   # one shape\n"
                 "43 55 42 45 04 00 95 7E 92 6E           # CUBE 敷地\n"
                 "00 00 00 00 00 00 00 00 00 00 48 C2     # position 0 0 -50\n"
                 "00 00 00 00 00 00 00 00 00 00 00 00\n"
                 "00 00 7A 44 00 00 7A 44 00 00 C8 42     # size 1000 1000 100\n"
                 "00 00 FF FF                             # material 0, no texture\n"
                 "00 00                                   # no children\n"
                 "47 49 4E 54 00 00 7A 44                 # GINT 1000\n"
                 "54 48 43 4B 00 00 C8 42 00 40 35 45 00 00 52 43   # THCK 100 2900 210\n"
                 "45 58 49 54                             # EXIT\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"scene.cws"});
}

TEST_F(SceneSave, RootOnlyText)
{
    CWScene scene;
    setRootA(scene);
    scene.SetTextMode(1);
    ASSERT_EQ(scene.Save(path()), 1);
    EXPECT_EQ(testutil::readFile(path()),
              lines({"4", "SHAP", "UNIT", "2", "PART", "1 A", "0.000000", "0.000000", "0.000000", "0.000000",
                     "0.000000", "0.000000", "1.000000", "1.000000", "1.000000", "PMID", "0", "0", "TCDN", "0", "0",
                     "0", "EXIT"}));
}

// Save collects the bytes and writes them in large pieces: a file of several pieces must be exactly
// what Write puts on a plain stream, in both encodings.
TEST_F(SceneSave, LargeFileSameAsDirectWrite)
{
    CWScene scene;
    CWFrame root;
    root.SetName("root");
    CWFrame child;
    child.SetName(std::string(300, 'c').c_str());
    for (int i = 0; i < 40; ++i) child.AddShape(CWCube());
    for (int i = 0; i < 300; ++i) root.AddChild(child);
    scene.SetRootFrame(root);
    for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
        SCOPED_TRACE(encoding == Encoding::Binary ? "binary" : "text");
        const std::string direct = written(scene, nullptr, encoding);
        ASSERT_GT(direct.size(), 2u * 256 * 1024);
        scene.SetTextMode(encoding == Encoding::Text ? 1 : 0);
        ASSERT_EQ(scene.Save(path()), 1);
        scene.SetTextMode(0);
        EXPECT_TRUE(testutil::readFile(path()) == direct);
    }
}

// Every section at once, in text: every line ends in CR LF and no bare line feed is left.
TEST_F(SceneSave, TextLinesEndInCrLf)
{
    CWScene scene;
    setRootA(scene);
    CWMaterial material;
    scene.AddMaterial(material);
    Texture texture;
    texture.setFileName("wood.bmp");
    scene.AddTexture(texture);
    Light light;
    scene.AddLight(light);
    View view;
    scene.AddView(view);
    Background background;
    scene.AddBackground(background);
    Lead lead;
    lead.addPoint(1, 2, 3);
    scene.AddLead(lead);
    CWSensorUnit sensor;
    scene.AddSensor(sensor);
    scene.setGrid1({1.0f});
    scene.SetGridInterval(1.0f);
    scene.SetThickness(1, 1, 1);
    scene.SetTextMode(1);
    ASSERT_EQ(scene.Save(path()), 1);
    std::string text = testutil::readFile(path());
    ASSERT_GE(text.size(), 6u);
    EXPECT_EQ(text.substr(text.size() - 6), "EXIT\r\n");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at offset " << i;
        }
    }
}

// ---------------------------------------------------------------------------------------------------
// 2. The sections and their conditions (Write onto a stream, binary)

TEST(SceneSections, OptionalSections)
{
    struct Row {
        const char* what;
        std::function<void(CWScene&)> setUp;
        const char* sections;  // between the part record and EXIT
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Row rows[] = {
        {"nothing", [](CWScene&) {}, ""},
        {"grid interval 0", [](CWScene& s) { s.SetGridInterval(0.0f); }, ""},
        {"grid interval NaN", [nan](CWScene& s) { s.SetGridInterval(nan); }, ""},
        {"grid interval 1000", [](CWScene& s) { s.SetGridInterval(1000.0f); }, "47 49 4E 54 00 00 7A 44"},
        {"thickness 5 0 0", [](CWScene& s) { s.SetThickness(5, 0, 0); }, ""},
        {"thickness 0 1 1", [](CWScene& s) { s.SetThickness(0, 1, 1); }, ""},
        {"thickness NaN 1 1", [nan](CWScene& s) { s.SetThickness(nan, 1, 1); }, ""},
        {"thickness 5 0 1", [](CWScene& s) { s.SetThickness(5, 0, 1); },
         "54 48 43 4B 00 00 A0 40 00 00 00 00 00 00 80 3F"},
        {"thickness 5 1 0", [](CWScene& s) { s.SetThickness(5, 1, 0); },
         "54 48 43 4B 00 00 A0 40 00 00 80 3F 00 00 00 00"},
        {"grid 3 only", [](CWScene& s) { s.setGrid3({1.0f, 2.0f}); },
         "47 52 44 57 00 00 00 00 02 00 00 00 80 3F 00 00 00 40"},
        {"sensor", [](CWScene& s) { CWSensorUnit u; u.SetName("S"); s.AddSensor(u); },
         "53 45 4E 53 01 00 01 00 53 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80 3F 00 00 80 3F 00 00 80 3F 00 00"},
        {"views: the two values before the count",
         [](CWScene& s) { View v; v.SetName("V"); v.setEye(1, 0, 0); s.AddView(v); s.SetViewValues(2.0f, -1.0f); },
         "56 49 45 57 00 00 00 40 00 00 80 BF 01 00  01 00 56 00 00 80 3F 00 00 00 00 00 00 00 00"
         " 00 00 00 00 00 00 00 00 00 00 00 00"},
        {"view values without views", [](CWScene& s) { s.SetViewValues(2.0f, 3.0f); }, ""},
        {"three backgrounds: a tag each, no count",
         [](CWScene& s) {
             Background b;
             b.setColor(1, 2, 3);
             s.AddBackground(b);
             b.setImageFileName("i");
             s.AddBackground(b);
             s.AddBackground(Background());
         },
         "42 41 43 4B 00 00 01 02 03 00 00  42 41 43 4B 00 00 01 02 03 01 00 69  42 41 43 4B 00 00 FF FF FF 00 00"},
        {"lead", [](CWScene& s) { Lead l; l.SetName("L"); l.addPoint(0, 0, 1); s.AddLead(l); },
         "4C 45 41 44 01 00 01 00 4C 01 00 00 00 00 00 00 00 00 00 00 00 80 3F"},
        {"light", [](CWScene& s) { Light l; l.SetName("L"); l.setColor(9, 8, 7); s.AddLight(l); },
         "4C 49 47 54 01 00 01 00 4C 00 00 00 00 00 00 00 00 00 00 00 00 09 08 07"},
        {"sections in file order",
         [](CWScene& s) {
             s.SetThickness(1, 1, 1);
             s.SetGridInterval(1.0f);
             s.setGrid1({});
             s.setGrid2({1.0f});
             CWSensorUnit u;
             u.SetName("S");
             s.AddSensor(u);
         },
         "53 45 4E 53 01 00 01 00 53 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80 3F 00 00 80 3F 00 00 80 3F 00 00"
         " 47 52 44 57 00 00 01 00 00 00 80 3F 00 00"
         " 47 49 4E 54 00 00 80 3F"
         " 54 48 43 4B 00 00 80 3F 00 00 80 3F 00 00 80 3F"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CWScene scene;
        setRootA(scene);
        row.setUp(scene);
        EXPECT_BYTES(written(scene), std::string(kHead) + kFrameA + row.sections + "\n" + kExit);
    }
}

// The sections before the part record.
TEST(SceneSections, ColourAndTextureSections)
{
    CWScene scene;
    setRootA(scene);
    CWMaterial material;
    scene.AddMaterial(material);  // named 新規色1
    Texture texture;
    texture.SetName("T");
    texture.setFileName("f");
    scene.AddTexture(texture);
    EXPECT_BYTES(written(scene),
                 std::string(kHead) +
                     "43 4F 4C 52 01 00                   # COLR 1\n"
                     "07 00 90 56 8B 4B 90 46 31          # 新規色1\n"
                     "CC CC CC 80 80 80 80 80 80 00 00 00 FF 80\n"
                     "54 58 54 52 01 00 01 00 54 01 00 66 # TXTR 1: T, file f\n" +
                     kFrameA + kExit);
}

TEST(SceneSections, SixteenLightsAllowedSeventeenNot)
{
    CWScene scene;
    setRootA(scene);
    for (int i = 0; i < 16; ++i) {
        Light light;
        scene.AddLight(light);
    }
    std::string failure;
    std::string bytes = written(scene, &failure);
    EXPECT_EQ(failure, "");
    const std::string lightSection = fromHex("4C 49 47 54 10 00");
    EXPECT_EQ(bytes.substr(fromHex(kHead).size() + fromHex(kFrameA).size(), 6), lightSection);

    Light seventeenth;
    scene.AddLight(seventeenth);
    bytes = written(scene, &failure);
    EXPECT_EQ(failure, sjis::kSceneLabel);
    EXPECT_BYTES(bytes, std::string(kHead) + kFrameA);  // nothing of the light section
    EXPECT_EQ(testutil::chain(), joined({sjis::kTooManyLights}));
}

// A new scene: header, SHAP, UNIT 2, then the part section fails.
TEST(SceneSections, NewSceneWritesHeadThenFails)
{
    CWScene scene;
    std::string failure;
    EXPECT_BYTES(written(scene, &failure), kHead);
    EXPECT_EQ(failure, sjis::kSceneLabel);
}

// ---------------------------------------------------------------------------------------------------
// 3. The failure table: every row saved with the error log on; the log holds the chain, the target
// does not exist.

TEST_F(SceneSave, FailureTable)
{
    struct Row {
        const char* what;
        Encoding encoding;
        std::function<void(CWScene&)> setUp;
        long failingOperation;  // 0: no simulated failure
        std::vector<std::string> chain;
    };
    auto rootA = [](CWScene& s) { setRootA(s); };
    auto materialAndRoot = [](CWScene& s) {
        CWMaterial m;
        m.SetName("M");
        s.AddMaterial(m);
        setRootA(s);
    };
    // Stream operations with a root "A" alone: 1 header, 2 SHAP, 3 UNIT, 4 unit, 5-23 the part record,
    // 24 EXIT. With one material "M" first: 5 COLR, 6 count, 7-8 its name, 9 its first colour byte.
    const Row rows[] = {
        {"header", Encoding::Binary, rootA, 1, {sjis::kFileHeaderLabel, sjis::kSceneLabel}},
        {"unit tag", Encoding::Binary, rootA, 3, {sjis::kUnitSectionLabel, sjis::kSceneLabel}},
        {"unit value", Encoding::Binary, rootA, 4, {sjis::kUnitSectionLabel, sjis::kSceneLabel}},
        {"inside a material", Encoding::Binary, materialAndRoot, 9,
         {sjis::kBinaryWriteFailed, sjis::kColorSectionLabel, sjis::kSceneLabel}},
        {"a material's name bytes", Encoding::Binary, materialAndRoot, 8,
         {sjis::kTextWriteFailed, sjis::kColorSectionLabel, sjis::kSceneLabel}},
        {"colour tag", Encoding::Binary, materialAndRoot, 5, {sjis::kColorSectionLabel, sjis::kSceneLabel}},
        {"colour count", Encoding::Binary, materialAndRoot, 6, {sjis::kColorSectionLabel, sjis::kSceneLabel}},
        {"inside a texture", Encoding::Binary,
         [](CWScene& s) { Texture t; t.SetName("X"); s.AddTexture(t); setRootA(s); }, 7,
         {sjis::kBinaryWriteFailed, "X", sjis::kTextureSectionLabel, sjis::kSceneLabel}},
        {"no root frame", Encoding::Binary, [](CWScene&) {}, 0,
         {sjis::kNoRootFrame, sjis::kPartSectionLabel, sjis::kSceneLabel}},
        {"a shape of the innermost frame", Encoding::Binary,
         [](CWScene& s) {
             // R 5-23, M 24-42, I 43-59 and its shape count 60; the cube: 61 CUBE, 62-63 name, 64 x
             CWCube cube;
             cube.SetName("S");
             CWFrame inner, middle, root;
             inner.SetName("I");
             inner.AddShape(cube);
             middle.SetName("M");
             middle.AddChild(inner);
             root.SetName("R");
             root.AddChild(middle);
             s.SetRootFrame(root);
         },
         64, {sjis::kBinaryWriteFailed, "S", "I", "M", "R", sjis::kPartSectionLabel, sjis::kSceneLabel}},
        // text: a tag is two operations (letters, line end), a counted block three; 1 header, 2-3 SHAP,
        // 4-5 UNIT, 6 unit, 7-8 PART, 9 the name's length
        {"a frame's name length in text", Encoding::Text, rootA, 9,
         {sjis::kTextOrBinaryWriteFailed, "A", sjis::kPartSectionLabel, sjis::kSceneLabel}},
        {"17 lights", Encoding::Binary,
         [](CWScene& s) {
             setRootA(s);
             for (int i = 0; i < 17; ++i) {
                 Light light;
                 s.AddLight(light);
             }
         },
         0, {sjis::kTooManyLights, sjis::kSceneLabel}},
        {"inside a sensor", Encoding::Binary,
         [](CWScene& s) { setRootA(s); CWSensorUnit u; s.AddSensor(u); }, 26,  // 24 SENS, 25 count, 26 name
         {sjis::kBinaryWriteFailed, sjis::kActionLabel, sjis::kSceneLabel}},
        // a tag's letters are a block's bytes: their failure is the text failure in binary too
        {"SHAP", Encoding::Binary, rootA, 2, {sjis::kTextWriteFailed, sjis::kSceneLabel}},
        {"EXIT in text", Encoding::Text, rootA, 31, {sjis::kTextWriteFailed, sjis::kSceneLabel}},  // its line end
        {"EXIT", Encoding::Binary, rootA, 24, {sjis::kTextWriteFailed, sjis::kSceneLabel}},
        {"grid interval float", Encoding::Binary,
         [](CWScene& s) { setRootA(s); s.SetGridInterval(1.0f); }, 25,
         {sjis::kBinaryWriteFailed, sjis::kSceneLabel}},
        // ours: a count the format cannot carry is refused, not written modulo 65536
        {"65536 values in a list", Encoding::Binary,
         [](CWScene& s) {
             CWFrame root;
             root.SetName("A");
             for (int i = 0; i < 65536; ++i) root.AddSprmFirst(1);
             s.SetRootFrame(root);
         },
         0, {sjis::kCountTooLarge, "A", sjis::kPartSectionLabel, sjis::kSceneLabel}},
        {"a name of 65536 bytes", Encoding::Binary,
         [](CWScene& s) {
             CWMaterial m;
             m.SetName(std::string(65536, 'm').c_str());
             s.AddMaterial(m);
             setRootA(s);
         },
         0, {sjis::kTextTooLong, sjis::kColorSectionLabel, sjis::kSceneLabel}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        {
            CWScene scene;
            row.setUp(scene);
            scene.SetErrorLog(1);
            scene.SetTextMode(row.encoding == Encoding::Text ? 1 : 0);
            scenefile::testing::failStreamOperation(row.failingOperation);
            EXPECT_EQ(scene.Save(path()), 0);
            scenefile::testing::failStreamOperation(0);
            scene.SetTextMode(0);
            EXPECT_EQ(log(), joined(row.chain) + "\r\n");
            EXPECT_EQ(testutil::chain(), joined(row.chain));
        }
        EXPECT_EQ(errorChain(), nullptr);  // released with the last scene object
        EXPECT_EQ(entries(), std::vector<std::string>{"ScriptErr.log"});
        std::filesystem::remove(m_dir.file("ScriptErr.log"));
    }
}

TEST_F(SceneSave, OpenFailure)
{
    CWScene scene;
    setRootA(scene);
    scene.SetErrorLog(1);
    EXPECT_EQ(scene.Save(m_dir.file("missing/scene.cws")), 0);
    EXPECT_EQ(log(), joined({sjis::kFileOpenFailed}) + "\r\n");
    // A directory at the path cannot be opened as a file either (it once failed only at the close).
    std::filesystem::create_directory(m_dir.file("folder.cws"));
    EXPECT_EQ(scene.Save(m_dir.file("folder.cws")), 0);
    EXPECT_EQ(log(), joined({sjis::kFileOpenFailed, sjis::kFileOpenFailed}) + "\r\n");
    EXPECT_EQ(scene.Save(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(scene.Save(""), 0);
}

// ---------------------------------------------------------------------------------------------------
// 4. The target, the log and the chain across saves

TEST_F(SceneSave, FailedSaveKeepsOldFile)
{
    testutil::writeFile(path(), "OLD");
    {
        CWScene scene;  // no root frame: the save fails after the header was written
        EXPECT_EQ(scene.Save(path()), 0);
    }
    EXPECT_EQ(testutil::readFile(path()), "OLD");
    EXPECT_EQ(entries(), std::vector<std::string>{"scene.cws"});  // no temporary, no log without the flag

    CWScene scene;
    setRootA(scene);
    EXPECT_EQ(scene.Save(path()), 1);
    EXPECT_BYTES(testutil::readFile(path()), std::string(kHead) + kFrameA + kExit);
}

TEST_F(SceneSave, ChainAccumulatesOverSaves)
{
    const std::string once = joined({sjis::kNoRootFrame, sjis::kPartSectionLabel, sjis::kSceneLabel});
    {
        CWScene scene;
        scene.SetErrorLog(1);
        EXPECT_EQ(scene.Save(path()), 0);
        EXPECT_EQ(log(), once + "\r\n");
        EXPECT_EQ(scene.Save(path()), 0);
        EXPECT_EQ(log(), once + "-> " + once + "\r\n");
        setRootA(scene);
        EXPECT_EQ(scene.Save(path()), 1);
        EXPECT_EQ(log(), once + "-> " + once + "\r\n");  // a successful save leaves the log alone
    }
    CWScene fresh;
    fresh.SetErrorLog(1);
    EXPECT_EQ(fresh.Save(path("other.cws")), 0);
    EXPECT_EQ(log(), once + "\r\n");  // the chain began again with the new scene
}

#ifndef _WIN32
// A flush that fails when the stream is closed is a failed save (POSIX: a file size limit makes the
// kernel refuse the buffered bytes only when they are flushed).
TEST_F(SceneSave, CloseFailure)
{
    CWScene scene;
    setRootA(scene);
    scene.SetErrorLog(1);
    testutil::writeFile(path(), "OLD");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;  // the scene file is 104 bytes, the log line 36
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::int32_t result = scene.Save(path());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(log(), joined({sjis::kFileCloseFailed}) + "\r\n");
    EXPECT_EQ(testutil::readFile(path()), "OLD");
}
#endif

}  // namespace
