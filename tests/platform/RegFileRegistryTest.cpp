// RegFileRegistryTest.cpp - the REGEDIT4-file registry on disk: creating it, keeping what others
// wrote, refusing a damaged store, and concurrent writers that lose nothing.
#include "platform/posix/RegFileRegistry.h"
#include "platform/posix/RegFile.h"

#include "builder/EnvironmentDefaults.h"
#include "app/ParamFile.h"

#include "testutil/Hex.h"

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testutil::readFile;
using testutil::writeFile;

TEST(RegFileRegistry, ExportIntoANewStore)
{
    testutil::TempDir dir;
    const std::string store = dir.file("config/skipfloor-wizard/registry.reg");  // directories missing
    platform::RegFileRegistry registry(store);
    WizardParams params;
    SetDefaultParams(params);
    ExportEnvironmentDefaults(params, 2900.0, registry);
    EXPECT_EQ(readFile(store),
              "REGEDIT4\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel]\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n"
              "\"1stFloorDefaultHeight\"=\"210\"\n"
              "\"FloorDefaultHeight\"=\"0.5\"\n"
              "\"HouseSizeX\"=\"10\"\n"
              "\"HouseSizeY\"=\"10\"\n"
              "\"LandSizeX\"=\"15\"\n"
              "\"LandSizeY\"=\"15\"\n"
              "\"WallDefaultHeight\"=\"2.9\"\n"
              "\"WallDefaultThickness\"=\"0.1\"\n"
              "\n");
}

TEST(RegFileRegistry, KeepsForeignKeysAndValues)
{
    testutil::TempDir dir;
    const std::string store = dir.file("registry.reg");
    writeFile(store,
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"X\"=dword:00000001\n\n"
              "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n\"Units\"=\"mm\"\n"
              "\"HouseSizeX\"=\"99\"\n");
    platform::RegFileRegistry registry(store);
    platform::RegistryKey key = nullptr;
    ASSERT_TRUE(registry.createKey(nullptr, "Software\\Tolvarix\\Quorrel\\Environment", &key));
    ASSERT_TRUE(registry.setStringValue(key, "HouseSizeX", "10", 3));
    registry.closeKey(key);
    EXPECT_EQ(readFile(store),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"X\"=dword:00000001\n\n"
              "[HKEY_CURRENT_USER\\Software\\Tolvarix\\Quorrel\\Environment]\n\"Units\"=\"mm\"\n"
              "\"HouseSizeX\"=\"10\"\n\n");
}

TEST(RegFileRegistry, DamagedStoreRefusesAndStaysAsItIs)
{
    testutil::TempDir dir;
    const std::string store = dir.file("registry.reg");
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"unterminated\n";
    writeFile(store, damaged);
    platform::RegFileRegistry registry(store);
    platform::RegistryKey key = nullptr;
    EXPECT_FALSE(registry.createKey(nullptr, "Software\\Tolvarix\\Quorrel", &key));
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(readFile(store), damaged);
}

TEST(RegFileRegistry, RefusedArguments)
{
    testutil::TempDir dir;
    platform::RegFileRegistry registry(dir.file("registry.reg"));
    platform::RegistryKey key = nullptr;
    for (const char* bad : {"", "\\Lead", "Trail\\", "Double\\\\Slash", "Line\nBreak"})
        EXPECT_FALSE(registry.createKey(nullptr, bad, &key)) << bad;
    ASSERT_TRUE(registry.createKey(nullptr, "K", &key));
    EXPECT_FALSE(registry.setStringValue(key, "v", "two\nlines", 10));
    EXPECT_FALSE(registry.setStringValue(&key, "v", "1", 2)) << "not a handle of this registry";
    registry.closeKey(key);
    EXPECT_FALSE(registry.setStringValue(key, "v", "1", 2)) << "a closed handle";

    platform::RegFileRegistry nowhere("");
    EXPECT_FALSE(nowhere.createKey(nullptr, "K", &key));
}

TEST(RegFileRegistry, StoredTextEndsAtTheNul)
{
    testutil::TempDir dir;
    platform::RegFileRegistry registry(dir.file("registry.reg"));
    platform::RegistryKey key = nullptr;
    ASSERT_TRUE(registry.createKey(nullptr, "K", &key));
    ASSERT_TRUE(registry.setStringValue(key, "a", "abc", 4));
    ASSERT_TRUE(registry.setStringValue(key, "b", "abcdef", 3));  // no NUL within the length: 3 bytes
    ASSERT_TRUE(registry.setStringValue(key, "c", "", 0));
    EXPECT_EQ(readFile(dir.file("registry.reg")),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"abc\"\n\"b\"=\"abc\"\n\"c\"=\"\"\n\n");
}

TEST(RegFileRegistry, ConcurrentWritersLoseNothing)
{
    testutil::TempDir dir;
    const std::string store = dir.file("registry.reg");
    constexpr int kWriters = 6, kValues = 15;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            platform::RegFileRegistry registry(store);
            platform::RegistryKey key = nullptr;
            bool ok = registry.createKey(nullptr, ("Software\\W" + std::to_string(w % 2)).c_str(), &key);
            for (int v = 0; ok && v < kValues; ++v) {
                std::string name = "v" + std::to_string(w) + "_" + std::to_string(v);
                ok = registry.setStringValue(key, name.c_str(), "x", 2);
            }
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::optional<regfile::Document> document = regfile::parse(readFile(store));
    ASSERT_TRUE(document);
    ASSERT_EQ(document->sections.size(), 2u);
    std::size_t values = document->sections[0].entries.size() + document->sections[1].entries.size();
    EXPECT_EQ(values, static_cast<std::size_t>(kWriters * kValues));
}

TEST(RegFileRegistry, DefaultPathFollowsXdgConfigHome)
{
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string config = savedConfig ? savedConfig : "", home = savedHome ? savedHome : "";

    ::setenv("XDG_CONFIG_HOME", "/cfg", 1);
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(platform::defaultRegistryPath(), "/cfg/skipfloor-wizard/registry.reg");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(platform::defaultRegistryPath(), "/home/u/.config/skipfloor-wizard/registry.reg");
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(platform::defaultRegistryPath(), "/home/u/.config/skipfloor-wizard/registry.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(platform::defaultRegistryPath(), "");

    if (savedConfig) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    if (savedHome) ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
