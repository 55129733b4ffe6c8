// ConsoleDialogTest.cpp - the console form driven by a script in memory, as a pipe would drive it.
#include "platform/posix/ConsoleDialog.h"

#include "app/ParamFile.h"

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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptRun run = drive(row.script);
        EXPECT_EQ(run.result, row.result);
        EXPECT_EQ(run.params.m_roomHeight2, row.roomHeight2);
        EXPECT_EQ(run.params.m_foundationHeight, 400.0);
        EXPECT_EQ(count(run.output, "数値を入力してください。"), row.prompts);
        for (const std::string& line : row.says) EXPECT_GE(count(run.output, line), 1) << line;
    }
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
