// ConsoleReportTest.cpp - what the console says when the registry defaults could not be written: the
// lock's trouble names the lock file, not the store.
#include "platform/posix/ConsoleReport.h"
#include "platform/posix/RegFileRegistry.h"

#include "testutil/Hex.h"

#include <fcntl.h>
#include <sys/file.h>  // flock
#include <sys/stat.h>
#include <unistd.h>

using namespace wizard;  // the wizard's code under test

namespace {

// Each row prepares the store's folder (returning a descriptor to close afterwards, or -1), then a run
// that confirmed and saved its scene meets it.
TEST(ConsoleReport, RegistryFailuresNameTheFileTheyConcern)
{
    const struct {
        const char* what;
        int (*prepare)(const std::string& store);
        const char* says;  // after "could not write the registry defaults to STORE: "; "@" stands for STORE
    } rows[] = {
        {"another run holds the lock",
         [](const std::string& store) {
             int fd = ::open((store + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
             return ::flock(fd, LOCK_EX) == 0 ? fd : -1;
         },
         "another run holds @.lock; waited 50 ms"},
        {"the lock's path is a directory",
         [](const std::string& store) { return ::mkdir((store + ".lock").c_str(), 0777) - 1; },
         "cannot use its lock file @.lock: Is a directory"},
        {"the lock's path is a dangling link",
         [](const std::string& store) { return ::symlink("gone/x", (store + ".lock").c_str()) - 1; },
         "its lock file @.lock is a symbolic link, which is never followed"},
        {"a store it cannot keep intact",
         [](const std::string& store) {
             testutil::writeFile(store, "REGEDIT4\n[K]\n\"a\"=\"open\n");
             return -1;
         },
         "not a registry file (REGEDIT4 or version 5.00) this program can keep intact"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        testutil::TempDir dir;
        const std::string store = dir.file("registry.reg");
        const int held = row.prepare(store);
        platform::RegFileRegistry registry(store, 50);
        RegistryKey key = nullptr;

        RunReport run;
        run.confirmed = true;
        run.built.registry.outcome = registry.createKey(nullptr, "Software", &key);
        EXPECT_FALSE(run.built.registry.outcome);
        run.built.scene = fileio::WriteOutcome{dir.file("s.cws"), true, 0};
        std::string says = row.says;
        for (std::size_t at; (at = says.find('@')) != std::string::npos;) says.replace(at, 1, store);
        EXPECT_EQ(platform::resultLines(run, registry.storePath()),
                  "wrote " + run.built.scene.path + "\ncould not write the registry defaults to " + store + ": " + says + "\n");
        EXPECT_EQ(platform::exitStatus(run), platform::kExitNotWritten);
        if (held >= 0) ::close(held);
    }
}

}  // namespace
