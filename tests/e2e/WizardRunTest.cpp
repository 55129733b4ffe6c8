// End-to-end tests of build/skipfloor-wizard: each test runs the real program in a fresh working
// directory with its own HOME and XDG_CONFIG_HOME, answers the console dialog on standard input, and
// looks at what it left behind: the scene file, the parameter file, the registry store.
#include "Process.h"
#include "testutil/Hex.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using testutil::fromHex;
using testutil::readFile;

std::string golden(const char* name) { return fromHex(readFile(std::string(SKIPFLOOR_GOLDEN_DIR) + "/" + name)); }

// The parameter file as written for the default dimensions, by hand: header, then the thirteen
// doubles in file order (foundation, building depth, width, site width, depth, level difference,
// floor thicknesses, room heights 1 to 4, wall).
const char kDefaultParamFile[] =
    "5A 65 6E 64 65 6C 00 00  31 30 30 30 00 00 00 00"  // "Zendel" 0 0 "1000" 0 0 0 0
    "00 00 00 00 00 00 79 40"                           // 400
    "00 00 00 00 00 00 24 40  00 00 00 00 00 00 24 40"  // 10, 10
    "00 00 00 00 00 00 2E 40  00 00 00 00 00 00 2E 40"  // 15, 15
    "00 00 00 00 00 A8 96 40"                           // 1450
    "00 00 00 00 00 40 7F 40  00 00 00 00 00 40 6A 40"  // 500, 210
    "00 00 00 00 00 C0 A2 40  00 00 00 00 00 C0 A2 40"  // 2400, 2400
    "00 00 00 00 00 C0 A2 40  00 00 00 00 00 C0 A2 40"  // 2400, 2400
    "00 00 00 00 00 00 59 40";                          // 100

const char* const kRegistryLines[] = {
    "\"1stFloorDefaultHeight\"=\"210\"", "\"FloorDefaultHeight\"=\"0.5\"", "\"HouseSizeX\"=\"10\"",
    "\"HouseSizeY\"=\"10\"",             "\"LandSizeX\"=\"15\"",           "\"LandSizeY\"=\"15\"",
    "\"WallDefaultHeight\"=\"2.9\"",     "\"WallDefaultThickness\"=\"0.1\"",
};

using Names = std::vector<std::string>;

class WizardRun : public ::testing::Test {
protected:
    testutil::TempDir m_root;  // work/ is the working directory, home/ is HOME, config/ is XDG_CONFIG_HOME
    std::string m_work = m_root.file("work");
    std::string m_config = m_root.file("config");

    void SetUp() override
    {
        fs::create_directories(m_work);
        fs::create_directories(m_root.file("home"));
        fs::create_directories(m_config);
    }

    // Exit statuses: 0 everything written, 1 cancelled, 3 something could not be written.
    // The locale is English unless a test asks for another (ja_JP.UTF-8, which the test command
    // installs).
    testutil::RunResult run(const std::vector<std::string>& args, const std::string& input, int status = 0,
                            const std::string& locale = "C.UTF-8")
    {
        testutil::RunResult result = testutil::runProgram(
            SKIPFLOOR_WIZARD, args, m_work,
            {{"HOME", m_root.file("home")}, {"XDG_CONFIG_HOME", m_config}, {"LC_ALL", locale}}, input);
        EXPECT_EQ(result.exitCode, status) << result.output;
        return result;
    }

    std::string work(const std::string& name) const { return m_work + "/" + name; }
    std::string registryStore() const { return readFile(m_config + "/skipfloor-wizard/registry.reg"); }

    static Names filesIn(const std::string& dir)
    {
        Names names;
        for (const auto& entry : fs::directory_iterator(fs::u8path(dir)))
            names.push_back(entry.path().filename().u8string());
        std::sort(names.begin(), names.end());
        return names;
    }

    void expectRegistryDefaults() const
    {
        std::string store = registryStore();
        EXPECT_NE(store.find("[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]"), std::string::npos)
            << store;
        for (const char* line : kRegistryLines) EXPECT_NE(store.find(line), std::string::npos) << line << "\n" << store;
    }

    void expectNothingWritten() const
    {
        EXPECT_TRUE(filesIn(m_work).empty());
        EXPECT_FALSE(testutil::fileExists(m_config + "/skipfloor-wizard/registry.reg"));
    }
};

// 1. Which files a run writes, by command line.

TEST_F(WizardRun, NoPathsWritesZendelAndNoParameterFile)
{
    run({}, "ok\n");
    EXPECT_EQ(filesIn(m_work), Names{"zendel.cws"});
    EXPECT_SAME_BYTES(readFile(work("zendel.cws")), golden("zendel-default.hex"));
    expectRegistryDefaults();
}

TEST_F(WizardRun, FlagsOnlyCountAsNoPaths)
{
    run({"-x", "-verbose"}, "ok\n");
    EXPECT_EQ(filesIn(m_work), Names{"zendel.cws"});
}

TEST_F(WizardRun, OnePathWritesTheSceneThereAndNoParameterFile)
{
    run({"house.scene"}, "ok\n");  // whatever the extension
    EXPECT_EQ(filesIn(m_work), Names{"house.scene"});
    EXPECT_SAME_BYTES(readFile(work("house.scene")), golden("zendel-default.hex"));
}

TEST_F(WizardRun, TwoPathsCreateTheParameterFileAndTheNextRunStartsFromIt)
{
    run({"a.cws", "a.prm"}, "4 2000\nok\n");  // row 4 is the first-floor room height
    EXPECT_EQ(filesIn(m_work), (Names{"a.cws", "a.prm"}));
    EXPECT_SAME_BYTES(readFile(work("a.cws")), golden("zendel-h1-2000.hex"));
    std::string saved = readFile(work("a.prm"));
    ASSERT_EQ(saved.size(), 120u);

    // The second run changes nothing and must reproduce the same scene from the saved values.
    fs::remove(fs::u8path(work("a.cws")));
    run({"a.cws", "a.prm"}, "ok\n");
    EXPECT_SAME_BYTES(readFile(work("a.cws")), golden("zendel-h1-2000.hex"));
    EXPECT_EQ(readFile(work("a.prm")), saved);
}

TEST_F(WizardRun, ForeignParameterFileIsReplacedByAValidOne)
{
    testutil::writeFile(work("p.prm"), std::string(200, 'x'));  // not our header, and too long
    testutil::RunResult result = run({"a.cws", "p.prm"}, "ok\n");
    EXPECT_NE(result.output.find("p.prm is not a parameter file of this wizard: OK will replace it\n"), std::string::npos);
    EXPECT_BYTES(readFile(work("p.prm")), kDefaultParamFile);
    EXPECT_SAME_BYTES(readFile(work("a.cws")), golden("zendel-default.hex"));
}

TEST_F(WizardRun, FlagsAnywhereTakeNoPathPosition)
{
    run({"-a", "a.cws", "-b", "p.prm", "-c"}, "ok\n");
    EXPECT_EQ(filesIn(m_work), (Names{"a.cws", "p.prm"}));
    EXPECT_BYTES(readFile(work("p.prm")), kDefaultParamFile);
}

TEST_F(WizardRun, AThirdPathIsIgnored)
{
    run({"a.cws", "p.prm", "c.cws"}, "ok\n");
    EXPECT_EQ(filesIn(m_work), (Names{"a.cws", "p.prm"}));
}

TEST_F(WizardRun, AbsoluteAndJapanesePaths)
{
    fs::create_directories(fs::u8path(m_root.file("出力")));
    std::string scene = m_root.file("出力/スキップ床.cws");
    std::string params = m_root.file("出力/寸法.prm");
    run({scene, params}, "ok\n");
    EXPECT_SAME_BYTES(readFile(scene), golden("zendel-default.hex"));
    EXPECT_BYTES(readFile(params), kDefaultParamFile);
    EXPECT_TRUE(filesIn(m_work).empty());
}

// A scene path that cannot be written: the registry values and the parameter file are still
// written; the run says which file failed and why, and ends with status 3.
TEST_F(WizardRun, SceneInAMissingDirectory)
{
    testutil::RunResult result = run({"no/such/dir/a.cws", "p.prm"}, "ok\n", 3);
    EXPECT_NE(result.output.find("could not write no/such/dir/a.cws: No such file or directory\n"), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("wrote p.prm (120 bytes)\n"), std::string::npos) << result.output;
    EXPECT_EQ(filesIn(m_work), Names{"p.prm"});
    EXPECT_BYTES(readFile(work("p.prm")), kDefaultParamFile);
    expectRegistryDefaults();
}

// The scene and the parameter file named as one file, by the same name, by another spelling of it and
// through a hard link: the scene is written and kept, the 120 parameter bytes do not go over it, and
// the console says so before the form and after OK.
TEST_F(WizardRun, OneFileNamedTwiceKeepsTheScene)
{
    struct Row {
        const char* scene;
        const char* params;
        bool linkFirst;  // params is a hard link to an existing scene
    };
    const Row rows[] = {{"s.cws", "s.cws", false}, {"s.cws", "./d/../s.cws", false}, {"s.cws", "h.prm", true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.scene) + " " + row.params);
        fs::remove_all(m_work);
        fs::create_directories(m_work + "/d");
        if (row.linkFirst) {
            testutil::writeFile(work(row.scene), "old");
            fs::create_hard_link(work(row.scene), work(row.params));
        }
        const std::string output = run({row.scene, row.params}, "ok\n").output;
        EXPECT_NE(output.find("s.cws is both the scene file and the parameter file: OK writes the scene there and not "
                              "the parameters\n"),
                  std::string::npos)
            << output;
        EXPECT_NE(output.find("wrote s.cws (2222 bytes)\n"), std::string::npos) << output;
        EXPECT_NE(output.find("did not write the parameter file " + std::string(row.scene)), std::string::npos) << output;
        EXPECT_SAME_BYTES(readFile(work(row.scene)), golden("zendel-default.hex"));
    }
}

// Standard output on a full disk: the files are written and complete, but the run could not be
// followed, so it ends with status 3 and says why on standard error.
TEST_F(WizardRun, OutputThatCannotBeWrittenGivesStatus3)
{
    const testutil::RunResult result = testutil::runProgram(
        "/bin/sh", {"-c", "exec \"$0\" a.cws p.prm >/dev/full", SKIPFLOOR_WIZARD}, m_work,
        {{"HOME", m_root.file("home")}, {"XDG_CONFIG_HOME", m_config}, {"LC_ALL", "C.UTF-8"}}, "ok\n");
    EXPECT_EQ(result.exitCode, 3) << result.output;
    EXPECT_NE(result.output.find("the console's output could not be written in full"), std::string::npos) << result.output;
    EXPECT_SAME_BYTES(readFile(work("a.cws")), golden("zendel-default.hex"));
    EXPECT_BYTES(readFile(work("p.prm")), kDefaultParamFile);
}

// 2. Answers in the dialog.

TEST_F(WizardRun, CancelAndEndOfInputWriteNothing)
{
    for (const char* input : {"cancel\n", "", "4 2000\n"}) {
        SCOPED_TRACE(std::string("input: ") + input);
        const std::string output = run({"a.cws", "p.prm"}, input, 1).output;
        const std::string said = "skipfloor-wizard: cancelled: nothing was written\n";
        EXPECT_EQ(output.substr(output.size() - std::min(output.size(), said.size())), said) << output;
        expectNothingWritten();
    }
}

// The console speaks the locale's language: Japanese under a Japanese locale (the catalogue made from
// po/ja.po), English otherwise. The form's labels are Japanese in both.
TEST_F(WizardRun, SpeaksTheLanguageOfTheLocale)
{
    struct Row {
        const char* locale;
        std::vector<std::string> said;
    };
    const Row rows[] = {
        {"ja_JP.UTF-8",
         {"「N 値」で N 行目", "コマンド（1 行に 1 つ）:", "注記", "1階 → 中2階 1450 mm: 7段 × 207 mm、踏面 198～235 mm",
          "  建築面積 100 m²、敷地面積 225 m²、建蔽率 44.4 %（", "最高の屋根レベル（GL から 11960 mm）が 10 m を超えます",
          "      注意: 15000 m: この行の単位は m です。15000 mm なら 15 m です\n",
          "「frob」というコマンドはありません。", "skipfloor-wizard: キャンセルしました。何も書き込んでいません。\n"}},
        {"C.UTF-8",
         {"Type \"N TEXT\" to set row N", "Commands, one a line:", "  notes\n",
          "1階 → 中2階 1450 mm: 7 steps of 207 mm, tread 198–235 mm",
          "  building area 100 m², site area 225 m², building coverage 44.4 % (",
          "the highest roof level, 11960 mm above the ground, is above 10 m",
          "      note: 15000 m: this row is in metres; 15000 mm is 15 m\n", "Unknown command \"frob\".",
          "skipfloor-wizard: cancelled: nothing was written\n"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.locale);
        const std::string output = run({"a.cws"}, "help\nlevels\n11 15000\nfrob\ncancel\n", 1, row.locale).output;
        for (const std::string& text : row.said) EXPECT_NE(output.find(text), std::string::npos) << text << "\n" << output;
        EXPECT_NE(output.find("基準ブロックとのレベル差"), std::string::npos);
    }
}

// A damaged Japanese catalogue under SKIPFLOOR_LOCALEDIR (its table of originals past the end, which
// the C library would read) is not used: one line says so, and the run goes on in English.
TEST_F(WizardRun, ADamagedCatalogueIsIgnoredWithOneLine)
{
    const std::string locale = m_root.file("locale");
    fs::create_directories(locale + "/ja/LC_MESSAGES");
    testutil::writeFile(locale + "/ja/LC_MESSAGES/skipfloor-wizard.mo",
                        fromHex("DE 12 04 95 00 00 00 00 01 00 00 00 00 01 00 00 1C 00 00 00 00 00 00 00 00 00 00 00"
                                "00 00 00 00 1C 00 00 00"));
    const testutil::RunResult result = testutil::runProgram(
        SKIPFLOOR_WIZARD, {"a.cws"}, m_work,
        {{"HOME", m_root.file("home")}, {"XDG_CONFIG_HOME", m_config}, {"LC_ALL", "ja_JP.UTF-8"},
         {"SKIPFLOOR_LOCALEDIR", locale}},
        "cancel\n");
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_NE(result.output.find("skipfloor-wizard: メッセージカタログ " + locale +
                                 "/ja/LC_MESSAGES/skipfloor-wizard.mo が壊れているため使いません (a string table lies "
                                 "outside the file)\n"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("skipfloor-wizard: cancelled: nothing was written\n"), std::string::npos) << result.output;
}

TEST_F(WizardRun, ABadNumberKeepsTheFormOpenUntilItIsFixed)
{
    testutil::RunResult result = run({"a.cws", "p.prm"}, "5 abc\nok\n5 2400\n4 2000\nok\n");
    EXPECT_NE(result.output.find("数値を入力してください。"), std::string::npos) << result.output;
    EXPECT_SAME_BYTES(readFile(work("a.cws")), golden("zendel-h1-2000.hex"));
}

// A note tells; it changes nothing that is written. Row 11 at 15000 (the building width in metres,
// typed as millimetres) shows its note under the echo and again at ok, which asks nothing: the scene
// is the default one with the foundation block 15000000 mm wide (C0 E1 64 4B, 15000000.0f, where
// 10000.0f, 00 40 1C 46, stood), the parameter file holds 15000 (40CD4C0000000000) as the building
// width, the registry HouseSizeX "15000".
TEST_F(WizardRun, ANoteChangesNothingThatIsWritten)
{
    testutil::RunResult result = run({"a.cws", "a.prm"}, "11 15000\nok\n");
    EXPECT_EQ(result.output.find("note: 15000 m: this row is in metres; 15000 mm is 15 m\n") <
                  result.output.find("note: row 11 (建物 幅) 15000 m: this row is in metres; 15000 mm is 15 m\n"),
              true)
        << result.output;
    std::string scene = golden("zendel-default.hex");
    const std::string blockSize = fromHex("00 40 1C 46  00 40 1C 46  00 00 C8 43");  // 10000, 10000, 400
    ASSERT_EQ(scene.find(blockSize), scene.rfind(blockSize));
    scene.replace(scene.find(blockSize), blockSize.size(), fromHex("C0 E1 64 4B  00 40 1C 46  00 00 C8 43"));
    EXPECT_SAME_BYTES(readFile(work("a.cws")), scene);
    std::string params = fromHex(kDefaultParamFile);
    params.replace(32, 8, fromHex("00 00 00 00 00 4C CD 40"));  // offset 32: the building width
    EXPECT_SAME_BYTES(readFile(work("a.prm")), params);
    EXPECT_NE(registryStore().find("\"HouseSizeX\"=\"15000\""), std::string::npos) << registryStore();
}

TEST_F(WizardRun, ABadNumberAndThenCancelWritesNothing)
{
    testutil::RunResult result = run({"a.cws", "p.prm"}, "1 1e999\nok\ncancel\n", 1);
    EXPECT_NE(result.output.find("数値を入力してください。"), std::string::npos) << result.output;
    expectNothingWritten();
}

// The console shows the levels before OK from the texts of the form; the scene file holds them as
// offsets. The 25 heights `levels` prints must be the heights cwstool's dump adds up from the saved
// file, frame by frame (with a first-floor room height of 2000, the levels still come down to the
// ground: frame 25 at 0).
TEST_F(WizardRun, LevelsShowTheHeightsTheSavedSceneHolds)
{
    testutil::RunResult wizard = run({"a.cws"}, "4 2000\nlevels\nok\n");
    std::map<int, double> shown, saved;
    std::istringstream lines(wizard.output);
    for (std::string line; std::getline(lines, line);) {  // "    #25  基礎・敷地   0   -400  #24 1階間取り"
        std::istringstream row(line);
        std::string number, name, height;
        if (row >> number >> name >> height && number.size() > 1 && number[0] == '#')
            shown[std::stoi(number.substr(1))] = std::stod(height);
    }
    ASSERT_EQ(shown.size(), 25u) << wizard.output;
    EXPECT_EQ(shown[22], 2610.0);
    EXPECT_EQ(shown[25], 0.0);

    testutil::RunResult dump = testutil::runProgram(SKIPFLOOR_CWSTOOL, {"dump", work("a.cws")}, m_work, {}, "");
    ASSERT_EQ(dump.exitCode, 0) << dump.output;
    const std::string& text = dump.output;  // PART "name" id N/0 position (x, y, z) height H rotation ...
    for (std::size_t at = text.find("\" id "); at != std::string::npos; at = text.find("\" id ", at + 1)) {
        const std::size_t height = text.find(") height ", at) + 9;
        saved[std::stoi(text.substr(at + 5))] = std::stod(text.substr(height, text.find(' ', height) - height));
    }
    EXPECT_EQ(shown, saved) << wizard.output << "\n---\n" << dump.output;
}

// 3. The registry store is shared with other programs: every byte outside the values the wizard sets
// stays as it was (a tab in the header and after a '=', LF lines, a blank line, a comment, a name with
// a backslash regedit reads otherwise), and the lines it adds end as the file's own.
TEST_F(WizardRun, RegistryStoreKeepsForeignEntries)
{
    fs::create_directories(m_config + "/skipfloor-wizard");
    const std::string foreign = "[HKEY_CURRENT_USER\\Software\\Other]\n\"Keep\"=\t\"me\"\n\n";
    testutil::writeFile(m_config + "/skipfloor-wizard/registry.reg",
                        "REGEDIT4\t\n\n" + foreign +
                            "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n"
                            "\"LandSizeX\"=\"99\"\n\"House\\SizeX\"=\"not ours\"\n\"Unrelated\"=\"stays\"\n\n; the end\n");
    run({}, "ok\n");
    EXPECT_SAME_BYTES(registryStore(),
                      "REGEDIT4\t\n\n" + foreign +
                          "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n"
                          "\"LandSizeX\"=\"15\"\n\"House\\SizeX\"=\"not ours\"\n\"Unrelated\"=\"stays\"\n"
                          "\"1stFloorDefaultHeight\"=\"210\"\n\"FloorDefaultHeight\"=\"0.5\"\n\"HouseSizeX\"=\"10\"\n"
                          "\"HouseSizeY\"=\"10\"\n\"LandSizeY\"=\"15\"\n\"WallDefaultHeight\"=\"2.9\"\n"
                          "\"WallDefaultThickness\"=\"0.1\"\n\n; the end\n\n"
                          "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel]\n\n");
}

// 4. Fifty runs at once on one registry store, kept behind a symlink as a dotfile manager keeps it:
// each run's eight values land together (run i sets all eight to i), no run's values are lost half
// way, foreign entries keep every byte (an escape only regedit knows, a key that stands twice), and
// the link stays a link.
TEST_F(WizardRun, ConcurrentRunsLeaveTheEightValuesOfOneRun)
{
    const std::string store = m_config + "/skipfloor-wizard/registry.reg";
    const std::string foreign = "[HKEY_CURRENT_USER\\Software\\Other]\n\"a\\nb\"=\"C:\\\\x\"\n\n";
    fs::create_directories(m_config + "/skipfloor-wizard");
    fs::create_directories(m_root.file("dotfiles"));
    testutil::writeFile(m_root.file("dotfiles/registry.reg"),
                        "REGEDIT4\n\n" + foreign +
                            "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n\"HouseSizeX\"=\"old\"\n\n"
                            "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n\"HouseSizeX\"=\"older\"\n\n");
    fs::create_symlink(m_root.file("dotfiles/registry.reg"), store);

    constexpr int kRuns = 50;
    std::vector<pid_t> children;
    for (int i = 1; i <= kRuns; ++i) {
        // First-floor thickness i mm, other floors 1000·i mm, sizes i m, wall 1000·i mm, room height 1
        // of 0: then every one of the eight values is the text of i.
        const std::string n = std::to_string(i), k = std::to_string(1000 * i);
        const std::string input = "2 " + n + "\n3 " + k + "\n4 0\n9 " + n + "\n10 " + n + "\n11 " + n + "\n12 " + n +
                                  "\n13 " + k + "\nok\n";
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            testutil::RunResult result = testutil::runProgram(
                SKIPFLOOR_WIZARD, {"s" + n + ".cws"}, m_work,
                {{"HOME", m_root.file("home")}, {"XDG_CONFIG_HOME", m_config}, {"LC_ALL", "C.UTF-8"}}, input);
            ::_exit(result.exitCode == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    EXPECT_TRUE(fs::is_symlink(store));
    const std::string text = registryStore();
    ASSERT_EQ(text.compare(0, 10 + foreign.size(), "REGEDIT4\n\n" + foreign), 0) << text;
    std::set<std::string> values;
    for (std::size_t at = text.find("=\"", 10 + foreign.size()); at != std::string::npos; at = text.find("=\"", at + 1))
        values.insert(text.substr(at + 2, text.find('"', at + 2) - at - 2));
    ASSERT_EQ(values.size(), 1u) << text;  // all eight, in both copies of the key, from one run
    EXPECT_NE(text.find("\"WallDefaultHeight\"=\"" + *values.begin() + "\""), std::string::npos) << text;
}

}  // namespace
