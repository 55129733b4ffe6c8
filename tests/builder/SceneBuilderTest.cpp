// Tests for builder/SceneBuilder: the whole scene file of the split-level house against files
// assembled by hand, in both encodings, and the structure of the frame chain.
#include "builder/SceneBuilder.h"

#include "DefaultParams.h"
#include "builder/CommandLineRecord.h"
#include "builder/WizardParams.h"
#include "builder/Registry.h"
#include <cwscene/Scene.h>
#include "testutil/Hex.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <cerrno>
#include <map>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::defaultParams;
using testutil::fromHex;
using testutil::readFile;

std::string golden(const char* name) { return fromHex(readFile(std::string(SKIPFLOOR_GOLDEN_DIR) + "/" + name)); }

// A registry that accepts everything and remembers the values by name.
class MemoryRegistry : public Registry {
public:
    std::map<std::string, std::string> values;
    RegistryOutcome createKey(RegistryKey, const char*, RegistryKey* key) override
    {
        *key = this;
        return {};
    }
    RegistryOutcome setStringValue(RegistryKey, const char* name, const char* data, std::uint32_t length) override
    {
        values[name] = std::string(data, length ? length - 1 : 0);
        return {};
    }
    RegistryOutcome closeKey(RegistryKey) override { return {}; }
};

CommandLineRecord scenePathOnly(const std::string& path)
{
    CommandLineRecord commandLine;
    commandLine.m_bNoPath = 0;
    commandLine.m_strScenePath = path;
    return commandLine;
}

TEST(SceneBuilder, DefaultSceneMatchesTheHandAssembledFile)
{
    testutil::TempDir dir;
    MemoryRegistry registry;
    BuildScene(defaultParams(), scenePathOnly(dir.file("a.cws")), registry);
    EXPECT_SAME_BYTES(readFile(dir.file("a.cws")), golden("zendel-default.hex"));
    EXPECT_EQ(registry.values.size(), 8u);
    EXPECT_EQ(registry.values["WallDefaultHeight"], "2.9");
}

TEST(SceneBuilder, UnequalRoomHeights)
{
    testutil::TempDir dir;
    MemoryRegistry registry;
    WizardParams p = defaultParams();
    p.m_roomHeight1 = 2000;
    BuildScene(p, scenePathOnly(dir.file("a.cws")), registry);
    EXPECT_SAME_BYTES(readFile(dir.file("a.cws")), golden("zendel-h1-2000.hex"));
    EXPECT_EQ(registry.values["WallDefaultHeight"], "2.5");
}

// The builder never selects the text encoding itself, but the scene it builds is the same in both.
TEST(SceneBuilder, DefaultSceneInTheTextEncoding)
{
    testutil::TempDir dir;
    MemoryRegistry registry;
    CWScene modeSwitch;
    modeSwitch.SetTextMode(1);
    BuildScene(defaultParams(), scenePathOnly(dir.file("a.cws")), registry);
    modeSwitch.SetTextMode(0);
    EXPECT_SAME_BYTES(readFile(dir.file("a.cws")), golden("zendel-default-text.hex"));
}

TEST(SceneBuilder, WithoutAPathTheSceneGoesToZendelInTheWorkingDirectory)
{
    testutil::TempDir dir;
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::u8path(dir.path()));
    MemoryRegistry registry;
    CommandLineRecord commandLine;  // m_bNoPath stays 1
    BuildScene(defaultParams(), commandLine, registry);
    std::filesystem::current_path(previous);
    EXPECT_SAME_BYTES(readFile(dir.file("zendel.cws")), golden("zendel-default.hex"));
}

// A save that cannot happen does not stop the registry export, and leaves no file behind.
TEST(SceneBuilder, UnwritableScenePathStillExportsTheDefaults)
{
    testutil::TempDir dir;
    MemoryRegistry registry;
    const BuildResult built = BuildScene(defaultParams(), scenePathOnly(dir.file("missing/a.cws")), registry);
    EXPECT_FALSE(testutil::fileExists(dir.file("missing")));
    EXPECT_EQ(registry.values.size(), 8u);
    EXPECT_EQ(built.registry.valuesSet, 8);
    EXPECT_EQ(built.scene.path, dir.file("missing/a.cws"));
    EXPECT_FALSE(built.scene.written);
    EXPECT_EQ(built.scene.error, ENOENT);  // the reason travels with the result
}

// Site width 12.5 m: the slab's x size is 12500.0 (00 50 43 46), the rest of the file unchanged.
TEST(SceneBuilder, MetreSizesReachTheSlab)
{
    testutil::TempDir dir;
    MemoryRegistry registry;
    WizardParams p = defaultParams();
    p.m_siteWidth = 12.5;
    BuildScene(p, scenePathOnly(dir.file("a.cws")), registry);
    std::string bytes = readFile(dir.file("a.cws"));
    std::string expected = golden("zendel-default.hex");
    // The slab's size triple: 15000, 15000, 100 in the default file.
    const std::string defaultSize = fromHex("00 60 6A 46  00 60 6A 46  00 00 C8 42");
    std::size_t at = expected.find(defaultSize);
    ASSERT_NE(at, std::string::npos);
    expected.replace(at, 4, fromHex("00 50 43 46"));
    EXPECT_SAME_BYTES(bytes, expected);
    EXPECT_EQ(registry.values["LandSizeX"], "12.5");
}

}  // namespace
