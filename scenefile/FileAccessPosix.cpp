// FileAccessPosix.cpp - FileAccess.h on POSIX systems: file descriptors, O_TMPFILE where the file
// system has it, exclusive named temporaries elsewhere, fsync of the file and of its directory.
//
// The sequence for a regular target follows the trusted writers: resolve links to the final target,
// check that the target itself may be written (the open a direct write would do, without truncating),
// write a temporary in the same directory, give it the old file's owner, group and mode, sync it,
// rename it over the target, sync the directory. A temporary made with O_TMPFILE has no name until it
// is complete; a new file is linked straight under its name, a replacement gets a name of its own for
// the rename. A named temporary is ".sfw" and eight random letters, short enough that a target name of
// 255 bytes still works.
//
// A process killed while a temporary has a name (for the rename, or for the whole write where the file
// system has no O_TMPFILE) leaves it behind. The writer holds an exclusive flock on every temporary
// from before it has a name, and the kernel drops it with the process; so every write into a folder
// first removes the temporaries of that pattern there that are the user's own, older than this process
// and not locked: the ones a killed run left, never a live writer's.
//
// The caller's stream is a stdio stream over functions of ours (fopencookie): its writes go to the
// descriptor through write(2), which keeps the errno of the first one that fails, or, for a file
// written in place, into memory until the content is complete.
#include <cwscene/FileAccess.h>

#include "scenefile/FileAccessDetail.h"

#include <cassert>
#include <cerrno>
#include <cstdlib>  // getenv, mkostemp
#include <filesystem>  // weakly_canonical
#include <new>      // bad_alloc
#include <memory>  // make_unique
#include <random>

#include <dirent.h>    // fdopendir, readdir
#include <fcntl.h>     // open, O_TMPFILE, linkat, fcntl
#include <sys/file.h>  // flock
#include <sys/stat.h>  // stat, fchmod
#include <time.h>      // clock_gettime
#include <unistd.h>    // close, fsync, readlink, unlink, fchown

namespace fileio {

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit for one path

constexpr char kTemporaryPrefix[] = ".sfw";
constexpr std::size_t kTemporaryLetters = 8;
constexpr char kTemporaryAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";

testing::NamedTemporaryHook namedTemporaryHook = nullptr;

// When this process started (as near as a static initialiser comes): a temporary last changed before
// it belongs to an earlier run.
const timespec kProcessStart = [] {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}();

std::string directoryOf(const std::string& path)
{
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symlinks until the path names something that is not one, or nothing (a dangling link's
// target is where the new file goes). Sets `error` to ELOOP for a cycle, or to lstat's error other
// than ENOENT.
std::string followLinks(std::string path, struct stat& info, bool& exists, int& error)
{
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        if (::lstat(path.c_str(), &info) != 0) {
            exists = false;
            if (errno != ENOENT) error = errno;
            return path;
        }
        if (!S_ISLNK(info.st_mode)) {
            exists = true;
            return path;
        }
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        ssize_t length = ::readlink(path.c_str(), &link[0], link.size());
        if (length < 0) {
            error = errno;
            return path;
        }
        link.resize(static_cast<std::size_t>(length));
        if (link.front() == '/' || path.find('/') == std::string::npos) {
            path = link;
        } else {
            path = directoryOf(path).append("/").append(link);
        }
    }
    error = ELOOP;
    return path;
}

// Clears O_NONBLOCK, which only served to keep the open from waiting.
void blockingAgain(int fd)
{
    int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
}

std::string randomName(const std::string& directory)
{
    static thread_local std::minstd_rand random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
    std::string name = directory + "/" + kTemporaryPrefix;
    for (std::size_t i = 0; i < kTemporaryLetters; ++i) name += kTemporaryAlphabet[random() % (sizeof kTemporaryAlphabet - 1)];
    return name;
}

// Whether a file name is one randomName gives.
bool isTemporaryName(std::string_view name)
{
    const std::string_view prefix(kTemporaryPrefix);
    if (name.size() != prefix.size() + kTemporaryLetters || name.compare(0, prefix.size(), prefix) != 0) return false;
    return name.find_first_not_of(kTemporaryAlphabet, prefix.size()) == std::string_view::npos;
}

bool olderThanThisProcess(const struct stat& info)
{
    return info.st_mtim.tv_sec < kProcessStart.tv_sec ||
           (info.st_mtim.tv_sec == kProcessStart.tv_sec && info.st_mtim.tv_nsec < kProcessStart.tv_nsec);
}

// Removes the temporaries a killed writer left in `directory`: our name pattern, a regular file of
// this user's, last changed before this process started, and no flock on it (every live writer holds
// one on its temporary). Anything that does not open, or is not all of that, is left alone.
void removeStaleTemporaries(const std::string& directory)
{
    int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) return;
    DIR* folder = ::fdopendir(dirFd);
    if (!folder) {
        ::close(dirFd);
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        if (!isTemporaryName(entry->d_name)) continue;
        int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened, named;
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && opened.st_uid == ::geteuid() &&
            olderThanThisProcess(opened) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
            named.st_ino == opened.st_ino) {
            (void)::unlinkat(dirFd, entry->d_name, 0);  // ignored when it fails: it is only left as it was
        }
        ::close(fd);
    }
    ::closedir(folder);
}

// A new file under a name of our own in `directory`, created exclusively and locked at once; the name
// goes to `name`.
int createNamed(const std::string& directory, std::string& name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = randomName(directory);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) (void)::flock(fd, LOCK_EX | LOCK_NB);  // a file nobody else has open: it cannot be held
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Links an O_TMPFILE file into the directory under a name of our own, for a rename over the target.
bool linkNamed(int fd, const std::string& directory, std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = randomName(directory);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

bool syncDirectory(const std::string& directory)
{
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    if (ok) detail::countDirectorySync();
    return ok;
}

}  // namespace

struct OutputFile::Impl {
    int fd = -1;                 // what the stream writes to: the temporary, or the target in place
    bool inPlace = false;        // writing the target itself (a device, a FIFO, no temporary possible)
    bool collected = false;      // a regular file in place: the new content collects in `content` first
    std::string content;
    int streamError = 0;         // errno of the first write into the stream that failed
    bool discarding = false;     // what the stream still holds goes nowhere
    bool existed = false;        // a regular file is replaced: its attributes go to the new one
    struct stat old {};          // that file's attributes
    std::string finalPath;       // the target after following links
    std::string directory;       // where the temporary lives
    bool anonymous = false;      // an O_TMPFILE temporary: no name until it is complete
    std::string tempPath;        // a named temporary, removed unless it was renamed over the target
};

namespace {

// The stream's write function: every byte to the descriptor (or into memory), or -1 with the errno of
// the call that failed kept for error().
ssize_t streamWrite(void* cookie, const char* data, std::size_t size)
{
    OutputFile::Impl& s = *static_cast<OutputFile::Impl*>(cookie);
    if (s.discarding) return static_cast<ssize_t>(size);
    int error = 0;
    if (s.collected) {
        try {
            s.content.append(data, size);
        } catch (const std::bad_alloc&) {
            error = ENOMEM;
        }
    }
    for (std::size_t done = 0; !s.collected && done < size && error == 0;) {
        ssize_t written = ::write(s.fd, data + done, size - done);
        if (written > 0) done += static_cast<std::size_t>(written);
        else if (written == 0) error = ENOSPC;  // nothing taken and no reason given: the device is full
        else if (errno != EINTR) error = errno;
    }
    if (error == 0) return static_cast<ssize_t>(size);
    if (s.streamError == 0) s.streamError = error;
    errno = error;
    return -1;
}

// The open target of an in-place write, by descriptor.
class DescriptorTarget : public detail::InPlaceTarget {
public:
    explicit DescriptorTarget(int fd) : m_fd(fd) {}
    int readAll(std::string& bytes) override
    {
        char chunk[65536];
        for (off_t at = 0;;) {
            ssize_t got = ::pread(m_fd, chunk, sizeof chunk, at);
            if (got == 0) return 0;
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return errno;
            bytes.append(chunk, static_cast<std::size_t>(got));
            at += got;
        }
    }
    int writeFromStart(const std::string& bytes) override
    {
        for (std::size_t done = 0; done < bytes.size();) {
            ssize_t written = ::pwrite(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            if (written > 0) done += static_cast<std::size_t>(written);
            else if (written == 0) return ENOSPC;
            else if (errno != EINTR) return errno;
        }
        return 0;
    }
    int truncate(std::uint64_t length) override { return ::ftruncate(m_fd, static_cast<off_t>(length)) == 0 ? 0 : errno; }
    int sync() override { return ::fsync(m_fd) == 0 ? 0 : errno; }

private:
    int m_fd;
};

}  // namespace

std::FILE* openFile(const std::string& utf8Path, const char* mode)
{
    if (utf8Path.empty()) return nullptr;
    return std::fopen(utf8Path.c_str(), mode);
}

std::FILE* standardInput() { return stdin; }

std::FILE* openForReading(const std::string& utf8Path)
{
    struct stat info;
    if (utf8Path.empty() || ::stat(utf8Path.c_str(), &info) != 0) {
        if (utf8Path.empty()) errno = ENOENT;
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
        return nullptr;
    }
    // The file may have been swapped for a FIFO since: the open must not wait, and what opened must
    // still be a regular file.
    int fd = ::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = ENODEV;
        return nullptr;
    }
    blockingAgain(fd);
    std::FILE* stream = ::fdopen(fd, "rb");
    if (!stream) ::close(fd);
    return stream;
}


std::string finalTarget(const std::string& utf8Path)
{
    struct stat info;
    bool exists = false;
    int error = 0;
    return followLinks(utf8Path, info, exists, error);
}

bool sameFile(const std::string& utf8PathA, const std::string& utf8PathB)
{
    if (utf8PathA.empty() || utf8PathB.empty()) return false;
    struct stat a, b;
    const bool aExists = ::stat(utf8PathA.c_str(), &a) == 0, bExists = ::stat(utf8PathB.c_str(), &b) == 0;
    if (aExists || bExists) return aExists && bExists && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    // Neither is there yet: where each would be made. weakly_canonical follows the links of the part
    // that exists and tidies the rest ("d/../a.cws").
    std::error_code error;
    auto place = [&error](const std::string& path) {
        return std::filesystem::weakly_canonical(std::filesystem::absolute(finalTarget(path), error), error);
    };
    const std::filesystem::path placeA = place(utf8PathA);
    if (error) return false;
    const std::filesystem::path placeB = place(utf8PathB);
    return !error && placeA == placeB;
}

bool removeFile(const std::string& utf8Path)
{
    return !utf8Path.empty() && ::unlink(utf8Path.c_str()) == 0;
}

std::FILE* detail::openAnonymousTemporary()
{
    const char* variable = std::getenv("TMPDIR");
    const std::string directory = variable && *variable ? variable : "/tmp";
    // O_EXCL: this file can never be given a name.
    int fd = ::open(directory.c_str(), O_TMPFILE | O_RDWR | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        std::string name = directory + "/.sfwXXXXXX";
        fd = ::mkostemp(&name[0], O_CLOEXEC);
        if (fd >= 0) ::unlink(name.c_str());  // nameless from the start
    }
    if (fd < 0) return nullptr;
    std::FILE* stream = ::fdopen(fd, "w+b");
    if (!stream) {
        int fdopenError = errno;
        ::close(fd);
        errno = fdopenError;
    }
    return stream;
}

OutputFile::OutputFile(std::string targetUtf8Path) : m_target(std::move(targetUtf8Path)) {}

OutputFile::~OutputFile() { discard(); }


std::FILE* OutputFile::open()
{
    assert(!m_stream && !m_impl && "an OutputFile makes one write: open() is called once");
    if (m_stream || m_impl) return nullptr;
    if (m_target.empty()) return failOpen(ENOENT);
    m_impl = std::make_unique<Impl>();
    Impl& s = *m_impl;

    int error = 0;
    s.finalPath = followLinks(m_target, s.old, s.existed, error);
    if (error != 0) return failOpen(error);
    s.directory = directoryOf(s.finalPath);

    if (s.existed && S_ISDIR(s.old.st_mode)) return failOpen(EISDIR);
    if (s.existed && !S_ISREG(s.old.st_mode)) {
        // A device, FIFO or socket is written in place. O_NONBLOCK makes a FIFO without a reader fail
        // (ENXIO) instead of waiting for one.
        s.fd = ::open(s.finalPath.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (s.fd < 0) return failOpen(errno);
        blockingAgain(s.fd);
        s.inPlace = true;
        s.existed = false;
    } else {
        int target = -1;
        if (s.existed) {
            // The open a direct write would do, without truncating: a file the process may not write
            // fails here and stays as it is. Read access too where there is some, so that an in-place
            // write can put the old bytes back.
            const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
            target = ::open(s.finalPath.c_str(), O_RDWR | flags);
            if (target < 0 && errno == EACCES) target = ::open(s.finalPath.c_str(), O_WRONLY | flags);
            if (target < 0) return failOpen(errno);
        }
        removeStaleTemporaries(s.directory);
        // O_TMPFILE needs /proc to give the finished file a name; without either, a named temporary.
        s.fd = ::access("/proc/self/fd", X_OK) == 0
                   ? ::open(s.directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
                   : (errno = EOPNOTSUPP, -1);
        if (s.fd >= 0) {
            s.anonymous = true;
            (void)::flock(s.fd, LOCK_EX | LOCK_NB);  // held before it has a name: see removeStaleTemporaries
        } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            s.fd = createNamed(s.directory, s.tempPath);
        }
        if (s.fd < 0 && target >= 0 && (errno == EACCES || errno == EPERM)) {
            // No temporary can be made in the directory, but the target may be written: in place, the
            // content collected first and put there by commit.
            blockingAgain(target);
            s.fd = target;
            target = -1;
            s.inPlace = true;
            s.collected = true;
            s.existed = false;
            s.tempPath.clear();
        }
        if (target >= 0) ::close(target);
        if (s.fd < 0) {
            int openError = errno;
            s.tempPath.clear();
            return failOpen(openError);
        }
    }

    m_stream = ::fopencookie(m_impl.get(), "wb", cookie_io_functions_t{nullptr, streamWrite, nullptr, nullptr});
    if (!m_stream) {
        int streamOpenError = errno;
        discard();
        return failOpen(streamOpenError);
    }
    return m_stream;
}

bool OutputFile::commit()
{
    assert(!m_committed && "commit() is called once: a committed OutputFile has nothing more to put in place");
    if (!m_stream || !m_impl) return fail(m_error);
    Impl& s = *m_impl;

    // fclose hands on what the stream still holds; the descriptor stays ours.
    const bool flushed = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
    const int flushError = errno;
    std::fclose(m_stream);
    m_stream = nullptr;
    if (!flushed) {
        discard();
        return fail(s.streamError != 0 ? s.streamError : flushError);
    }
    if (s.collected) {
        DescriptorTarget target(s.fd);
        int placeError = detail::writeInPlace(target, s.content);
        std::string().swap(s.content);
        if (placeError != 0) {
            discard();
            return fail(placeError);
        }
    }
    if (s.existed) {
        // The new file takes the old one's owner and group where the process may set them (an owner
        // only root may give; a group the user belongs to), then its mode: after chown, which may
        // clear set-id bits.
        struct stat now;
        if (::fstat(s.fd, &now) == 0 && (now.st_uid != s.old.st_uid || now.st_gid != s.old.st_gid)) {
            if (::fchown(s.fd, s.old.st_uid, s.old.st_gid) != 0) (void)::fchown(s.fd, static_cast<uid_t>(-1), s.old.st_gid);
        }
        if (::fchmod(s.fd, s.old.st_mode & 07777) != 0) {
            int modeError = errno;
            discard();
            return fail(modeError);
        }
    }
    // A device or FIFO has nothing to sync (fsync says EINVAL); a file must reach the disk before it
    // counts, or a power loss after the rename could leave it empty. One written in place was synced
    // by writeInPlace.
    struct stat kind;
    const bool regular = ::fstat(s.fd, &kind) == 0 && S_ISREG(kind.st_mode);
    if (regular && !s.collected) {
        if (::fsync(s.fd) != 0) {
            int syncError = errno;
            discard();
            return fail(syncError);
        }
        detail::countFileSync();
    }

    if (!s.inPlace) {
        bool placed = false;
        if (s.anonymous && !s.existed) {
            // A new file: linked straight under the target's name, which must still be free.
            const std::string self = "/proc/self/fd/" + std::to_string(s.fd);
            placed = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, s.finalPath.c_str(), AT_SYMLINK_FOLLOW) == 0;
            if (!placed && errno != EEXIST) {
                int linkError = errno;
                discard();
                return fail(linkError);
            }
        }
        if (!placed) {
            if (s.anonymous && !linkNamed(s.fd, s.directory, s.tempPath)) {
                int linkError = errno;
                s.tempPath.clear();
                discard();
                return fail(linkError);
            }
            if (namedTemporaryHook && namedTemporaryHook(s.tempPath) == testing::kStopHere) {
                s.tempPath.clear();  // left behind, as a kill here would leave it
                discard();
                return fail(EINTR);
            }
            if (std::rename(s.tempPath.c_str(), s.finalPath.c_str()) != 0) {
                int renameError = errno;
                discard();
                return fail(renameError);
            }
            s.tempPath.clear();  // it is the target now
        }
    }

    int closed = ::close(s.fd);
    int closeError = errno;
    s.fd = -1;
    if (closed != 0 && s.inPlace) return fail(closeError);
    // ignored when it fails: the file is synced and in place; only the new name may not survive a
    // power loss, which is what a system without directory sync gives everyone.
    if (!s.inPlace) (void)syncDirectory(s.directory);
    m_committed = true;
    return true;
}

void OutputFile::discard()
{
    if (m_stream) {
        m_impl->discarding = true;  // a device or FIFO written in place gets no more of it
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_impl) return;
    if (m_impl->fd >= 0) {
        ::close(m_impl->fd);
        m_impl->fd = -1;
    }
    if (!m_impl->tempPath.empty()) {
        ::unlink(m_impl->tempPath.c_str());
        m_impl->tempPath.clear();
    }
    // A write into the stream that failed is this file's failure, also when the caller gave up on it.
    if (m_error == 0 && m_impl->streamError != 0) fail(m_impl->streamError);
}

int OutputFile::streamError() const { return m_impl ? m_impl->streamError : 0; }

void testing::setNamedTemporaryHook(NamedTemporaryHook hook) { namedTemporaryHook = hook; }

}  // namespace fileio
