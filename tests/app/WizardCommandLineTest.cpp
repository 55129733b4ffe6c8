// WizardCommandLineTest.cpp - which parameter lands in which path, and the two flags they leave.
#include "app/WizardCommandLine.h"

#include "testutil/Hex.h"

using namespace wizard;  // the wizard's code under test

namespace {

CommandParam path(std::string text) { return CommandParam{std::move(text), false}; }
CommandParam flag(std::string text) { return CommandParam{std::move(text), true}; }

TEST(WizardCommandLine, PathsAndFlags)
{
    testutil::TempDir dir;
    const std::string saved = dir.file("saved.prm"), missing = dir.file("new.prm");
    testutil::writeFile(saved, "anything");
    const struct {
        const char* what;
        std::vector<CommandParam> params;
        int noPath, paramFileExists;
        std::string scene, param;
    } rows[] = {
        {"no parameters", {}, 1, 0, "", ""},
        {"flags only", {flag("p"), flag("dde")}, 1, 0, "", ""},
        {"one path, which is not probed", {path(saved)}, 0, 0, saved, ""},
        {"the second path missing", {path("a.cws"), path(missing)}, 0, 0, "a.cws", missing},
        {"the second path readable", {path("a.cws"), path(saved)}, 0, 1, "a.cws", saved},
        {"flags anywhere", {flag("x"), path("a.cws"), flag("Embedding"), path(saved), flag("q")}, 0, 1, "a.cws",
         saved},
        {"a third path is dropped", {path("a.cws"), path(saved), path("c.prm")}, 0, 1, "a.cws", saved},
        {"an empty parameter keeps its slot free", {path(""), path("a.cws"), path(saved)}, 0, 1, "a.cws", saved},
        {"only an empty parameter", {path("")}, 1, 0, "", ""},
    };
    for (const auto& row : rows) {
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
