// ConsoleDialogTest.cpp - the console form driven by a script in memory, as a pipe would drive it.
#include "platform/posix/ConsoleDialog.h"

#include "builder/ParamFile.h"

#include "testutil/Hex.h"

#include <sstream>

using namespace wizard;  // the wizard's code under test

namespace {

struct ScriptRun {
    int result;
    WizardParams params;
    std::string output;
};

ScriptRun drive(const std::string& script, bool gloss = false)
{
    std::istringstream in(script);
    std::ostringstream out;
    platform::ConsoleDialog dialog(in, out, gloss);
    ScriptRun run;
    SetDefaultParams(run.params);
    run.result = dialog.doModal(run.params);
    run.output = out.str();
    return run;
}

int count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ConsoleDialog, PrintsTheFormInTabOrder)
{
    ScriptRun run = drive("cancel\n");
    EXPECT_EQ(run.output,
              "スキップフロア準備ウィザード\n"
              "   1  基礎高さ                           400 mm\n"
              "   2  １階床厚                           210 mm\n"
              "   3  他階床厚                           500 mm\n"
              "   4  １階部屋高                        2400 mm\n"
              "   5  ２階部屋高                        2400 mm\n"
              "   6  ３階部屋高                        2400 mm\n"
              "   7  ４階部屋高                        2400 mm\n"
              "   8  基準ブロックとのレベル差          1450 mm\n"
              "   9  敷地 幅                             15 m\n"
              "  10  敷地 奥行                           15 m\n"
              "  11  建物 幅                             10 m\n"
              "  12  建物 奥行                           10 m\n"
              "  13  壁厚                               100 mm\n"
              "Type \"N TEXT\" to set row N (1 to 13), \"ok\" to confirm, \"cancel\" to quit, \"help\" for more.\n");
    // A console that is not Japanese gets each row's English gloss beside its unit.
    EXPECT_NE(drive("cancel\n", true).output.find("   400 mm foundation height\n"), std::string::npos);
}

TEST(ConsoleDialog, Scripts)
{
    struct Row {
        const char* what;
        std::string script;
        int result;
        double roomHeight2;  // row 5
        int prompts;         // times "数値を入力してください。" was printed
        std::vector<std::string> says;  // lines the form must have printed
        int notes = -1;                 // times "note:" was printed; -1: not counted
    };
    const Row rows[] = {
        {"ok keeps the values", "ok\n", 1, 2400, 0, {}},
        {"cancel", "5 2500\ncancel\n", 2, 2400, 0, {}},
        {"quit", "5 2500\nquit\n", 2, 2400, 0, {}},
        {"end of input cancels", "5 2500\n", 2, 2400, 0, {}},
        {"no input at all", "", 2, 2400, 0, {}},
        {"a row set, then ok", "5 2500\nok\n", 1, 2500, 0, {}},
        {"full-width digits", "5 \xEF\xBC\x92\xEF\xBC\x95\xEF\xBC\x90\xEF\xBC\x90\nok\n", 1, 2500, 0, {}},
        {"a bad number, then a good one", "5 abc\nok\n5 1e3\nok\n", 1, 1000, 1, {}},
        {"a bad number, then the end", "5 abc\nok\n", 2, 2400, 1, {}},
        {"words in any case, CR LF lines, blanks", "  5   2600  \r\n\r\n  OK \r\n", 1, 2600, 0, {}},
        {"a last line without its line end", "5 2700\nok", 1, 2700, 0, {}},
        {"show and help", "5 2500\nshow\nhelp\nok\n", 1, 2500, 0, {"   5  ２階部屋高                        2500 mm\n   6", "  levels   print"}},
        {"what is wrong is named", "hello\n14 5\n0 5\n5\nok\n", 1, 2400, 0,
         {"Unknown command \"hello\".", "There is no row 14:", "There is no row 0:", "Row 5 needs a value"}},
        {"a line too long for the form", "5 " + std::string(5000, '1') + "\nok\n", 1, 2400, 0,
         {"That line is longer than 4096 bytes; it was not read.\n"}},
        {"a value beyond the scene's floats warns, and ok goes on", "5 1e39\nok\n", 1, 1e39, 0,
         {"warning: row 5 (２階部屋高): 1e+039 mm is beyond the range"}},
        // A plan note right under the echo of the row that causes it, and once more at ok, which asks
        // nothing and goes on.
        {"a building width typed in millimetres", "11 15000\nok\n", 1, 2400, 0,
         {"  11  建物 幅                          15000 m\n"
          "      note: 15000 m: this row is in metres; 15000 mm is 15 m\n"
          "      note: the building is 14985 m wider than its site (building width 15000 m, site width 15 m)\n",
          "\nnote: row 11 (建物 幅) 15000 m: this row is in metres; 15000 mm is 15 m\n"
          "note: the building is 14985 m wider than its site (building width 15000 m, site width 15 m)\n"},
         4},
        {"a site width's note under the site width's echo, mended", "9 5\n9 20\nok\n", 1, 2400, 0,
         {"   9  敷地 幅                              5 m\n"
          "      note: the building is 5 m wider than its site (building width 10 m, site width 5 m)\n"
          "   9  敷地 幅                             20 m\n"},
         1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptRun run = drive(row.script);
        EXPECT_EQ(run.result, row.result);
        EXPECT_EQ(run.params.m_roomHeight2, row.roomHeight2);
        EXPECT_EQ(run.params.m_foundationHeight, 400.0);
        EXPECT_EQ(count(run.output, "数値を入力してください。"), row.prompts);
        for (const std::string& line : row.says) EXPECT_GE(count(run.output, line), 1) << line;
        if (row.notes >= 0) {
            EXPECT_EQ(count(run.output, "note:"), row.notes) << run.output;
        }
    }
}

// A unit after the number is converted into the row's unit, and the row shows the converted number; a
// bare number keeps the row's unit, and a unit after a text that is not a number leaves it as typed.
TEST(ConsoleDialog, AUnitAfterTheNumberIsConvertedIntoTheRows)
{
    struct Row {
        const char* line;
        const char* echo;      // the row as printed after the line
        double WizardParams::*member;
        double value;          // after ok
    };
    const Row rows[] = {
        {"11 15000mm", "  11  建物 幅                             15 m\n", &WizardParams::m_buildingWidth, 15},
        {"11 15000 mm", "  11  建物 幅                             15 m\n", &WizardParams::m_buildingWidth, 15},
        {"11 12.5 m", "  11  建物 幅                           12.5 m\n", &WizardParams::m_buildingWidth, 12.5},
        {"4 2.4m", "   4  １階部屋高                        2400 mm\n", &WizardParams::m_roomHeight1, 2400},
        {"4 2600mm", "   4  １階部屋高                        2600 mm\n", &WizardParams::m_roomHeight1, 2600},
        // ２．４ｍ and １５０００ｍｍ, as a Japanese input method types them
        {"4 \xEF\xBC\x92\xEF\xBC\x8E\xEF\xBC\x94\xEF\xBD\x8D", "   4  １階部屋高                        2400 mm\n",
         &WizardParams::m_roomHeight1, 2400},
        {"12 \xEF\xBC\x91\xEF\xBC\x95\xEF\xBC\x90\xEF\xBC\x90\xEF\xBC\x90\xE3\x80\x80\xEF\xBD\x8D\xEF\xBD\x8D",
         "  12  建物 奥行                           15 m\n", &WizardParams::m_buildingDepth, 15},
        {"12 8", "  12  建物 奥行                            8 m\n", &WizardParams::m_buildingDepth, 8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        ScriptRun run = drive(std::string(row.line) + "\nok\n");
        EXPECT_EQ(run.result, 1);
        const std::string afterTheForm = run.output.substr(run.output.find("for more.\n"));
        EXPECT_EQ(count(afterTheForm, row.echo), 1) << run.output;
        EXPECT_EQ(run.params.*row.member, row.value);
    }
    ScriptRun notANumber = drive("11 ten m\nok\ncancel\n");
    EXPECT_EQ(count(notANumber.output, "  11  建物 幅                          ten m m\n"), 2) << notANumber.output;  // echo, ok
    EXPECT_EQ(notANumber.result, 2);
}

TEST(ConsoleDialog, PromptNamesEveryBadFieldTheFirstInExchangeOrderFirst)
{
    // Row 5 (２階部屋高) is above row 12 (建物 奥行) on screen, but the depth is exchanged first: it is the
    // one the Windows dialog focuses, and it comes first here.
    ScriptRun run = drive("5 x\n12 y\nok\ncancel\n");
    EXPECT_EQ(run.result, 2);
    std::size_t prompt = run.output.find("数値を入力してください。\n");
    ASSERT_NE(prompt, std::string::npos);
    EXPECT_EQ(run.output.substr(prompt + std::string("数値を入力してください。\n").size()),
              "  12  建物 奥行                            y m\n"
              "   5  ２階部屋高                           x mm\n");
    EXPECT_EQ(run.params.m_buildingDepth, 10.0);
}

}  // namespace
