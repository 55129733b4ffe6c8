// Tests for scene/SceneReader, the builder of a CWScene from the record parser: every file the writer
// makes reads back to a scene that writes the same bytes; the wizard's golden files read back; what
// the file cannot show comes back as documented; a truncated file builds nothing.
#include <cwscene/SceneReader.h>

#include "scene/RecordCapture.h"
#include <cwscene/SceneItems.h>
#include "builder/SjisTexts.h"  // the wizard's names, as Shift-JIS names of real scenes
#include "scene/SjisTexts.h"
#include <cwscene/FileAccess.h>  // errorText
#include "scenefile/WriteFaults.h"  // failStreamOperation, the operation count
#include "testutil/Hex.h"

#include <gtest/gtest.h>

#include <algorithm>   // max, sort
#include <climits>     // LONG_MAX
#include <filesystem>  // directory_iterator
#include <vector>

#include <cerrno>   // ENOENT
#include <cmath>    // nextafter
#include <cstdlib>  // getenv
#include <cstring>  // memcpy
#include <string>

namespace {

using testutil::Encoding;

const scenefile::ParseOptions kCountLossy{true};  // lossyTextFloats is counted only when asked for

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
    site.SetName(wizard::sjis::kSiteName);
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
    slab.SetName(wizard::sjis::kSiteName);
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
    root.SetName(wizard::sjis::kFrameNames[0]);
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
    scene::ReadResult result = scene::readScene(bytes);
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
        scene::ReadResult result = scene::readScene(*input, kCountLossy);
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
    scene::ReadResult result = scene::readScene(bytes);
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
        scene::ReadResult result = scene::readScene(bytes, kCountLossy);
        ASSERT_TRUE(result) << result.error;
        EXPECT_EQ(result.lossyTextFloats, 0);
        const CWScene& scene = *result.scene;
        EXPECT_EQ(scene.unit(), 0);
        EXPECT_EQ(scene.materialCount(), 2u);
        EXPECT_EQ(scene.gridInterval(), 1000.0f);
        int depth = 1;
        const CWFrame* frame = scene.rootFrame();
        while (frame->childCount() == 1) {
            EXPECT_STREQ(frame->name().GetText(), wizard::sjis::kFrameNames[depth - 1]);
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

TEST(SceneReader, CountsTheFloatsTheTextEncodingWouldChange)
{
    CWScene scene;
    CWFrame frame;
    frame.SetName("F");
    frame.SetPosition(0.1234567f, 1e-7f, 2900.0f);
    scene.SetRootFrame(frame);
    std::string binary = fileOf(scene, Encoding::Binary);
    scene::ReadResult result = scene::readScene(binary, kCountLossy);
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
// Refused input (the record parser's refusals are tested in tests/scenefile/RecordParserTest.cpp)

TEST(SceneReader, RefusesEveryTruncationOfAValidFile)
{
    for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
        std::string bytes = fileOf(*fullScene(), encoding);
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            scene::ReadResult result = scene::readScene(std::string_view(bytes).substr(0, length));
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
    scene::ReadResult result = scene::readSceneFile(dir.file("zendel.cws"));
    EXPECT_TRUE(result) << result.error;
    scene::ReadResult missing = scene::readSceneFile(dir.file("missing.cws"));
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error, "cannot open the file: " + fileio::errorText(ENOENT));  // the system's reason
}

// ---------------------------------------------------------------------------------------------------
// Rewriting a file record by record gives what reading and saving it gives

// The file at `in` read and saved at `out` in `encoding`: Save's result.
std::int32_t readAndSave(const std::string& in, const std::string& out, Encoding encoding)
{
    scene::ReadResult read = scene::readSceneFile(in);
    EXPECT_TRUE(read) << read.error;
    if (!read) return 0;
    testutil::EncodingScope scope(encoding);
    return read.scene->Save(out.c_str());
}

TEST(SceneRewriter, WritesTheBytesOfReadingAndSaving)
{
    testutil::TempDir dir;
    const std::string unnamed = testutil::fromHex(  // a material and a frame without names
        "04 00 00 00 53 48 41 50 55 4E 49 54 02 00 43 4F 4C 52 01 00  00 00  CC CC CC 80 80 80 80 80 80 00 00 00 FF 80"
        "50 41 52 54 00 00 00000000 00000000 00000000 00000000 00000000 00000000 0000803F 0000803F 0000803F"
        "50 4D 49 44 00000000 00000000 54 43 44 4E 00000000 00 00 00 00 45 58 49 54");
    const std::pair<const char*, std::string> inputs[] = {
        {"every record, binary", fileOf(*fullScene(), Encoding::Binary)},
        {"every record, text", fileOf(*fullScene(), Encoding::Text)},
        {"unnamed objects", unnamed},
    };
    for (const auto& [what, bytes] : inputs) {
        testutil::writeFile(dir.file("in.cws"), bytes);
        for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
            SCOPED_TRACE(std::string(what) + (encoding == Encoding::Text ? " to text" : " to binary"));
            ASSERT_EQ(readAndSave(dir.file("in.cws"), dir.file("saved.cws"), encoding), 1);
            const std::int32_t switchBefore = binaryModeSwitch();
            scene::RewriteResult result =
                scene::rewriteSceneFile(dir.file("in.cws"), dir.file("rewritten.cws"), encoding == Encoding::Text, kCountLossy);
            EXPECT_EQ(binaryModeSwitch(), switchBefore);  // the encoding switch as it was
            ASSERT_TRUE(result.accepted()) << result.error;
            EXPECT_TRUE(result.saved);
            EXPECT_EQ(result.defaultedNames, bytes == unnamed ? 2 : 0);
            EXPECT_BYTES(testutil::readFile(dir.file("rewritten.cws")), testutil::toHex(testutil::readFile(dir.file("saved.cws"))));
        }
    }
}

// A refused input leaves the file at the path as it was, and no temporary beside it.
TEST(SceneRewriter, ARefusedInputReplacesNothing)
{
    testutil::TempDir dir;
    const std::string bytes = fileOf(*fullScene(), Encoding::Binary);
    testutil::writeFile(dir.file("in.cws"), bytes.substr(0, bytes.size() - 1));  // "EXIT" cut short
    testutil::writeFile(dir.file("out.cws"), "old");
    scene::RewriteResult result = scene::rewriteSceneFile(dir.file("in.cws"), dir.file("out.cws"), true);
    EXPECT_EQ(result.error, scene::readSceneFile(dir.file("in.cws")).error);
    EXPECT_FALSE(result.accepted());
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(testutil::readFile(dir.file("out.cws")), "old");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"in.cws", "out.cws"}));
}

// A write that fails anywhere leaves the error chain a failed Save leaves, and the file as it was.
TEST(SceneRewriter, AFailedWriteLeavesWhatAFailedSaveLeaves)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("in.cws"), fileOf(*fullScene(), Encoding::Binary));
    for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
        // The stream operations of a whole save, counted with a fault that never comes.
        scenefile::testing::failStreamOperation(LONG_MAX);
        ASSERT_EQ(readAndSave(dir.file("in.cws"), dir.file("saved.cws"), encoding), 1);
        const long operations = scenefile::detail::g_faultHook.operationCount;
        scenefile::testing::failStreamOperation(0);
        // Every seventh operation, and the last four ("EXIT"): each save is synced, so not every one.
        std::vector<long> failing;
        for (long n = 1; n <= operations; n += 7) failing.push_back(n);
        for (long n = std::max(1L, operations - 3); n <= operations; ++n) failing.push_back(n);
        for (long n : failing) {
            SCOPED_TRACE("operation " + std::to_string(n) + " of " + std::to_string(operations));
            testutil::writeFile(dir.file("out.cws"), "old");
            scenefile::testing::failStreamOperation(n);
            EXPECT_EQ(readAndSave(dir.file("in.cws"), dir.file("out.cws"), encoding), 0);
            const std::string savedChain = testutil::chain();
            releaseErrorChain();
            scenefile::testing::failStreamOperation(n);
            scene::RewriteResult result =
                scene::rewriteSceneFile(dir.file("in.cws"), dir.file("out.cws"), encoding == Encoding::Text);
            scenefile::testing::failStreamOperation(0);
            releaseErrorChain();
            EXPECT_TRUE(result.accepted());
            EXPECT_FALSE(result.saved);
            EXPECT_EQ(result.errorChain, savedChain);
            EXPECT_EQ(testutil::readFile(dir.file("out.cws")), "old");
        }
    }
}

}  // namespace
