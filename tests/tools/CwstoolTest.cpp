// Tests for cwstool (tools/cwstool/Commands.h): usage and exit codes, check on good and corrupted
// files and its warnings (the wizard's dimensions among them), convert round trips without half-written output, dump's UTF-8 tree and flat
// list with absolute heights, the wizard's parameter file, preview's section in SVG and PNG.
#include "tools/cwstool/output/CheckedOutput.h"
#include "tools/cwstool/Commands.h"
#include "tools/cwstool/preview/PngOutput.h"
#include "tools/cwstool/output/TextOutput.h"
#include "CwstoolRun.h"

#include "builder/ParamFile.h"  // SetDefaultParams
#include "builder/CommandLineRecord.h"
#include "builder/Registry.h"
#include "builder/SceneBuilder.h"
#include <cwscene/FileAccess.h>  // errorText
#include <cwscene/Scene.h>
#include "testutil/Hex.h"

#include <gtest/gtest.h>

#include <cerrno>   // ENOENT
#include <cmath>    // ldexp
#include <cstdlib>  // getenv
#include <cstring>  // strlen
#include <limits>   // infinity, quiet_NaN
#include <sstream>
#include <string>
#include <vector>

namespace {

using cwstooltest::cwstool;
using cwstooltest::golden;
using cwstooltest::Outcome;

// A scene file larger than the reader's window: a root frame with 3000 boxes.
bool saveLongScene(const std::string& path)
{
    CWScene scene;
    CWFrame root;
    root.SetName("root");
    for (int i = 0; i < 3000; ++i) root.AddShape(CWCube());
    scene.SetRootFrame(root);
    return scene.Save(path.c_str()) == 1;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::size_t countOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The values of attribute `name` in the elements that begin with `element`, in document order.
std::vector<std::string> attributes(const std::string& svg, const std::string& element, const std::string& name)
{
    std::vector<std::string> values;
    for (std::size_t at = svg.find(element); at != std::string::npos; at = svg.find(element, at + 1)) {
        std::size_t start = svg.find(" " + name + "=\"", at) + name.size() + 3;
        values.push_back(svg.substr(start, svg.find('"', start) - start));
    }
    return values;
}

// The heights above the root of the 25 frames of the wizard's scene with a first-floor room height of
// 2000 mm and the other dimensions at their defaults (tests/builder/golden/zendel-h1-2000.hex), frame
// 1 first, summed by hand from the builder's offsets: frame 2 at 11560, frame 25 back at 0.
const char* const kHeightsH1[25] = {"0",    "11560", "10110", "11310", "8910", "8660", "9860", "7460", "7210",
                                    "8410", "6010",  "5760",  "6960",  "4560", "4310", "5510", "3110", "2860",
                                    "4060", "2060",  "1810",  "2610",  "610",  "400",  "0"};

TEST(Cwstool, UsageAndExitCodes)
{
    struct Row { std::vector<std::string> args; int status; std::string err; };
    const Row rows[] = {
        {{}, 2, "cwstool: no command given\nTry 'cwstool --help' for more information.\n"},
        {{"frobnicate"}, 2, "cwstool: unknown command 'frobnicate'\n"},
        {{"check"}, 2, "cwstool: check takes --strict or nothing, then one FILE\n"},
        {{"dump", "a", "b"}, 2, "cwstool: dump takes --flat or nothing, then one FILE\n"},
        {{"convert", "--utf8", "a", "b"}, 2, "cwstool: convert takes --text or --binary, then IN and OUT\n"},
        {{"convert", "--text", "a"}, 2, "cwstool: convert takes --text or --binary, then IN and OUT\n"},
        {{"preview", "a"}, 2, "cwstool: preview takes FILE and OUT.svg or OUT.png\n"},
        {{"preview", "a", "b.jpg"}, 2, "cwstool: preview writes SVG (OUT.svg) or PNG (OUT.png); 'b.jpg' names neither\n"},
        {{"preview", "a", "svg"}, 2, "cwstool: preview writes SVG (OUT.svg) or PNG (OUT.png); 'svg' names neither\n"},
        {{"check", "--flat", "a"}, 2, "cwstool: check takes --strict or nothing, then one FILE\n"},
        {{"dump", "--strict", "a"}, 2, "cwstool: dump takes --flat or nothing, then one FILE\n"},
        {{"check", "/nonexistent/zendel.cws"}, 1,
         "cwstool: /nonexistent/zendel.cws: cannot open the file: " + fileio::errorText(ENOENT) + "\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.empty() ? std::string("(none)") : row.args[0]);
        Outcome result = cwstool(row.args);
        EXPECT_EQ(result.status, row.status);
        EXPECT_EQ(result.err.substr(0, row.err.size()), row.err);
        EXPECT_EQ(result.out, "");
    }
    Outcome help = cwstool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, cwstool::usageText());
    EXPECT_EQ(help.err, "");
}

TEST(Cwstool, CheckAcceptsTheWizardsFilesAndRefusesEveryCorruption)
{
    testutil::TempDir dir;
    const std::string good = golden("zendel-default.hex");
    testutil::writeFile(dir.file("zendel.cws"), good);
    testutil::writeFile(dir.file("zendel-text.cws"), golden("zendel-default-text.hex"));
    Outcome binary = cwstool({"check", dir.file("zendel.cws")});
    EXPECT_EQ(binary.status, 0) << binary.err;
    EXPECT_EQ(binary.out, dir.file("zendel.cws") + ": valid binary scene file, 25 frames, 2 shapes, 2 materials\n");
    EXPECT_EQ(cwstool({"check", dir.file("zendel-text.cws")}).status, 0);

    // Corrupted variants: cut short anywhere, one byte of a tag, count or name changed, bytes appended.
    struct Row { const char* what; std::size_t offset; int delta; const char* message; };
    const Row rows[] = {
        {"SHAP misspelt", 4, 1, "offset 4: expected the tag SHAP, found 'THAP"},
        {"material count raised", 18, 1, "offset 62: unexpected end of file: expected material name (16720 bytes)"},
        {"material name length raised", 20, 200, "offset"},
        {"root name length cut to 0", 64, -12, "offset 102: expected the tag PMID"},
        {"PMID misspelt", 119, 1, "offset 119: expected the tag PMID"},
        {"child count raised", 141, 1, "offset 2194: expected the tag PART, found 'GINT"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::string bad = good;
        bad[row.offset] = static_cast<char>(bad[row.offset] + row.delta);
        testutil::writeFile(dir.file("bad.cws"), bad);
        std::string prefix = "cwstool: " + dir.file("bad.cws") + ": " + row.message;
        for (const char* command : {"check", "dump"}) {  // dump streams, but shows no part of a bad file
            Outcome result = cwstool({command, dir.file("bad.cws")});
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err.substr(0, prefix.size()), prefix) << result.err;
        }
    }
    for (std::size_t length = 0; length < good.size(); length += 37) {
        testutil::writeFile(dir.file("short.cws"), good.substr(0, length));
        Outcome result = cwstool({"check", dir.file("short.cws")});
        EXPECT_EQ(result.status, 1) << length;
        std::string prefix = "cwstool: " + dir.file("short.cws") + ": " + (length == 0 ? "the file is empty" : "offset ");
        EXPECT_EQ(result.err.substr(0, prefix.size()), prefix) << result.err;
    }
    testutil::writeFile(dir.file("long.cws"), good + "EXIT");
    EXPECT_TRUE(contains(cwstool({"check", dir.file("long.cws")}).err, "4 bytes after EXIT"));
}

TEST(Cwstool, ConvertRoundTripsAndNeverLeavesAHalfWrittenFile)
{
    testutil::TempDir dir;
    const std::string binary = golden("zendel-default.hex");
    testutil::writeFile(dir.file("zendel.cws"), binary);

    EXPECT_EQ(cwstool({"convert", "--text", dir.file("zendel.cws"), dir.file("zendel.txt")}).status, 0);
    EXPECT_EQ(testutil::readFile(dir.file("zendel.txt")), golden("zendel-default-text.hex"));
    Outcome back = cwstool({"convert", "--binary", dir.file("zendel.txt"), dir.file("again.cws")});
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(testutil::readFile(dir.file("again.cws")), binary);

    // A refused input leaves an existing OUT exactly as it was; a failed write creates nothing.
    testutil::writeFile(dir.file("broken.cws"), binary.substr(0, 100));
    testutil::writeFile(dir.file("keep.txt"), "keep me");
    Outcome refused = cwstool({"convert", "--text", dir.file("broken.cws"), dir.file("keep.txt")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(testutil::readFile(dir.file("keep.txt")), "keep me");
    Outcome unwritable = cwstool({"convert", "--text", dir.file("zendel.cws"), dir.file("missing/out.txt")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(contains(unwritable.err, "cannot write the file")) << unwritable.err;
    EXPECT_FALSE(testutil::fileExists(dir.file("missing/out.txt")));
}

// A full device gives the system's reason, whether the writer's stream refused the bytes on the way (a
// long scene) or at the end (a short one); the long one once showed only the library's trail.
TEST(Cwstool, ConvertOntoAFullDeviceSaysWhy)
{
    if (!testutil::fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    ASSERT_TRUE(saveLongScene(dir.file("long.cws")));
    for (const char* input : {"zendel.cws", "long.cws"}) {
        for (const char* mode : {"--text", "--binary"}) {
            SCOPED_TRACE(std::string(input) + " " + mode);
            Outcome full = cwstool({"convert", mode, dir.file(input), "/dev/full"});
            EXPECT_EQ(full.status, 1);
            EXPECT_EQ(full.err, "cwstool: /dev/full: cannot write the file: " + fileio::errorText(ENOSPC) + "\n");
        }
    }
}

// Results that could not be written to standard output are a failure with the system's reason, found
// when the C stream refuses them (more than its buffer) or when it is flushed at the end.
TEST(Cwstool, OutputThatCannotBeWrittenSaysWhy)
{
    std::FILE* full = std::fopen("/dev/full", "w");
    if (!full) GTEST_SKIP() << "no /dev/full here";
    for (std::size_t size : {std::size_t{10}, std::size_t{1} << 20}) {
        cwstool::CheckedOutput output(full);
        std::ostream out(&output);
        out << std::string(size, 'x') << "and more";
        EXPECT_FALSE(output.finish()) << size;
        EXPECT_EQ(output.error(), ENOSPC) << size;
        std::clearerr(full);
    }
    std::fclose(full);
}

TEST(Cwstool, ConvertWarnsWhenTheTextCannotKeepAFloat)
{
    testutil::TempDir dir;
    std::string bytes = golden("zendel-default.hex");
    // The root's position x (offset 78) becomes 1e-7f = 33 D6 BF 95, whose text is 0.000000.
    bytes.replace(78, 4, testutil::fromHex("95 BF D6 33"));
    testutil::writeFile(dir.file("odd.cws"), bytes);
    Outcome text = cwstool({"convert", "--text", dir.file("odd.cws"), dir.file("odd.txt")});
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(contains(text.err, "warning: 1 float value needs more than six decimals")) << text.err;
    EXPECT_EQ(cwstool({"convert", "--binary", dir.file("odd.txt"), dir.file("odd2.cws")}).status, 0);
    EXPECT_NE(testutil::readFile(dir.file("odd2.cws")), bytes);
}

// The dump of a long file goes out in pieces as its records stream by; one that is refused near its
// end must still print nothing at all.
TEST(Cwstool, DumpOfALongFileRefusedAtItsEndPrintsNothing)
{
    testutil::TempDir dir;
    ASSERT_TRUE(saveLongScene(dir.file("long.cws")));
    std::string bytes = testutil::readFile(dir.file("long.cws"));
    testutil::writeFile(dir.file("short.cws"), bytes.substr(0, bytes.size() - 1));

    Outcome whole = cwstool({"dump", dir.file("long.cws")});
    ASSERT_EQ(whole.status, 0);
    ASSERT_GT(whole.out.size(), 200000u);  // several of the dump's pieces
    Outcome cut = cwstool({"dump", dir.file("short.cws")});
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.out, "");
    EXPECT_TRUE(contains(cut.err, "or EXIT, found 'EXI'")) << cut.err;
}

TEST(Cwstool, DumpShowsTheTreeWithUtf8Names)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    Outcome dump = cwstool({"dump", dir.file("zendel.cws")});
    EXPECT_EQ(dump.status, 0) << dump.err;
    const std::string expected[] = {
        "materials (2)\n  [0] \"敷地\" colours (0, 128, 0) (128, 128, 128) (128, 128, 128) (0, 0, 0) values 255 128\n",
        "\nparts\n  PART \"エクステリア\" id 1/0 position (0, 0, 0) height 0 rotation (0, 0, 0) scale (1, 1, 1) layer\n"
        "    PART \"4階屋根\" id 2/0 position (0, 0, 11960)",
        "\n" + std::string(2 * 25, ' ') + "PART \"基礎・敷地\" id 25/0 position (0, 0, -400)",
        "\n" + std::string(2 * 26, ' ') + "CUBE \"基礎\" position (0, 0, 200) rotation (0, 0, 0) size (10000, 10000, 400) "
        "material 1 texture -1\n",
        "\ngrid interval 1000\nthickness 100 2900 210\n",
    };
    for (const std::string& part : expected) EXPECT_TRUE(contains(dump.out, part)) << part << "\n---\n" << dump.out;
}

// Each frame's height above the root, in the tree beside its position and in the flat list, with
// the frames' shapes: the sums of the offsets, not the offsets.
TEST(Cwstool, DumpShowsEachFramesAbsoluteHeight)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("h1.cws"), golden("zendel-h1-2000.hex"));
    Outcome tree = cwstool({"dump", dir.file("h1.cws")});
    ASSERT_EQ(tree.status, 0) << tree.err;
    Outcome flat = cwstool({"dump", "--flat", dir.file("h1.cws")});
    ASSERT_EQ(flat.status, 0) << flat.err;
    EXPECT_EQ(countOf(flat.out, "\n"), 25u) << "a line per frame and nothing else:\n" << flat.out;

    std::istringstream flatLines(flat.out);
    std::string parent;  // the path of the frame before, without its closing quote
    for (int n = 1; n <= 25; ++n) {
        SCOPED_TRACE("frame " + std::to_string(n));
        const std::string height = kHeightsH1[n - 1];
        const std::string id = " id " + std::to_string(n) + "/0 position ";
        std::size_t at = tree.out.find(id);
        ASSERT_NE(at, std::string::npos);
        std::size_t line = tree.out.find('\n', at);
        EXPECT_TRUE(contains(tree.out.substr(at, line - at), ") height " + height + " rotation")) << tree.out.substr(at, line - at);

        std::string flatLine;  // each frame is the only child of the one before
        ASSERT_TRUE(std::getline(flatLines, flatLine));
        EXPECT_EQ(flatLine.substr(0, parent.size() + 1), n == 1 ? "\"" : parent + "/") << flatLine;
        const std::size_t end = flatLine.find("\" at (");
        EXPECT_EQ(flatLine.substr(end, flatLine.find(" shapes ") - end), "\" at (0, 0, " + height + ")");
        parent = flatLine.substr(0, end);
    }
    EXPECT_TRUE(contains(flat.out, "/1階間取り/基礎・敷地\" at (0, 0, 0) shapes 2: \"敷地\" \"基礎\"\n")) << flat.out;
}

// A name is one path element whatever it holds: '/' and '"' are escaped.
TEST(Cwstool, FlatDumpEscapesNamesInThePath)
{
    testutil::TempDir dir;
    CWScene scene;
    CWFrame root, child;
    root.SetName("a/b");
    child.SetName("c\"d");
    child.SetPosition(1.5f, -2, 3);
    root.SetPosition(0, 0, 0.25f);
    root.AddChild(child);
    scene.SetRootFrame(root);
    ASSERT_EQ(scene.Save(dir.file("names.cws")), 1);
    Outcome flat = cwstool({"dump", "--flat", dir.file("names.cws")});
    EXPECT_EQ(flat.out, "\"a\\/b\" at (0, 0, 0.25) shapes 0\n\"a\\/b/c\\\"d\" at (1.5, -2, 3.25) shapes 0\n");
}

// check warns about what a host application cannot place, naming each object by its path, and says
// a sum that leaves the float range only where it first does; --strict turns warnings into status 1.
TEST(Cwstool, CheckWarnsAboutValuesAHostCannotPlace)
{
    testutil::TempDir dir;
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    CWScene scene;
    CWFrame root, high, higher, below, lost;
    root.SetName("root");
    high.SetName("high");
    high.SetPosition(0, 0, std::ldexp(1.0f, 127));
    higher.SetName("higher");
    higher.SetPosition(0, 0, std::ldexp(1.0f, 127));  // 2^128 above the root: each offset a float, their sum not
    below.SetName("1階");            // under a frame already beyond the range: not said again; but its
                                      // name is UTF-8 from this source, not Shift-JIS
    lost.SetName("lost");
    lost.SetPosition(inf, 0, 0);
    CWCube box;
    box.SetName("box");
    box.SetSize(1, nan, 1);
    lost.AddShape(box);
    higher.AddChild(below);
    high.AddChild(higher);
    root.AddChild(high);
    root.AddChild(lost);
    scene.SetRootFrame(root);
    ASSERT_EQ(scene.Save(dir.file("odd.cws")), 1);

    const std::string prefix = "cwstool: " + dir.file("odd.cws") + ": warning: ";
    Outcome checked = cwstool({"check", dir.file("odd.cws")});
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.err, prefix + "frame \"root/high/higher\": absolute position (0, 0, 3.402823669209385e+038) is "
                                    "beyond the 32-bit float range\n" +
                               // E9 9A is 髫 in Shift-JIS, and 8E begins a character the name does not hold
                               prefix + "frame \"root/high/higher/1髫\xEF\xBF\xBD\": the name is not Shift-JIS (UTF-8?)\n" +
                               prefix + "frame \"root/lost\": position (inf, 0, 0) is not finite\n" +
                               prefix + "shape \"root/lost/box\": size (1, nan, 1) is not finite\n");
    EXPECT_EQ(checked.out, dir.file("odd.cws") + ": valid binary scene file, 5 frames, 1 shapes, 0 materials, 4 warnings\n");
    EXPECT_EQ(cwstool({"check", "--strict", dir.file("odd.cws")}).status, 1);

    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    Outcome clean = cwstool({"check", "--strict", dir.file("zendel.cws")});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.err, "");
}

// A scene with the wizard's 25 frames whose levels do not stack: the file an earlier wizard wrote for
// room height 1 at 2000, every ceiling placed with the fourth storey's drop. The same scene written
// now stacks.
TEST(Cwstool, CheckWarnsWhenTheWizardsLevelsDoNotStack)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("old.cws"), golden("zendel-h1-2000-old-formula.hex"));
    testutil::writeFile(dir.file("new.cws"), golden("zendel-h1-2000.hex"));
    const std::string prefix = "cwstool: " + dir.file("old.cws") + ": warning: the wizard's levels do not stack: ";
    Outcome old = cwstool({"check", dir.file("old.cws")});
    EXPECT_EQ(old.status, 0);
    EXPECT_EQ(old.err, prefix + "1階天井 (#22) at 3010 mm is above 2階間取り (#18) at 2860 mm\n" +  //
                           prefix + "基礎・敷地 (#25) at 400 mm, not on the ground (0)\n");
    EXPECT_TRUE(contains(old.out, ", 2 warnings\n")) << old.out;
    EXPECT_EQ(cwstool({"check", "--strict", dir.file("old.cws")}).status, 1);

    Outcome now = cwstool({"check", "--strict", dir.file("new.cws")});
    EXPECT_EQ(now.status, 0);
    EXPECT_EQ(now.err, "");
}

// A scene written by the wizard's builder for the defaults changed by `change`.
std::string wizardScene(const testutil::TempDir& dir, const char* name, void (*change)(wizard::WizardParams&))
{
    struct NoRegistry : wizard::Registry {
        const wizard::RegistryOutcome refused{EACCES, "", 0, false};
        wizard::RegistryOutcome createKey(wizard::RegistryKey, const char*, wizard::RegistryKey*) override { return refused; }
        wizard::RegistryOutcome setStringValue(wizard::RegistryKey, const char*, const char*, std::uint32_t) override { return refused; }
        wizard::RegistryOutcome closeKey(wizard::RegistryKey) override { return refused; }
    } registry;
    wizard::WizardParams params;
    wizard::SetDefaultParams(params);
    change(params);
    wizard::CommandLineRecord commandLine;
    commandLine.m_bNoPath = 0;
    commandLine.m_strScenePath = dir.file(name);
    EXPECT_TRUE(wizard::BuildScene(params, commandLine, registry).scene.written);
    return commandLine.m_strScenePath;
}

// In a scene of the wizard, check warns about what the wizard notes before OK, read back from the
// scene's frames, boxes and thicknesses: a size in the other unit, one that is not above 0, the
// building beyond its site, a mezzanine outside its two floors; --strict makes them exit 1. A slab
// of 0.21 mm is 0.2099999934f in the file: its levels still stack.
TEST(Cwstool, CheckWarnsAboutTheWizardsDimensions)
{
    testutil::TempDir dir;
    struct Row {
        const char* what;
        void (*change)(wizard::WizardParams&);
        std::vector<std::string> warnings;  // after "cwstool: FILE: warning: "
    };
    const Row rows[] = {
        {"a building width typed in millimetres", [](wizard::WizardParams& p) { p.m_buildingWidth = 15000; },
         {"the wizard's dimensions: row 11 (建物 幅) 15000 m: this row is in metres; 15000 mm is 15 m",
          "the wizard's dimensions: the building is 14985 m wider than its site (building width 15000 m, site width 15 m)"}},
        {"a level difference that lifts every mezzanine past the floor above",
         [](wizard::WizardParams& p) { p.m_levelDifference = 3000; },
         {"the wizard's levels: 中2階 is not below 2階: the level difference 3000 mm is not less than the 2900 mm from 1階 up to 2階",
          "the wizard's levels: 中3階 is not below 3階: the level difference 3000 mm is not less than the 2900 mm from 2階 up to 3階",
          "the wizard's levels: 中4階 is not below 4階: the level difference 3000 mm is not less than the 2900 mm from 3階 up to 4階"}},
        {"sizes not above 0, a slab in metres",
         [](wizard::WizardParams& p) {
             p.m_foundationHeight = -400, p.m_siteDepth = 0, p.m_wallThickness = 0, p.m_firstFloorThickness = 0.21;
         },
         {"the wizard's dimensions: row 1 (基礎高さ) -400 mm: zero or negative; sizes, thicknesses and heights are above 0",
          "the wizard's dimensions: row 2 (１階床厚) 0.21 mm: this row is in millimetres; 0.21 m is 210 mm",
          "the wizard's dimensions: row 10 (敷地 奥行) 0 m: zero or negative; sizes, thicknesses and heights are above 0",
          "the wizard's dimensions: the scene holds no wall thickness, which the wizard leaves out when the wall "
          "thickness is zero or negative"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string file = wizardScene(dir, "w.cws", row.change);
        Outcome checked = cwstool({"check", file});
        EXPECT_EQ(checked.status, 0);
        std::string expected;
        for (const std::string& warning : row.warnings) expected += "cwstool: " + file + ": warning: " + warning + "\n";
        EXPECT_EQ(checked.err, expected);
        EXPECT_TRUE(contains(checked.out, ", " + std::to_string(row.warnings.size()) + " warnings\n")) << checked.out;
        EXPECT_EQ(cwstool({"check", "--strict", file}).status, 1);
    }
}

// A parameter file of the wizard given to cwstool: check names it, dump shows its thirteen values by
// the dialog's labels in the dialog's row order (the file's order differs) and the wizard's notes on
// them (this wall thickness was typed in metres), a cut one is named too.
TEST(Cwstool, KnowsTheWizardsParameterFile)
{
    testutil::TempDir dir;
    const std::string params = testutil::fromHex(
        "5A 65 6E 64 65 6C 00 00  31 30 30 30 00 00 00 00"  // "Zendel" 0 0 "1000" 0 0 0 0
        "00 00 00 00 00 00 79 40"                           // 400 foundation
        "00 00 00 00 00 00 24 40  00 00 00 00 00 00 26 40"  // 10 building depth, 11 building width
        "00 00 00 00 00 00 34 40  00 00 00 00 00 00 3E 40"  // 20 site width, 30 site depth
        "00 00 00 00 00 A8 96 40"                           // 1450 level difference
        "00 00 00 00 00 40 7F 40  00 00 00 00 00 40 6A 40"  // 500 other floors, 210 first floor
        "00 00 00 00 00 40 9F 40  00 00 00 00 00 C0 A2 40"  // 2000, 2400 room heights 1, 2
        "00 00 00 00 00 C0 A2 40  00 00 00 00 00 C0 A2 40"  // 2400, 2400 room heights 3, 4
        "9A 99 99 99 99 99 B9 3F");                         // 0.1 wall
    testutil::writeFile(dir.file("a.prm"), params);
    const std::string file = dir.file("a.prm");

    Outcome checked = cwstool({"check", file});
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.err, "cwstool: " + file + ": not a scene file: a parameter file of the skip-floor wizard, 120 bytes; "
                                                "'cwstool dump' shows its values\n");
    Outcome dumped = cwstool({"dump", file});
    EXPECT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_EQ(dumped.out, file + ": a parameter file of the skip-floor wizard, 120 bytes\n"
                          "   1  基礎高さ                           400 mm  foundation height\n"
                          "   2  １階床厚                           210 mm  first-floor slab\n"
                          "   3  他階床厚                           500 mm  upper-floor slabs\n"
                          "   4  １階部屋高                        2000 mm  room height, 1st floor\n"
                          "   5  ２階部屋高                        2400 mm  room height, 2nd floor\n"
                          "   6  ３階部屋高                        2400 mm  room height, 3rd floor\n"
                          "   7  ４階部屋高                        2400 mm  room height, 4th floor\n"
                          "   8  基準ブロックとのレベル差          1450 mm  level difference\n"
                          "   9  敷地 幅                             20 m   site width\n"
                          "  10  敷地 奥行                           30 m   site depth\n"
                          "  11  建物 幅                             11 m   building width\n"
                          "  12  建物 奥行                           10 m   building depth\n"
                          "  13  壁厚                               0.1 mm  wall thickness\n"
                          "  note: row 13 (壁厚) 0.1 mm: this row is in millimetres; 0.1 m is 100 mm\n");

    testutil::writeFile(dir.file("cut.prm"), params.substr(0, 100));
    for (const char* command : {"check", "dump", "preview"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> args{command, dir.file("cut.prm")};
        if (std::string(command) == "preview") args.push_back(dir.file("cut.svg"));
        Outcome cut = cwstool(args);
        EXPECT_EQ(cut.status, 1);
        EXPECT_EQ(cut.err, "cwstool: " + dir.file("cut.prm") + ": not a scene file: it begins like a parameter file of the "
                                                               "skip-floor wizard, but has 100 of its 120 bytes\n");
    }
}

// The section: levels at their heights in file order, the two blocks side by side with rooms and
// slabs, each label "#N name" in its kind's colour.
TEST(Cwstool, PreviewDrawsTheWizardsSection)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("h1.cws"), golden("zendel-h1-2000.hex"));
    Outcome result = cwstool({"preview", dir.file("h1.cws"), dir.file("h1.svg")});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string svg = testutil::readFile(dir.file("h1.svg"));

    std::vector<std::string> heights = attributes(svg, "<line class=\"level\"", "data-height");
    ASSERT_EQ(heights.size(), 25u);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(heights[i], kHeightsH1[i]) << "frame " << i + 1;

    // Four main-floor rooms and three mezzanine rooms, interior to ceiling. A slab under each storey,
    // from the ceiling below it (from its plan where there is none) to its interior, and under each
    // roof, from the top ceiling. Main floors first, by storey.
    EXPECT_EQ(attributes(svg, "<rect class=\"room\"", "data-z"),
              (std::vector<std::string>{"610 2610", "3110 5510", "6010 8410", "8910 11310",  //
                                        "2060 4060", "4560 6960", "7460 9860"}));
    EXPECT_EQ(attributes(svg, "<rect class=\"slab\"", "data-z"),
              (std::vector<std::string>{"400 610", "2610 3110", "5510 6010", "8410 8910", "11310 11560",  //
                                        "1810 2060", "4060 4560", "6960 7460", "9860 10110"}));
    // The mezzanines' column stands left of the main floors' column: their level lines end where the
    // main floors' begin.
    std::vector<std::string> x1 = attributes(svg, "<line class=\"level\"", "x1");
    std::vector<std::string> x2 = attributes(svg, "<line class=\"level\"", "x2");
    EXPECT_EQ(x2[20 - 1], x1[17 - 1]) << "中2階インテリア ends where 2階インテリア begins";
    EXPECT_LT(std::stod(x1[20 - 1]), std::stod(x1[17 - 1]));
    EXPECT_EQ(x1[1 - 1], x1[25 - 1]) << "the exterior and the site frame: lines across the drawing";

    struct Row { const char* label; const char* colour; };
    const Row labels[] = {
        {"#2</tspan> 4階屋根<", "#B71C1C"},      {"#3</tspan> 中4階屋根<", "#B71C1C"},
        {"#22</tspan> 1階天井<", "#B0600A"},     {"#20</tspan> 中2階インテリア<", "#1F5FA8"},
        {"#24</tspan> 1階間取り<", "#2E7D32"},   {"#25</tspan> 基礎・敷地<", "#555555"},
    };
    for (const Row& row : labels) {
        SCOPED_TRACE(row.label);
        std::size_t at = svg.find(row.label);
        ASSERT_NE(at, std::string::npos);
        std::size_t text = svg.rfind("<text class=\"label\"", at);
        EXPECT_TRUE(contains(svg.substr(text, at - text), std::string("fill=\"") + row.colour + "\"")) << svg.substr(text, at - text);
    }
    EXPECT_TRUE(contains(svg, "fill=\"rgb(0,128,0)\""));     // site slab, material 0
    EXPECT_TRUE(contains(svg, "fill=\"rgb(89,102,115)\""));  // foundation block, material 1
    EXPECT_TRUE(contains(svg, "<line class=\"scale\""));
}

// Infinite and NaN heights are listed in red and not drawn, not drawn at 0. A scene not named like
// the wizard's gets lines across and no building.
TEST(Cwstool, PreviewListsWhatItCannotDrawAndDrawsAnyScene)
{
    testutil::TempDir dir;
    CWScene scene;
    CWFrame root, far, gone, table;
    root.SetName("world");
    far.SetName("far");
    far.SetPosition(0, 0, std::numeric_limits<float>::infinity());
    gone.SetName("gone");
    gone.SetPosition(0, 0, -std::numeric_limits<float>::infinity());  // inf - inf: NaN
    table.SetName("table");
    table.SetPosition(0, 0, 700);
    far.AddChild(gone);
    root.AddChild(far);
    root.AddChild(table);
    scene.SetRootFrame(root);
    ASSERT_EQ(scene.Save(dir.file("odd.cws")), 1);
    Outcome result = cwstool({"preview", dir.file("odd.cws"), dir.file("odd.svg")});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string svg = testutil::readFile(dir.file("odd.svg"));
    EXPECT_EQ(attributes(svg, "<line class=\"level\"", "data-height"), (std::vector<std::string>{"0", "700"}));
    EXPECT_TRUE(contains(svg, "#2</tspan> far<tspan dx=\"8\">not drawn: height inf</tspan>")) << svg;
    EXPECT_TRUE(contains(svg, "#3</tspan> gone<tspan dx=\"8\">not drawn: height nan</tspan>")) << svg;
    EXPECT_FALSE(contains(svg, "class=\"room\"") || contains(svg, "class=\"slab\"") || contains(svg, "class=\"wall\""));
}

// The output format follows the name: a PNG is a PNG of the drawing (where this build has the
// renderer; elsewhere it is refused before anything is read or written), and a failed write says why.
TEST(Cwstool, PreviewWritesPngByNameAndSaysWhyAWriteFailed)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    Outcome png = cwstool({"preview", dir.file("zendel.cws"), dir.file("zendel.PNG")});
    if (!cwstool::pngAvailable()) {
        EXPECT_EQ(png.status, 2);
        EXPECT_TRUE(contains(png.err, "cannot write PNG")) << png.err;
        EXPECT_FALSE(testutil::fileExists(dir.file("zendel.PNG")));
        EXPECT_TRUE(contains(cwstool::usageText(), "this build cannot write PNG"));
    } else {
        ASSERT_EQ(png.status, 0) << png.err;
        const std::string bytes = testutil::readFile(dir.file("zendel.PNG"));
        ASSERT_GT(bytes.size(), 33u);
        EXPECT_EQ(testutil::toHex(bytes.substr(0, 16)), "89 50 4E 47 0D 0A 1A 0A 00 00 00 0D 49 48 44 52");  // signature, IHDR
        // The image is as large as the SVG says it is.
        const std::string svg = [&] {
            cwstool({"preview", dir.file("zendel.cws"), dir.file("zendel.svg")});
            return testutil::readFile(dir.file("zendel.svg"));
        }();
        auto be32 = [&](std::size_t at) {
            return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
                   (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
        };
        EXPECT_EQ(std::to_string(be32(16)), attributes(svg, "<svg ", "width")[0]);
        EXPECT_EQ(std::to_string(be32(20)), attributes(svg, "<svg ", "height")[0]);
    }
    Outcome unwritable = cwstool({"preview", dir.file("zendel.cws"), dir.file("missing/zendel.svg")});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "cwstool: " + dir.file("missing/zendel.svg") + ": cannot write the file: " +
                                  fileio::errorText(ENOENT) + "\n");
}

// Every text that goes into an SVG (names, the file name as title) must be well-formed XML, with
// damage visible: a file name that was not UTF-8 once went in raw, and preview still said 0.
TEST(Cwstool, XmlTextIsWellFormedUtf8)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> rows[] = {
        {"a<b>&\"c", "a&lt;b&gt;&amp;&quot;c"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC"},         // 日本 stays
        {"Gr\xFC\xDF" "e", "Gr" + fffd + fffd + "e"},                       // Latin-1: one U+FFFD per byte
        {"\xC0\xAF", fffd + fffd},                                          // an overlong '/'
        {"\xED\xA0\x80", fffd + fffd + fffd},                               // a surrogate
        {"\xEF\xBF\xBE", fffd + fffd + fffd},                               // U+FFFE, not an XML character
        {"\xE6\x97", fffd + fffd},                                          // cut short
        {"\x01tab\t", "tab\t"},                                             // controls but tab dropped
    };
    for (const auto& [input, expected] : rows) {
        SCOPED_TRACE(testutil::toHex(input));
        EXPECT_EQ(cwstool::xmlEscape(input), expected);
    }
}

}  // namespace
