// Tests for scenefile/SceneReader: every file the writer makes reads back to a scene that writes the
// same bytes; the wizard's golden files read back; malformed files are refused at the right place.
#include "scene/SceneReader.h"

#include "scene/RecordCapture.h"
#include "scene/SceneItems.h"
#include "scene/SjisTexts.h"
#include "testutil/Hex.h"

#include <gtest/gtest.h>

#include <cmath>    // nextafter
#include <cstdlib>  // getenv
#include <cstring>  // memcpy
#include <string>

namespace {

using testutil::Encoding;

// The whole file as the scene's own writer produces it, in one encoding.
std::string fileOf(CWScene& scene, Encoding encoding)
{
    testutil::EncodingScope scope(encoding);
    return testutil::capture([&](std::FILE* stream) { scene.Write(stream); });
}

// A scene with every optional record and chunk the format has, names with CR and LF inside, and
// floats that all survive six decimals.
std::unique_ptr<CWScene> fullScene()
{
    auto scene = std::make_unique<CWScene>();
    scene->SetUnit(7);
    CWMaterial site;
    site.SetName(sjis::kSiteName);
    site.SetColor1(0, 128, 0);
    site.SetValue2(3);
    scene->AddMaterial(site);
    CWMaterial odd;
    odd.SetName("two\r\nlines");
    odd.SetColor4(1, 2, 3);
    scene->AddMaterial(odd);

    Texture texture;
    texture.setFileName("wood\n.bmp");
    scene->AddTexture(texture);  // stays unnamed: textures get no default name

    CWFrame inner;
    inner.SetName("inner");
    inner.SetPosition(0.0f, 0.0f, 2900.0f);
    inner.setVisible(0);
    inner.setLock(5, 0, 8);
    inner.SetLayer(1);
    inner.setGrid3({0.5f, 910.0f});
    inner.m_partId = 25;
    inner.m_partId2 = -1;
    inner.setTcdn(12345);
    CWCube slab;
    slab.SetName(sjis::kSiteName);
    slab.SetPosition(0.0f, 0.0f, -50.0f);
    slab.SetSize(15000.0f, 15000.0f, 100.0f);
    slab.SetMaterialIndex(0);
    inner.AddShape(slab);
    CWCube textured;
    textured.SetTextureIndex(0);
    textured.setFloat3(0.25f);
    textured.setLock(8, 0, 0);
    inner.AddShape(textured);
    CWCube wrapped;
    wrapped.SetName("");
    CWPartialWrap wrap;
    wrap.SetTexture(3, "tile.bmp");
    wrapped.AddPartialWrap(wrap);
    wrap.setLetter1('D');
    wrap.SetTexture(-7, "stone.bmp");
    wrapped.AddPartialWrap(wrap);
    inner.AddShape(wrapped);
    inner.AddSprmSecond(65535);
    CWActionUnit action;
    action.SetActionType(-1);
    action.SetActionOption(65535);
    CWActionParam step;
    step.SetScalar(0.75f);
    step.SetPosition(1.0f, 2.0f, 3.0f);
    action.AddParam(step);
    action.AddParam(CWActionParam());
    action.SetActionText(11, "open\r\n");
    action.SetActionText(13, sjis::kCubeName);
    inner.SetAction(&action);

    CWFrame hidden;
    hidden.SetName("empty action");
    CWActionUnit noSteps;
    hidden.SetAction(&noSteps);  // writes nothing at all
    CWFrame root;
    root.SetName(sjis::kFrameNames[0]);
    root.AddChild(inner);
    root.AddChild(hidden);
    root.AddSprmFirst(1);
    scene->SetRootFrame(root);

    for (int i = 0; i < 16; ++i) {
        Light light;
        light.setPosition(static_cast<float>(i), 0.0f, 3000.0f);
        scene->AddLight(light);  // named 新規光源1 ... 新規光源16
    }
    scene->SetViewValues(45.0f, -0.5f);
    View view;
    view.SetName("front");
    view.setEye(0.0f, -20000.0f, 1600.0f);
    scene->AddView(view);
    Background sky;
    sky.setColor(135, 206, 235);
    scene->AddBackground(sky);
    Background photo;
    photo.SetName("photo");
    photo.setImageFileName("site.jpg");
    scene->AddBackground(photo);
    Lead lead;
    lead.addPoint(0.0f, 0.0f, 0.0f);
    lead.addPoint(1000.0f, 0.0f, 0.0f);
    scene->AddLead(lead);
    Lead noPoints;
    noPoints.SetName("no points");
    scene->AddLead(noPoints);
    CWSensorUnit sensor;
    sensor.setSensorType(-3);
    scene->AddSensor(sensor);
    scene->setGrid2({910.0f});
    scene->SetGridInterval(1000.0f);
    scene->SetThickness(5.0f, 0.0f, 1.0f);
    return scene;
}

// Reads `bytes`, failing the test with the reader's message when they are refused.
std::unique_ptr<CWScene> readBack(const std::string& bytes)
{
    scenefile::ReadResult result = scenefile::readScene(bytes);
    EXPECT_TRUE(result) << result.error;
    return std::move(result.scene);
}

// ---------------------------------------------------------------------------------------------------
// Round trips through the library's own writer

TEST(SceneReader, EveryRecordRoundTripsInBothEncodings)
{
    std::unique_ptr<CWScene> scene = fullScene();
    const std::string binary = fileOf(*scene, Encoding::Binary);
    const std::string text = fileOf(*scene, Encoding::Text);

    for (const std::string* input : {&binary, &text}) {
        SCOPED_TRACE(input == &binary ? "read from binary" : "read from text");
        scenefile::ReadResult result = scenefile::readScene(*input);
        ASSERT_TRUE(result) << result.error;
        EXPECT_EQ(result.defaultedNames, 0);
        EXPECT_EQ(result.lossyTextFloats, 0);
        EXPECT_BYTES(fileOf(*result.scene, Encoding::Binary), testutil::toHex(binary));
        EXPECT_BYTES(fileOf(*result.scene, Encoding::Text), testutil::toHex(text));
    }
}

TEST(SceneReader, RestoresWhatTheWriterCannotShowDirectly)
{
    std::unique_ptr<CWScene> scene = readBack(fileOf(*fullScene(), Encoding::Binary));
    ASSERT_TRUE(scene);
    const CWFrame& root = *scene->rootFrame();
    ASSERT_EQ(root.childCount(), 2u);
    const CWFrame& inner = root.child(0);
    EXPECT_EQ(inner.visible(), 0);
    EXPECT_EQ(inner.layer(), 1);
    EXPECT_EQ(inner.lock()[0], 5u);  // lock words 5, 0, 8 keep their low three bits: 5, 0, 0
    EXPECT_EQ(inner.lock()[2], 0u);
    EXPECT_EQ(inner.shape(1).lock()[0], 8u);  // all-zero low bits come back as 8, 0, 0
    EXPECT_EQ(inner.shape(2).partialWraps().at(1).textureFileName(), CWString().AssignText("stone.bmp"));
    EXPECT_EQ(inner.shape(2).partialWraps().at(1).index(), -7);
    ASSERT_NE(inner.action(), nullptr);
    EXPECT_EQ(inner.action()->paramCount(), 2u);
    EXPECT_STREQ(inner.action()->actionText(11).GetText(), "open\r\n");
    EXPECT_EQ(root.child(1).action(), nullptr);  // an action without steps is not in the file
    EXPECT_EQ(scene->lightCount(), 16u);
    EXPECT_EQ(scene->backgroundCount(), 2u);
    EXPECT_STREQ(scene->material(1).name().GetText(), "two\r\nlines");
}

TEST(SceneReader, LockWordsKeepTheirLowThreeBits)
{
    struct Row { std::uint32_t written[3]; std::uint32_t read[3]; };
    const Row rows[] = {
        {{1, 0, 0}, {1, 0, 0}}, {{7, 6, 5}, {7, 6, 5}}, {{9, 0, 0}, {1, 0, 0}},
        {{0, 0, 8}, {8, 0, 0}}, {{16, 24, 0xFFFFFFF8u}, {8, 0, 0}}, {{0xFFFFFFFFu, 2, 3}, {7, 2, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.written[0] << " " << row.written[1] << " " << row.written[2]);
        CWScene scene;
        CWFrame frame;
        frame.setLock(row.written[0], row.written[1], row.written[2]);
        CWCube cube;
        cube.setLock(row.written[0], row.written[1], row.written[2]);
        frame.AddShape(cube);
        scene.SetRootFrame(frame);
        std::string bytes = fileOf(scene, Encoding::Binary);
        std::unique_ptr<CWScene> back = readBack(bytes);
        ASSERT_TRUE(back);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(back->rootFrame()->lock()[i], row.read[i]);
            EXPECT_EQ(back->rootFrame()->shape(0).lock()[i], row.read[i]);
        }
        EXPECT_EQ(fileOf(*back, Encoding::Binary), bytes);
    }
}

TEST(SceneReader, UnnamedObjectsComeBackWithTheirDefaultNames)
{
    // Hand-made: the writer never leaves a material or a frame unnamed, but a file can.
    const std::string bytes = testutil::fromHex(
        "04 00 00 00 53 48 41 50 55 4E 49 54 02 00"                          // header, SHAP, UNIT 2
        "43 4F 4C 52 01 00  00 00  CC CC CC 80 80 80 80 80 80 00 00 00 FF 80"  // COLR, 1, unnamed
        "50 41 52 54 00 00"                                                     // PART, unnamed
        "00000000 00000000 00000000 00000000 00000000 00000000"
        "0000803F 0000803F 0000803F"
        "50 4D 49 44 00000000 00000000 54 43 44 4E 00000000 00 00 00 00"
        "45 58 49 54");
    scenefile::ReadResult result = scenefile::readScene(bytes);
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.defaultedNames, 2);
    EXPECT_STREQ(result.scene->material(0).name().GetText(), "\x90\x56\x8B\x4B\x90\x46" "1");  // 新規色1
    EXPECT_STREQ(result.scene->rootFrame()->name().GetText(), sjis::kNewFrameName);
}

// ---------------------------------------------------------------------------------------------------
// The wizard's own files (golden files assembled by hand for the builder's tests)

std::string golden(const char* name)
{
    const char* root = std::getenv("SKIPFLOOR_SOURCE_DIR");
    return testutil::fromHex(testutil::readFile(std::string(root ? root : ".") + "/tests/builder/golden/" + name));
}

TEST(SceneReader, ReadsTheWizardsGoldenFiles)
{
    for (const char* name : {"zendel-default.hex", "zendel-default-text.hex", "zendel-h1-2000.hex"}) {
        SCOPED_TRACE(name);
        std::string bytes = golden(name);
        ASSERT_FALSE(bytes.empty());
        scenefile::ReadResult result = scenefile::readScene(bytes);
        ASSERT_TRUE(result) << result.error;
        EXPECT_EQ(result.lossyTextFloats, 0);
        const CWScene& scene = *result.scene;
        EXPECT_EQ(scene.unit(), 0);
        EXPECT_EQ(scene.materialCount(), 2u);
        EXPECT_EQ(scene.gridInterval(), 1000.0f);
        int depth = 1;
        const CWFrame* frame = scene.rootFrame();
        while (frame->childCount() == 1) {
            EXPECT_STREQ(frame->name().GetText(), sjis::kFrameNames[depth - 1]);
            EXPECT_EQ(frame->partId(), depth);
            frame = &frame->child(0);
            ++depth;
        }
        EXPECT_EQ(depth, 25);
        EXPECT_EQ(frame->shapeCount(), 2u);
        Encoding encoding = result.encoding == scenefile::Encoding::Text ? Encoding::Text : Encoding::Binary;
        EXPECT_BYTES(fileOf(*result.scene, encoding), testutil::toHex(bytes));
    }
}

TEST(SceneReader, BinaryToTextToBinaryIsIdenticalForTheWizardsFile)
{
    std::string binary = golden("zendel-default.hex");
    std::unique_ptr<CWScene> fromBinary = readBack(binary);
    ASSERT_TRUE(fromBinary);
    std::string text = fileOf(*fromBinary, Encoding::Text);
    EXPECT_EQ(text, golden("zendel-default-text.hex"));
    std::unique_ptr<CWScene> fromText = readBack(text);
    ASSERT_TRUE(fromText);
    EXPECT_EQ(fileOf(*fromText, Encoding::Binary), binary);
}

// ---------------------------------------------------------------------------------------------------
// Floats in the text encoding

TEST(SceneReader, TextKeepsTheFloatsThatSixDecimalsIdentify)
{
    // The documented promise: multiples of 1/64, and every float of magnitude 16 or more.
    for (float f = 16.0f; f < 3.0e9f; f = std::nextafter(f * 1.0009765625f, 1e10f)) {
        ASSERT_EQ(scenefile::throughText(f), f) << f;
        ASSERT_EQ(scenefile::throughText(-f), -f) << f;
    }
    for (int i = -200000; i <= 200000; ++i) {
        float f = static_cast<float>(i) / 64.0f;
        ASSERT_EQ(scenefile::throughText(f), f) << f;
    }
    // ... and not others.
    EXPECT_NE(scenefile::throughText(0.1234567f), 0.1234567f);
    EXPECT_NE(scenefile::throughText(1e-7f), 1e-7f);
}

TEST(SceneReader, CountsTheFloatsTheTextEncodingWouldChange)
{
    CWScene scene;
    CWFrame frame;
    frame.SetName("F");
    frame.SetPosition(0.1234567f, 1e-7f, 2900.0f);
    scene.SetRootFrame(frame);
    std::string binary = fileOf(scene, Encoding::Binary);
    scenefile::ReadResult result = scenefile::readScene(binary);
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(result.lossyTextFloats, 2);

    std::unique_ptr<CWScene> throughText = readBack(fileOf(*result.scene, Encoding::Text));
    ASSERT_TRUE(throughText);
    EXPECT_NE(fileOf(*throughText, Encoding::Binary), binary);
    EXPECT_EQ(throughText->rootFrame()->position().m_y, 0.0f);  // 0.000000
}

TEST(SceneReader, TextKeepsSectionsWhosePositiveValuesPrintAsZero)
{
    // Found by fuzzing: a grid interval or thickness below 0.0000005 is written, because it is
    // positive, but its text is 0.000000. The text must still read back, and write the same text.
    CWScene scene;
    CWFrame frame;
    frame.SetName("F");
    scene.SetRootFrame(frame);
    scene.SetGridInterval(1e-7f);
    scene.SetThickness(1e-9f, -0.0f, 1e-30f);
    std::string text = fileOf(scene, Encoding::Text);
    ASSERT_NE(text.find(testutil::lines({"GINT", "0.000000", "THCK", "0.000000", "-0.000000", "0.000000"})),
              std::string::npos);
    std::unique_ptr<CWScene> back = readBack(text);
    ASSERT_TRUE(back);
    EXPECT_GT(back->gridInterval(), 0.0f);
    EXPECT_GT(back->thickness3(), 0.0f);
    EXPECT_EQ(fileOf(*back, Encoding::Text), text);
}

// ---------------------------------------------------------------------------------------------------
// Refused input

// The smallest valid binary file up to the root's shape count, for building broken variants.
const char* const kHead = "04 00 00 00 53 48 41 50 55 4E 49 54 00 00 ";  // header, SHAP, UNIT 0
const char* const kPartA = "50 41 52 54 01 00 41 "                      // PART, "A"
                           "00000000 00000000 00000000 00000000 00000000 00000000 "
                           "0000803F 0000803F 0000803F ";
const char* const kIds = "50 4D 49 44 00000000 00000000 54 43 44 4E 00000000 ";  // PMID, TCDN

TEST(SceneReader, RefusesMalformedBinaryAtTheRightOffset)
{
    struct Row { const char* what; std::string hex; const char* message; };
    const std::string head = kHead, part = kPartA, ids = kIds;
    const std::string leaf = part + ids + "00 00 00 00 ";  // no shapes, no children
    const Row rows[] = {
        {"empty", "", "the file is empty"},
        {"header only", "04 00 00 00", "offset 4: expected the tag SHAP, found 'end of file'"},
        {"other version", "05 00 00 00 53 48 41 50", "offset 0: format version 5 is not supported (expected 4)"},
        {"truncated unit", "04 00 00 00 53 48 41 50 55 4E 49 54 00",
         "offset 12: unexpected end of file: expected the unit (2 bytes), 1 left"},
        {"no part section", head + "45 58 49 54", "offset 14: expected the part section (tag PART"},
        {"empty colour section", head + "43 4F 4C 52 00 00" + leaf + "45 58 49 54",
         "offset 18: material count is 0; the writer leaves an empty list out instead"},
        {"lying material count", head + "43 4F 4C 52 FF FF 00 00",
         "offset 18: material count 65535 cannot be right: that many need at least 983025 bytes, only 2 remain"},
        {"lying child count", head + part + ids + "00 00 FF FF 50 41 52 54",
         "offset 79: child count 65535 cannot be right"},
        {"lying name length", head + "50 41 52 54 FF 00 41",
         "offset 20: unexpected end of file: expected part name (255 bytes), 1 left"},
        {"NUL in a name", head + "50 41 52 54 02 00 41 00",
         "offset 18: part name holds a NUL byte at index 1"},
        {"wrong hidden mark", head + part + "53 48 57 50 59" + ids + "00 00 00 00 45 58 49 54",
         "offset 61: expected hidden mark 'N', found 'Y'"},
        {"lock value above 7", head + part + "4C 43 4B 50 07 00 08 00 07 00" + ids + "00 00 00 00 45 58 49 54",
         "offset 63: part lock value 8 is not from 0 to 7"},
        {"optional chunks out of order", head + part + "4C 59 52 4C 59 53 48 57 50 4E" + ids,
         "offset 62: expected the tag PMID (after the optional SHWP, LCKP, LYRL and GRDP, in this order), "
         "found 'SHWPNPMI'"},
        {"empty GRDP", head + part + "47 52 44 50 00 00 00 00 00 00" + ids, "offset 57: GRDP with three empty lists"},
        {"unknown shape", head + part + ids + "01 00 53 50 48 52" + std::string(32, '0'),
         "offset 79: expected the shape type CUBE (the only kind of shape), found 'SPHR'"},
        {"wrap marker without wraps",
         head + part + ids + "01 00 43 55 42 45 00 00" + std::string(72, '0') + "00 00 FE FF 00 00",
         "offset 125: partial wrap count is 0"},
        {"missing EXIT", head + leaf, "offset 81: expected LIGT, VIEW, BACK, LEAD, SENS, GRDW, GINT, THCK or EXIT, "
                                      "found 'end of file'"},
        {"sections out of order", head + leaf + "47 49 4E 54 00 00 7A 44 4C 45 41 44",
         "offset 89: expected THCK or EXIT, found 'LEAD'"},
        {"grid interval of 0", head + leaf + "47 49 4E 54 00 00 00 00 45 58 49 54",
         "offset 81: GINT with a grid interval that is not above 0"},
        {"17 lights", head + leaf + "4C 49 47 54 11 00" + std::string(17 * 2 * 17, '0') + "45 58 49 54",
         "offset 81: more than 16 lights (17)"},
        {"bytes after EXIT", head + leaf + "45 58 49 54 00", "offset 85: 1 bytes after EXIT"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        scenefile::ReadResult result = scenefile::readScene(testutil::fromHex(row.hex));
        EXPECT_FALSE(result);
        EXPECT_EQ(result.error.substr(0, std::strlen(row.message)), row.message) << result.error;
    }
}

TEST(SceneReader, RefusesMalformedTextAtTheRightLine)
{
    auto lines = [](std::initializer_list<std::string> items) { return testutil::lines(items); };
    const std::string head = lines({"4", "SHAP", "UNIT", "0"});
    const std::string floats = lines({"0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000",
                                      "1.000000", "1.000000", "1.000000"});
    const std::string leafTail = lines({"PMID", "0", "0", "TCDN", "0", "0", "0", "EXIT"});
    struct Row { const char* what; std::string text; const char* message; };
    const Row rows[] = {
        {"version 5", lines({"5", "SHAP"}), "line 1: format version 5 is not supported"},
        {"LF without CR", "4\nSHAP\n", "line 1: line ends in LF without CR"},
        {"unit not a number", lines({"4", "SHAP", "UNIT", "x"}),
         "line 4: expected the unit (an integer from 0 to 65535), found 'x'"},
        {"unit out of range", lines({"4", "SHAP", "UNIT", "65536"}), "line 4: expected the unit (an integer from 0"},
        {"lying block length", head + lines({"PART", "99 A"}),
         "line 6: unexpected end of file: part name claims 99 bytes"},
        {"block without its blank", head + lines({"PART", "1A"}), "line 6: expected part name as a length"},
        {"exponent in a float", head + lines({"PART", "1 A", "1.0e5"}),
         "line 7: expected part position (a 32-bit float in fixed notation), found '1.0e5'"},
        {"float beyond the float range", head + lines({"PART", "1 A", std::string(40, '9') + ".000000"}),
         "line 7: expected part position (a 32-bit float"},
        {"character line too long", head + lines({"PART", "1 A"}) + floats + lines({"SHWP", "NN"}),
         "line 17: expected CR LF after hidden mark"},
        {"name with a line break read by length", head + lines({"PART", "4 A", "B"}) + floats + leafTail + "x",
         "line 25: 1 bytes after EXIT"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        scenefile::ReadResult result = scenefile::readScene(row.text);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.error.substr(0, std::strlen(row.message)), row.message) << result.error;
    }
}

// Binary bytes of `depth` frames nested one in the other, each with one child but the innermost.
std::string nestedFrames(int depth)
{
    std::string bytes = testutil::fromHex(kHead);
    const std::string part = testutil::fromHex(std::string(kPartA) + kIds + "00 00");
    for (int i = 0; i < depth; ++i) bytes += part + (i + 1 < depth ? std::string("\x01\x00", 2) : std::string(2, '\0'));
    return bytes + "EXIT";
}

TEST(SceneReader, RefusesFramesNestedDeeperThanTheLimit)
{
    scenefile::ReadResult deepest = scenefile::readScene(nestedFrames(scenefile::kMaxFrameDepth));
    EXPECT_TRUE(deepest) << deepest.error;
    scenefile::ReadResult tooDeep = scenefile::readScene(nestedFrames(scenefile::kMaxFrameDepth + 1));
    EXPECT_FALSE(tooDeep);
    EXPECT_NE(tooDeep.error.find("frames nested deeper than 256 levels"), std::string::npos) << tooDeep.error;
    // A file a million levels deep is refused just as quickly, without exhausting the stack.
    EXPECT_FALSE(scenefile::readScene(nestedFrames(100000)));
}

TEST(SceneReader, RefusesEveryTruncationOfAValidFile)
{
    for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
        std::string bytes = fileOf(*fullScene(), encoding);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            scenefile::ReadResult result = scenefile::readScene(std::string_view(bytes).substr(0, length));
            ASSERT_FALSE(result) << "accepted the first " << length << " bytes";
            ASSERT_FALSE(result.error.empty());
        }
    }
}

TEST(SceneReader, ReadsFilesAndRefusesWhatIsNotThere)
{
    testutil::TempDir dir;
    std::string bytes = golden("zendel-default.hex");
    testutil::writeFile(dir.file("zendel.cws"), bytes);
    scenefile::ReadResult result = scenefile::readSceneFile(dir.file("zendel.cws"));
    EXPECT_TRUE(result) << result.error;
    scenefile::ReadResult missing = scenefile::readSceneFile(dir.file("missing.cws"));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error, "cannot open the file");
}

}  // namespace
