// WizardAppTest.cpp - whole runs of InitInstance with a scripted dialog and a recording registry, in a
// temporary working directory: what the dialog shows, and what is written after OK and after Cancel.
#include "builder/ParamFile.h"
#include "app/WizardApp.h"
#include "app/Dialog.h"
#include "builder/Registry.h"

#include "testutil/Hex.h"

#include <filesystem>
#include <functional>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::fileExists;
using testutil::readFile;

struct ScriptedDialog : Dialog {
    int result = 1;
    std::function<void(WizardParams&)> edit;  // what the user types before OK
    WizardParams shown;
    int doModal(WizardParams& params) override
    {
        shown = params;
        if (result == 1 && edit) edit(params);
        return result;
    }
};

struct CountingRegistry : Registry {
    int calls = 0;
    RegistryOutcome createKey(RegistryKey, const char*, RegistryKey* key) override
    {
        *key = this;
        ++calls;
        return {};
    }
    RegistryOutcome setStringValue(RegistryKey, const char*, const char*, std::uint32_t) override
    {
        ++calls;
        return {};
    }
    RegistryOutcome closeKey(RegistryKey) override { return {}; }
};

class WizardAppRun : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::current_path(m_dir.path()); }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    void run(std::vector<CommandParam> params) { WizardApp(dialog, registry).InitInstance(params); }
    static CommandParam path(std::string text) { return CommandParam{std::move(text), false}; }
    static bool isDefaults(const WizardParams& params)
    {
        WizardParams expected;
        SetDefaultParams(expected);
        return encodeParamFile(params) == encodeParamFile(expected);
    }
    // Files other than the scene file, which is the builder's business.
    static std::size_t otherFiles()
    {
        std::size_t n = 0;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            n += entry.path().extension() != ".cws";
        return n;
    }

    std::filesystem::path m_previous = std::filesystem::current_path();
    testutil::TempDir m_dir;
    ScriptedDialog dialog;
    CountingRegistry registry;
};

TEST_F(WizardAppRun, CancelWritesNothingAnywhere)
{
    testutil::writeFile("saved.prm", "foreign");
    dialog.result = 2;
    run({path("a.cws"), path("saved.prm")});
    EXPECT_EQ(registry.calls, 0);
    EXPECT_FALSE(fileExists("a.cws"));
    EXPECT_EQ(readFile("saved.prm"), "foreign");
}

TEST_F(WizardAppRun, FewerThanTwoPathsWriteNoParameterFile)
{
    for (std::vector<CommandParam> params : {std::vector<CommandParam>{}, {CommandParam{"x", true}}, {path("a.cws")}}) {
        registry.calls = 0;
        run(params);
        EXPECT_TRUE(isDefaults(dialog.shown));
        EXPECT_EQ(registry.calls, 10);  // two keys, eight values
        EXPECT_EQ(otherFiles(), 0u);
    }
}

TEST_F(WizardAppRun, TwoPathsSaveTheEditedValuesForTheNextRun)
{
    testutil::writeFile("house.prm", std::string(120, 'Q'));  // a foreign file: defaults, then replaced
    dialog.edit = [](WizardParams& params) { params.m_roomHeight4 = 2750.5; };
    run({path("a.cws"), path("house.prm")});
    EXPECT_TRUE(isDefaults(dialog.shown));
    EXPECT_EQ(readFile("house.prm").substr(0, 7), std::string("Zendel\0", 7));

    dialog.edit = nullptr;
    run({path("a.cws"), path("house.prm")});
    EXPECT_EQ(dialog.shown.m_roomHeight4, 2750.5);
    EXPECT_EQ(dialog.shown.m_foundationHeight, 400.0);
}

}  // namespace
