// WizardCommandLineTest.cpp - which parameter lands in which path, and the two flags they leave.
#include "app/WizardCommandLine.h"

#include "testutil/Hex.h"

namespace {

CommandParam path(std::string text) { return CommandParam{std::move(text), false}; }
CommandParam flag(std::string text) { return CommandParam{std::move(text), true}; }

TEST(WizardCommandLine, PathsAndFlags)
{
    testutil::TempDir dir;
    const std::string existing = dir.file("saved.prm");
    testutil::writeFile(existing, "anything");
    const std::string missing = dir.file("new.prm");

    struct Row {
        const char* what;
        std::vector<CommandParam> params;
        int noPath;
        int paramFileExists;
        std::string scene;
        std::string param;
    };
    const Row rows[] = {
        {"no parameters", {}, 1, 0, "", ""},
        {"flags only", {flag("p"), flag("dde")}, 1, 0, "", ""},
        {"one path", {path("a.cws")}, 0, 0, "a.cws", ""},
        {"two paths, the second missing", {path("a.cws"), path(missing)}, 0, 0, "a.cws", missing},
        {"two paths, the second readable", {path("a.cws"), path(existing)}, 0, 1, "a.cws", existing},
        {"flags around the paths",
         {flag("x"), path("a.cws"), flag("Embedding"), path(existing)}, 0, 1, "a.cws", existing},
        {"a flag last still ends the line", {path("a.cws"), path(existing), flag("q")}, 0, 1, "a.cws", existing},
        {"a third path is dropped", {path("a.cws"), path(existing), path("c.prm")}, 0, 1, "a.cws", existing},
        {"an empty parameter keeps its slot free", {path(""), path("a.cws"), path(existing)}, 0, 1, "a.cws",
         existing},
        {"only an empty parameter", {path("")}, 1, 0, "", ""},
        {"the scene path is not probed", {path(existing)}, 0, 0, existing, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WizardCommandLine commandLine;
        ParseCommandLine(row.params, commandLine);
        EXPECT_EQ(commandLine.m_bNoPath, row.noPath);
        EXPECT_EQ(commandLine.m_bParamFileExists, row.paramFileExists);
        EXPECT_EQ(commandLine.m_strScenePath, row.scene);
        EXPECT_EQ(commandLine.m_strParamPath, row.param);
    }
}

}  // namespace
