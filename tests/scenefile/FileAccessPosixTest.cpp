// FileAccessPosixTest.cpp - OutputFile over every kind of target a POSIX path can name: afterwards the
// target keeps its kind, its mode and its link, and holds either its old content or all of the new;
// the system's reason for a write that failed; a scene read through a pipe as from its file.
//
// Permissions decide some rows, and root may write what others may not, so each row states both
// outcomes; when the tests run as root, every row runs a second time as the unprivileged user
// "nobody" in a child process.
#include <cwscene/FileAccess.h>
#include "scenefile/FileAccessDetail.h"  // the in-place write's fault hook, syncCounts

#include <cwscene/RecordParser.h>
#include "testutil/Hex.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>  // getenv, setenv
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>
#include <fcntl.h>
#include <sys/file.h>  // flock
#include <sys/stat.h>
#include <sys/sysmacros.h>  // makedev
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kOld = "old content";
const std::string kNew = "new content, longer than the old";

enum class Kind { Regular, CharDevice, Fifo, Directory };

struct Expected {
    bool written;      // the write succeeded and the target holds kNew; otherwise it holds what it held
    int error;         // errno of a refusal
};

struct Row {
    const char* what;
    // Makes "t" (and whatever it needs) in `dir`; false skips the row (it needs root).
    bool (*prepare)(const std::string& dir);
    Kind kind;               // what "t" (followed) must still be afterwards
    mode_t mode;             // its permission bits afterwards (0: not checked)
    bool link;               // "t" must still be a symlink
    Expected asUser, asRoot;
};

std::string path(const std::string& dir, const char* name) { return dir + "/" + name; }

const Row kRows[] = {
    {"a new file", [](const std::string&) { return true; }, Kind::Regular, 0644, false, {true, 0}, {true, 0}},
    {"a regular file of mode 600",
     [](const std::string& d) {
         testutil::writeFile(path(d, "t"), kOld);
         return ::chmod(path(d, "t").c_str(), 0600) == 0;
     },
     Kind::Regular, 0600, false, {true, 0}, {true, 0}},
    {"a symlink to a file",
     [](const std::string& d) {
         testutil::writeFile(path(d, "real"), kOld);
         ::chmod(path(d, "real").c_str(), 0640);
         return ::symlink("real", path(d, "t").c_str()) == 0;
     },
     Kind::Regular, 0640, true, {true, 0}, {true, 0}},
    {"a dangling symlink",
     [](const std::string& d) { return ::symlink("sub/real", path(d, "t").c_str()) == 0 && ::mkdir(path(d, "sub").c_str(), 0777) == 0; },
     Kind::Regular, 0644, true, {true, 0}, {true, 0}},
    {"a device node (a private /dev/null)",
     [](const std::string& d) {
         return ::getuid() == 0 && ::mknod(path(d, "t").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
     },
     Kind::CharDevice, 0644, false, {true, 0}, {true, 0}},  // 0666 less the umask
    {"a FIFO without a reader",
     [](const std::string& d) { return ::mkfifo(path(d, "t").c_str(), 0666) == 0; },
     Kind::Fifo, 0644, false, {false, ENXIO}, {false, ENXIO}},
    {"a directory",
     [](const std::string& d) { return ::mkdir(path(d, "t").c_str(), 0777) == 0; },
     Kind::Directory, 0, false, {false, EISDIR}, {false, EISDIR}},
    {"a write-protected file",
     [](const std::string& d) {
         testutil::writeFile(path(d, "t"), kOld);
         return ::chmod(path(d, "t").c_str(), 0444) == 0;
     },
     Kind::Regular, 0444, false, {false, EACCES}, {true, 0}},
    {"a writable file in a read-only directory",
     [](const std::string& d) {
         ::mkdir(path(d, "ro").c_str(), 0777);
         testutil::writeFile(path(d, "ro/t"), kOld);
         ::chmod(path(d, "ro/t").c_str(), 0666);
         return ::symlink("ro/t", path(d, "t").c_str()) == 0 && ::chmod(path(d, "ro").c_str(), 0555) == 0;
     },
     Kind::Regular, 0666, true, {true, 0}, {true, 0}},
};

// Runs one row in a fresh directory and returns what differs from the expectation ("" when nothing).
std::string runRow(const Row& row, const std::string& dir, bool privileged)
{
    const Expected& expected = privileged ? row.asRoot : row.asUser;
    const std::string target = path(dir, "t");
    fileio::OutputFile file(target);
    std::FILE* stream = file.open();
    bool written = stream && std::fwrite(kNew.data(), 1, kNew.size(), stream) == kNew.size() && file.commit();
    std::string problems;
    auto note = [&](const std::string& text) { problems += text + "; "; };
    if (written != expected.written) note(std::string("written ") + (written ? "yes" : "no"));
    if (!written && file.error() != expected.error) note("error " + std::string(std::strerror(file.error())));

    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode) != row.link) note("the link changed");
    if (::stat(target.c_str(), &info) != 0) return problems + "the target is gone";
    const Kind kind = S_ISREG(info.st_mode) ? Kind::Regular : S_ISCHR(info.st_mode) ? Kind::CharDevice
                    : S_ISFIFO(info.st_mode) ? Kind::Fifo : Kind::Directory;
    if (kind != row.kind) note("the kind changed");
    if (row.mode != 0 && (info.st_mode & 07777) != row.mode) note("mode " + std::to_string(info.st_mode & 07777));
    if (kind == Kind::Regular) {
        const std::string content = testutil::readFile(target);
        if (content != (written ? kNew : kOld)) note("content '" + content + "'");
    }
    return problems;
}

class OutputFileKinds : public ::testing::Test {
protected:
    void SetUp() override { m_umask = ::umask(022); }  // new files: 0666 less this umask
    void TearDown() override { ::umask(m_umask); }
    mode_t m_umask = 0;
};

// Runs `body` in a child process as the unprivileged user "nobody", so that directory permissions
// bind it as they bind a user; returns what it returns, or "-" when it had nothing to say (a row that
// needs root). `dir` is made writable for it first.
std::string asNobody(const std::string& dir, const std::function<std::string()>& body)
{
    ::chmod(dir.c_str(), 0777);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return "no pipe";
    pid_t pid = ::fork();
    if (pid < 0) return "no fork";
    if (pid == 0) {
        ::close(pipeFds[0]);
        std::string problems = ::setgid(65534) == 0 && ::setuid(65534) == 0 ? body() : "cannot become nobody";
        ssize_t ignored = ::write(pipeFds[1], problems.data(), problems.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string problems;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) problems.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    ::waitpid(pid, nullptr, 0);
    return problems;
}

TEST_F(OutputFileKinds, EveryKindOfTarget)
{
    const bool root = ::geteuid() == 0;
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        {
            testutil::TempDir dir;
            if (!row.prepare(dir.path())) {
                std::printf("  [ skipped ] %s (needs root)\n", row.what);
            } else {
                EXPECT_EQ(runRow(row, dir.path(), root), "");
            }
            ::chmod(path(dir.path(), "ro").c_str(), 0777);  // so that the directory can be removed
        }
        if (!root) continue;

        // Once more as an ordinary user: a child that gives up root before it prepares and writes.
        testutil::TempDir dir;
        std::string problems =
            asNobody(dir.path(), [&] { return row.prepare(dir.path()) ? runRow(row, dir.path(), false) : "-"; });
        ::chmod(path(dir.path(), "ro").c_str(), 0777);
        if (problems != "-") {
            EXPECT_EQ(problems, "") << "as nobody";
        }
    }
}

// A file written in place (a writable file in a folder where no temporary can be made) is never left
// empty or short of both contents, wherever the write stops: the new bytes go over the old ones first
// and the file is cut to length after. Each row stops the write after one step, as a kill there would,
// or fails it there, which puts the old bytes back.
TEST(OutputFile, InPlaceWriteStopsOnlyBetweenWholeContents)
{
    using fileio::testing::InPlaceStep;
    static InPlaceStep at;    // where the hook acts
    static int answer;        // what it says there
    const std::string kLong = "the old content, longer than the new";
    const std::string kShort = "new, shorter";
    const struct {
        InPlaceStep step;
        int answer;
        const std::string& old;
        const std::string& fresh;
        std::string expected;
    } rows[] = {
        {InPlaceStep::WrittenOver, fileio::testing::kStopHere, kLong, kShort, kShort + kLong.substr(kShort.size())},
        {InPlaceStep::Truncated, fileio::testing::kStopHere, kLong, kShort, kShort},
        {InPlaceStep::Synced, fileio::testing::kStopHere, kLong, kShort, kShort},
        {InPlaceStep::WrittenOver, fileio::testing::kStopHere, kShort, kLong, kLong},
        {InPlaceStep::WrittenOver, ENOSPC, kLong, kShort, kLong},  // a failure puts the old bytes back
        {InPlaceStep::Truncated, EIO, kShort, kLong, kShort},
    };
    fileio::testing::setInPlaceHook([](InPlaceStep step) { return step == at ? answer : 0; });
    for (const auto& row : rows) {
        SCOPED_TRACE("step " + std::to_string(static_cast<int>(row.step)) + ", answer " + std::to_string(row.answer) +
                     ", old " + std::to_string(row.old.size()) + " bytes");
        at = row.step;
        answer = row.answer;
        testutil::TempDir dir;
        const std::string ro = dir.file("ro"), target = dir.file("ro/t");
        auto write = [&] {
            fileio::OutputFile file(target);
            std::FILE* stream = file.open();
            if (!stream) return std::string("not opened: ") + std::strerror(file.error());
            std::fwrite(row.fresh.data(), 1, row.fresh.size(), stream);
            std::fflush(stream);
            // Nothing reaches the file before commit, however much the stream has handed on.
            if (testutil::readFile(target) != row.old) return std::string("touched before commit");
            if (file.commit()) return std::string("committed");
            const int expectedError = row.answer == fileio::testing::kStopHere ? EINTR : row.answer;
            if (file.error() != expectedError) return std::string("error ") + std::strerror(file.error());
            return std::string();
        };
        ::mkdir(ro.c_str(), 0777);
        testutil::writeFile(target, row.old);
        ::chmod(target.c_str(), 0666);
        ::chmod(ro.c_str(), 0555);  // no temporary beside the target: it is written in place
        std::string problems = ::geteuid() == 0 ? asNobody(dir.path(), write) : write();
        EXPECT_EQ(problems, "");
        EXPECT_EQ(testutil::readFile(target), row.expected);
        EXPECT_EQ(testutil::readFile(dir.file("ro/t")).size(), row.expected.size());
        ::chmod(ro.c_str(), 0777);
    }
    fileio::testing::setInPlaceHook(nullptr);
}

// A run killed while its temporary has a name (stopped there by the hook, its descriptor closed as a
// kill closes it) leaves that temporary; the next write into the folder removes it, and only what is
// surely a dead writer's: of our pattern, the user's own, older than this process, not locked.
TEST(OutputFile, ATemporaryAKilledRunLeftIsRemovedByTheNextWrite)
{
    testutil::TempDir dir;
    const std::string target = dir.file("t");
    testutil::writeFile(target, kOld);
    fileio::testing::setNamedTemporaryHook([](const std::string&) { return fileio::testing::kStopHere; });
    EXPECT_FALSE(fileio::writeFile(target, kNew).written);
    fileio::testing::setNamedTemporaryHook(nullptr);
    EXPECT_EQ(testutil::readFile(target), kOld);

    std::vector<std::string> strays;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename() != "t") strays.push_back(entry.path().filename().string());
    ASSERT_EQ(strays.size(), 1u);

    // Made an hour ago, as by an earlier run, unless the row says otherwise.
    const struct {
        const char* name;
        bool recent;  // changed after this process started: another run's, maybe still writing
        bool locked;  // a live writer holds it
        bool foreign; // another user's (only where the test runs as root)
        bool removed;
    } rows[] = {
        {strays[0].c_str(), false, false, false, true},
        {".sfwrecent01", true, false, false, false},
        {".sfwlocked01", false, true, false, false},
        {".sfwforeign1", false, false, true, false},
        {".sfwshort", false, false, false, false},      // not a name of ours
        {".sfwUPPER123", false, false, false, false},
    };
    std::vector<int> held;
    for (const auto& row : rows) {
        const std::string file = dir.file(row.name);
        if (!testutil::fileExists(file)) testutil::writeFile(file, "x");
        if (row.foreign && ::chown(file.c_str(), 65534, 65534) != 0) continue;
        if (!row.recent) {
            const timespec hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), hourAgo, 0), 0);
        }
        if (row.locked) {
            held.push_back(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
            ASSERT_EQ(::flock(held.back(), LOCK_EX), 0);
        }
    }
    EXPECT_TRUE(fileio::writeFile(target, kNew).written);
    EXPECT_EQ(testutil::readFile(target), kNew);
    for (const auto& row : rows) {
        if (row.foreign && ::geteuid() != 0) continue;
        EXPECT_EQ(testutil::fileExists(dir.file(row.name)), !row.removed) << row.name;
    }
    for (int fd : held) ::close(fd);
}

// A write the device refuses gives the system's reason, whether the stream hands the bytes on at once
// (more than its buffer) or at the commit, and also when the caller gives up after the fwrite.
TEST(OutputFile, WriteFailuresSayWhyTheDeviceRefused)
{
    const std::string large(1 << 20, 'x');
    for (bool committed : {false, true}) {
        for (std::size_t size : {std::size_t{10}, large.size()}) {
            SCOPED_TRACE(std::to_string(size) + " bytes, " + (committed ? "committed" : "given up"));
            fileio::OutputFile file("/dev/full");
            std::FILE* stream = file.open();
            ASSERT_NE(stream, nullptr);
            const bool written = std::fwrite(large.data(), 1, size, stream) == size;
            EXPECT_EQ(file.error(), written ? 0 : ENOSPC);  // at once, for a caller that stops there
            if (committed) {
                EXPECT_FALSE(file.commit());
                EXPECT_EQ(file.error(), ENOSPC);
            } else {
                file.discard();
            }
            // Ten bytes given up in the stream's buffer were never refused.
            const fileio::WriteOutcome outcome = file.outcome();
            EXPECT_FALSE(outcome.written);
            EXPECT_EQ(outcome.error, committed || size == large.size() ? ENOSPC : 0);
        }
        EXPECT_EQ(fileio::writeFile("/dev/full", large.substr(0, committed ? 10 : large.size())).error, ENOSPC);
    }
}

// A FIFO or a device is never read as a file of ours, and the look at it does not wait for a writer.
TEST(OutputFile, ReadingTakesRegularFilesOnly)
{
    testutil::TempDir dir;
    const std::string fifo = dir.file("fifo"), plain = dir.file("plain");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    testutil::writeFile(plain, "x");
    EXPECT_FALSE(fileio::isReadable(fifo));
    EXPECT_EQ(errno, ENODEV);
    EXPECT_FALSE(fileio::isReadable(dir.path()));
    EXPECT_TRUE(fileio::isReadable(plain));
}

// A replaced file is in place for good only when its directory entry is on disk too.
TEST(OutputFile, SyncsTheDirectoryAfterTheRename)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("t"), kOld);
    const fileio::testing::SyncCounts before = fileio::testing::syncCounts();
    fileio::OutputFile file(dir.file("t"));
    ASSERT_NE(file.open(), nullptr);
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(fileio::testing::syncCounts().directories, before.directories + 1);
}

// Counts what a parse hands on.
class Count : public scenefile::SceneVisitor {
public:
    void frameBegin(const scenefile::FrameRecord&) override { ++frames; }
    void shape(const scenefile::ShapeRecord&) override { ++shapes; }
    long frames = 0, shapes = 0;
};

// What parseSceneFileChecked makes of `path`: the refusal (or ""), and what each pass counted.
std::string checkedParse(const std::string& path)
{
    Count first, second;
    scenefile::ParseResult result = scenefile::parseSceneFileChecked(path, first, second);
    return result.error + " | " + std::to_string(first.frames) + "/" + std::to_string(first.shapes) + " then " +
           std::to_string(second.frames) + "/" + std::to_string(second.shapes);
}

// The same through a pipe that a thread fills with `bytes` (each fits the pipe's buffer, so the writer
// never waits on a reader that refused early).
std::string checkedParseOfPipe(const std::string& bytes)
{
    int fds[2];
    if (::pipe(fds) != 0) return "no pipe";
    std::thread writer([&] {
        for (std::size_t done = 0; done < bytes.size();) {
            ssize_t n = ::write(fds[1], bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;  // the reader went away
            done += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
    });
    std::string result = checkedParse("/dev/fd/" + std::to_string(fds[0]));
    writer.join();  // before the read end closes: a write to a pipe nobody reads would end the test
    ::close(fds[0]);
    return result;
}

// A scene through a pipe is read as its file is, in the same memory: copied into a temporary without
// a name and read through the window, so a refusal names the same place (a text one counts its lines
// from the start again) and a checked parse reads it twice. Where no temporary can be made, it says so.
TEST(ReadingAPipe, GivesWhatTheFileGives)
{
    const char* root = std::getenv("SKIPFLOOR_SOURCE_DIR");
    const std::string golden = std::string(root ? root : ".") + "/tests/builder/golden/";
    const std::string binary = testutil::fromHex(testutil::readFile(golden + "zendel-default.hex"));
    const std::string text = testutil::fromHex(testutil::readFile(golden + "zendel-default-text.hex"));
    ASSERT_GT(binary.size(), 2000u);
    std::string badText = text;
    badText.replace(badText.rfind("EXIT"), 4, "EXIX");

    testutil::TempDir dir, temporaries;
    const char* saved = std::getenv("TMPDIR");
    const std::string savedTmp = saved ? saved : "";
    ::setenv("TMPDIR", temporaries.path().c_str(), 1);
    for (const std::string& bytes : {binary, text, binary.substr(0, 1000), badText}) {
        testutil::writeFile(dir.file("scene.cws"), bytes);
        const std::string fromFile = checkedParse(dir.file("scene.cws"));
        SCOPED_TRACE(fromFile);
        EXPECT_EQ(checkedParseOfPipe(bytes), fromFile);
    }
    EXPECT_TRUE(std::filesystem::is_empty(temporaries.path())) << "a temporary with a name was left";

    ::setenv("TMPDIR", dir.file("missing").c_str(), 1);
    EXPECT_EQ(checkedParseOfPipe(binary), "cannot read the file: no temporary file can hold what the pipe brings: " +
                                              fileio::errorText(ENOENT) + " | 0/0 then 0/0");
    if (saved) {
        ::setenv("TMPDIR", savedTmp.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}

}  // namespace
