// WizardAppTest.cpp - one whole run of InitInstance with a scripted dialog and a recording registry,
// in a temporary working directory: what is shown, and what is written after OK and after Cancel.
#include "app/ParamFile.h"
#include "app/WizardApp.h"
#include "platform/Dialog.h"
#include "platform/Registry.h"

#include "testutil/Hex.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

using testutil::fileExists;
using testutil::readFile;

class ScriptedDialog : public platform::Dialog {
public:
    int result = 1;
    std::function<void(WizardParams&)> edit;  // what the "user" types before the result
    int runs = 0;
    WizardParams shown;

    int doModal(WizardParams& params) override
    {
        ++runs;
        shown = params;
        if (result == 1 && edit) edit(params);
        return result;
    }
};

class RecordingRegistry : public platform::Registry {
public:
    std::vector<std::string> values;  // "name=text"
    int keysCreated = 0;

    bool createKey(platform::RegistryKey, const char*, platform::RegistryKey* key) override
    {
        *key = &keysCreated;
        ++keysCreated;
        return true;
    }
    bool setStringValue(platform::RegistryKey, const char* name, const char* data, std::uint32_t) override
    {
        values.push_back(std::string(name) + "=" + data);
        return true;
    }
    void closeKey(platform::RegistryKey) override {}
};

// Runs in a fresh temporary working directory, restored afterwards.
class WizardAppRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir.path());
    }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    int run(std::vector<CommandParam> params)
    {
        WizardApp app(dialog, registry);
        return app.InitInstance(params);
    }

    // Files in the working directory other than the scene file, which is the builder's business.
    std::vector<std::string> paramFilesWritten() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.path())) {
            std::string name = entry.path().filename().string();
            if (entry.path().extension() != ".cws") names.push_back(name);
        }
        return names;
    }

    static CommandParam path(std::string text) { return CommandParam{std::move(text), false}; }

    testutil::TempDir m_dir;
    std::filesystem::path m_previous;
    ScriptedDialog dialog;
    RecordingRegistry registry;
};

WizardParams defaults()
{
    WizardParams params;
    SetDefaultParams(params);
    return params;
}

bool sameValues(const WizardParams& a, const WizardParams& b)
{
    return encodeParamFile(a) == encodeParamFile(b);
}

TEST_F(WizardAppRun, CancelWritesNothingAnywhere)
{
    testutil::writeFile("saved.prm", "foreign header, 120 bytes or not");
    dialog.result = 2;
    EXPECT_EQ(run({path("a.cws"), path("saved.prm")}), 0);
    EXPECT_EQ(dialog.runs, 1);
    EXPECT_TRUE(registry.values.empty());
    EXPECT_EQ(registry.keysCreated, 0);
    EXPECT_FALSE(fileExists("a.cws"));
    EXPECT_EQ(readFile("saved.prm"), "foreign header, 120 bytes or not");
}

TEST_F(WizardAppRun, NoPathsUseDefaultsAndWriteNoParameterFile)
{
    EXPECT_EQ(run({CommandParam{"x", true}}), 0);
    EXPECT_TRUE(sameValues(dialog.shown, defaults()));
    EXPECT_EQ(registry.values.size(), 8u);
    EXPECT_TRUE(paramFilesWritten().empty());
}

TEST_F(WizardAppRun, OnePathWritesNoParameterFile)
{
    run({path("a.cws")});
    EXPECT_TRUE(sameValues(dialog.shown, defaults()));
    EXPECT_EQ(registry.values.size(), 8u);
    EXPECT_TRUE(paramFilesWritten().empty());
}

TEST_F(WizardAppRun, TwoPathsSaveTheEditedValuesForTheNextRun)
{
    dialog.edit = [](WizardParams& params) {
        params.m_siteWidth = 20.0;
        params.m_roomHeight4 = 2750.5;
    };
    run({path("a.cws"), path("house.prm")});
    EXPECT_TRUE(sameValues(dialog.shown, defaults()));
    ASSERT_EQ(readFile("house.prm").size(), 120u);
    EXPECT_TRUE(std::find(registry.values.begin(), registry.values.end(), "LandSizeX=20") != registry.values.end());

    ScriptedDialog second;
    second.result = 2;
    WizardApp again(second, registry);
    again.InitInstance({path("a.cws"), path("house.prm")});
    EXPECT_EQ(second.shown.m_siteWidth, 20.0);
    EXPECT_EQ(second.shown.m_roomHeight4, 2750.5);
    EXPECT_EQ(second.shown.m_foundationHeight, 400.0);
}

TEST_F(WizardAppRun, ForeignParameterFileShowsDefaultsAndIsReplaced)
{
    testutil::writeFile("house.prm", std::string(120, 'Q'));
    run({path("a.cws"), path("house.prm")});
    EXPECT_TRUE(sameValues(dialog.shown, defaults()));
    std::string bytes = readFile("house.prm");
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes.substr(0, 7), std::string("Zendel\0", 7));
}

}  // namespace
