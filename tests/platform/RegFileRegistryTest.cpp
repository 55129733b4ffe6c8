// RegFileRegistryTest.cpp - the REGEDIT4-file registry on disk: creating it, refusing a damaged store,
// and concurrent writers that lose nothing. What the model keeps of others' entries: RegFileTest.
#include "platform/posix/RegFile.h"
#include "platform/posix/RegFileRegistry.h"

#include "builder/ParamFile.h"
#include "builder/EnvironmentDefaults.h"

#include "testutil/Hex.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::readFile;
using testutil::writeFile;

TEST(RegFileRegistry, ExportIntoANewStore)
{
    testutil::TempDir dir;
    const std::string store = dir.file("config/skipfloor-wizard/registry.reg");  // directories missing
    WizardParams params;
    SetDefaultParams(params);
    platform::RegFileRegistry registry(store);
    ExportEnvironmentDefaults(params, 2900.0, registry);
    const std::string exported =
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
        "\n";
    EXPECT_EQ(readFile(store), exported);
}

// A second export of the same values finds them in place and leaves the store file alone: every
// rewrite would be a new file renamed over it, with a new inode.
TEST(RegFileRegistry, UnchangedValuesAreNotRewritten)
{
    testutil::TempDir dir;
    const std::string store = dir.file("registry.reg");
    WizardParams params;
    SetDefaultParams(params);
    platform::RegFileRegistry registry(store);
    EXPECT_TRUE(ExportEnvironmentDefaults(params, 2900.0, registry).outcome.stored);
    struct stat before {};
    ASSERT_EQ(::stat(store.c_str(), &before), 0);
    const RegistryExport again = ExportEnvironmentDefaults(params, 2900.0, registry);
    EXPECT_TRUE(again.outcome);
    EXPECT_FALSE(again.outcome.stored);  // the console says "(unchanged)"
    struct stat after {};
    ASSERT_EQ(::stat(store.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);

    params.m_siteWidth = 20;  // one changed value is written again
    ExportEnvironmentDefaults(params, 2900.0, registry);
    EXPECT_NE(readFile(store).find("\"LandSizeX\"=\"20\""), std::string::npos);
}

TEST(RegFileRegistry, DamagedStoreRefusesAndStaysAsItIs)
{
    testutil::TempDir dir;
    const std::string damaged = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"unterminated\n";
    writeFile(dir.file("registry.reg"), damaged);
    platform::RegFileRegistry registry(dir.file("registry.reg"));
    RegistryKey key = nullptr;
    EXPECT_EQ(registry.createKey(nullptr, "Software\\Tolvarix\\Quorrel", &key).error, EBADMSG);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(readFile(dir.file("registry.reg")), damaged);
}

// A FIFO at the store's path is never read: a run that waited for a writer there would hold the
// store's lock and block every other run.
TEST(RegFileRegistry, FifoStoreRefusesWithoutWaiting)
{
    testutil::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("registry.reg").c_str(), 0666), 0);
    platform::RegFileRegistry registry(dir.file("registry.reg"));
    RegistryKey key = nullptr;
    EXPECT_EQ(registry.createKey(nullptr, "Software", &key).error, ENODEV);
}

TEST(RegFileRegistry, Arguments)
{
    testutil::TempDir dir;
    platform::RegFileRegistry registry(dir.file("registry.reg"));
    RegistryKey key = nullptr;
    for (const char* bad : {"", "Trail\\", "Double\\\\Slash", "Line\nBreak"})
        EXPECT_FALSE(registry.createKey(nullptr, bad, &key)) << bad;
    ASSERT_TRUE(registry.createKey(nullptr, "K", &key));
    EXPECT_TRUE(registry.setStringValue(key, "a", "abc", 4));     // the length counts the NUL
    EXPECT_TRUE(registry.setStringValue(key, "b", "abcdef", 3));  // no NUL within the length
    EXPECT_TRUE(registry.setStringValue(key, "c", "", 0));
    EXPECT_FALSE(registry.setStringValue(key, "d", "two\nlines", 10));
    EXPECT_FALSE(registry.setStringValue(&key, "e", "1", 2)) << "not a handle of this registry";
    registry.closeKey(key);
    EXPECT_FALSE(registry.setStringValue(key, "f", "1", 2)) << "a closed handle";
    EXPECT_EQ(readFile(dir.file("registry.reg")),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"abc\"\n\"b\"=\"abc\"\n\"c\"=\"\"\n\n");
    EXPECT_FALSE(platform::RegFileRegistry("").createKey(nullptr, "K", &key));
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
            RegistryKey key = nullptr;
            bool ok = static_cast<bool>(registry.createKey(nullptr, w % 2 ? "Software\\Odd" : "Software\\Even", &key));
            for (int v = 0; ok && v < kValues; ++v)
                ok = static_cast<bool>(registry.setStringValue(key, ("v" + std::to_string(w * 100 + v)).c_str(), "x", 2));
            if (ok) ok = registry.closeKey(key).stored;  // the transaction's one write
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
    std::size_t values = 0;
    for (const regfile::Section& section : document->sections)
        for (const regfile::Entry& entry : section.entries) values += entry.kind == regfile::Entry::Kind::Value;
    EXPECT_EQ(values, static_cast<std::size_t>(kWriters * kValues));
}

}  // namespace
