// Tests for cwstool (tools/cwstool/Commands.h): usage and exit codes, check on good and corrupted
// files, convert round trips without half-written output, dump's UTF-8 tree, preview's level lines.
#include "tools/cwstool/Commands.h"
#include "tools/cwstool/TextOutput.h"

#include <cwscene/Scene.h>
#include "testutil/Hex.h"

#include <gtest/gtest.h>

#include <cstdlib>  // getenv
#include <cstring>  // strlen
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome cwstool(std::vector<std::string> args)
{
    std::ostringstream out, err;
    int status = cwstool::run(args, out, err);
    return {status, out.str(), err.str()};
}

std::string golden(const char* name)
{
    const char* root = std::getenv("SKIPFLOOR_SOURCE_DIR");
    return testutil::fromHex(testutil::readFile(std::string(root ? root : ".") + "/tests/builder/golden/" + name));
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Cwstool, UsageAndExitCodes)
{
    struct Row { std::vector<std::string> args; int status; const char* err; };
    const Row rows[] = {
        {{}, 2, "cwstool: no command given\nTry 'cwstool --help' for more information.\n"},
        {{"frobnicate"}, 2, "cwstool: unknown command 'frobnicate'\n"},
        {{"check"}, 2, "cwstool: check takes one FILE\n"},
        {{"dump", "a", "b"}, 2, "cwstool: dump takes one FILE\n"},
        {{"convert", "--utf8", "a", "b"}, 2, "cwstool: convert takes --text or --binary, then IN and OUT\n"},
        {{"convert", "--text", "a"}, 2, "cwstool: convert takes --text or --binary, then IN and OUT\n"},
        {{"preview", "a"}, 2, "cwstool: preview takes FILE and OUT.svg\n"},
        {{"check", "/nonexistent/zendel.cws"}, 1, "cwstool: /nonexistent/zendel.cws: cannot open the file\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.empty() ? std::string("(none)") : row.args[0]);
        Outcome result = cwstool(row.args);
        EXPECT_EQ(result.status, row.status);
        EXPECT_EQ(result.err.substr(0, std::strlen(row.err)), row.err);
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

TEST(Cwstool, ConvertWarnsWhenTheTextCannotKeepAFloat)
{
    testutil::TempDir dir;
    std::string bytes = golden("zendel-default.hex");
    // The root's position x (offset 78) becomes 1e-7f = 33 D6 BF 95, whose text is 0.000000.
    bytes.replace(78, 4, testutil::fromHex("95 BF D6 33"));
    testutil::writeFile(dir.file("odd.cws"), bytes);
    Outcome text = cwstool({"convert", "--text", dir.file("odd.cws"), dir.file("odd.txt")});
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(contains(text.err, "warning: 1 float values need more than six decimals")) << text.err;
    EXPECT_EQ(cwstool({"convert", "--binary", dir.file("odd.txt"), dir.file("odd2.cws")}).status, 0);
    EXPECT_NE(testutil::readFile(dir.file("odd2.cws")), bytes);
}

// The dump of a long file goes out in pieces as its records stream by; one that is refused near its
// end must still print nothing at all.
TEST(Cwstool, DumpOfALongFileRefusedAtItsEndPrintsNothing)
{
    testutil::TempDir dir;
    CWScene scene;
    CWFrame root;
    root.SetName("root");
    for (int i = 0; i < 3000; ++i) root.AddShape(CWCube());
    scene.SetRootFrame(root);
    ASSERT_EQ(scene.Save(dir.file("long.cws")), 1);
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
        "\nparts\n  PART \"エクステリア\" id 1/0 position (0, 0, 0) rotation (0, 0, 0) scale (1, 1, 1) layer\n"
        "    PART \"4階屋根\" id 2/0 position (0, 0, 11960)",
        "\n" + std::string(2 * 25, ' ') + "PART \"基礎・敷地\" id 25/0 position (0, 0, -400)",
        "\n" + std::string(2 * 26, ' ') + "CUBE \"基礎\" position (0, 0, 200) rotation (0, 0, 0) size (10000, 10000, 400) "
        "material 1 texture -1\n",
        "\ngrid interval 1000\nthickness 100 2900 210\n",
    };
    for (const std::string& part : expected) EXPECT_TRUE(contains(dump.out, part)) << part << "\n---\n" << dump.out;
}

TEST(Cwstool, PreviewDrawsTheWizardsLevelsAndBoxes)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    Outcome result = cwstool({"preview", dir.file("zendel.cws"), dir.file("zendel.svg")});
    ASSERT_EQ(result.status, 0) << result.err;
    std::string svg = testutil::readFile(dir.file("zendel.svg"));

    // The accumulated heights of the 25 frames with the default dimensions, frame 1 first.
    const char* heights[25] = {"0",    "11960", "10510", "11710", "9310", "9060", "10260", "7860", "7610",
                               "8810", "6410",  "6160",  "7360",  "4960", "4710", "5910",  "3510", "3260",
                               "4460", "2060",  "1810",  "3010",  "610",  "400",  "0"};
    const std::string level = "<line class=\"level\" data-height=\"";
    std::vector<std::string> found;
    for (std::size_t at = svg.find(level); at != std::string::npos; at = svg.find(level, at + 1)) {
        std::size_t start = at + level.size();
        found.push_back(svg.substr(start, svg.find('"', start) - start));
    }
    ASSERT_EQ(found.size(), 25u);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(found[i], heights[i]) << "frame " << i + 1;

    EXPECT_TRUE(contains(svg, ">1  エクステリア  <tspan")) << "labels carry the UTF-8 names";
    EXPECT_TRUE(contains(svg, ">25  基礎・敷地  <tspan"));
    EXPECT_TRUE(contains(svg, "fill=\"rgb(0,128,0)\""));     // site slab, material 0
    EXPECT_TRUE(contains(svg, "fill=\"rgb(89,102,115)\""));  // foundation block, material 1
    EXPECT_TRUE(contains(svg, "<line class=\"scale\""));
    EXPECT_TRUE(contains(svg, " mm</text>"));
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
