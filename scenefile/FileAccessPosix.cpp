// FileAccessPosix.cpp - FileAccess.h on POSIX systems: file descriptors, O_TMPFILE where the file
// system has it, exclusive named temporaries elsewhere, fsync of the file and of its directory.
//
// The sequence for a regular target follows the trusted writers: resolve links to the final target,
// check that the target itself may be written (the open a direct write would do, without truncating),
// write a temporary in the same directory, give it the old file's owner, group and mode, sync it,
// rename it over the target, sync the directory. A temporary made with O_TMPFILE has no name until it
// is complete, so a killed run leaves nothing behind; a named one is ".sfw" and eight random letters,
// short enough that a target name of 255 bytes still works.
#include <cwscene/FileAccess.h>

#include "scenefile/FileAccessDetail.h"

#include <cerrno>
#include <random>

#include <fcntl.h>     // open, O_TMPFILE, linkat, fcntl
#include <sys/stat.h>  // stat, fchmod
#include <unistd.h>    // close, fsync, readlink, unlink, fchown

namespace fileio {

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit for one path

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
        path = (link.front() == '/' || path.find('/') == std::string::npos) ? link : directoryOf(path) + "/" + link;
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
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::minstd_rand random(std::random_device{}() ^ static_cast<unsigned>(::getpid()));
    std::string name = directory + "/.sfw";
    for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

// A new file under a name of our own in `directory`, created exclusively; the name goes to `name`.
int createNamed(const std::string& directory, std::string& name)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = randomName(directory);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
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
    bool inPlace = false;        // writing the target itself (a device, a FIFO, no temporary possible)
    bool existed = false;        // a regular file is replaced: its attributes go to the new one
    struct stat old {};          // that file's attributes
    std::string finalPath;       // the target after following links
    std::string directory;       // where the temporary lives
    bool anonymous = false;      // an O_TMPFILE temporary: no name until it is complete
    std::string tempPath;        // a named temporary, removed unless it was renamed over the target
};

std::FILE* openFile(const std::string& utf8Path, const char* mode)
{
    if (utf8Path.empty()) return nullptr;
    return std::fopen(utf8Path.c_str(), mode);
}

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

bool removeFile(const std::string& utf8Path)
{
    return !utf8Path.empty() && ::unlink(utf8Path.c_str()) == 0;
}

OutputFile::OutputFile(std::string targetUtf8Path) : m_target(std::move(targetUtf8Path)) {}

OutputFile::~OutputFile()
{
    discard();
    delete m_impl;
}


std::FILE* OutputFile::open()
{
    detail::setLastError(0);
    if (m_stream || m_impl) return nullptr;  // one write per object
    if (m_target.empty()) return failOpen(ENOENT);
    m_impl = new Impl;
    Impl& s = *m_impl;

    int error = 0;
    s.finalPath = followLinks(m_target, s.old, s.existed, error);
    if (error != 0) return failOpen(error);
    s.directory = directoryOf(s.finalPath);

    int fd = -1;
    if (s.existed && S_ISDIR(s.old.st_mode)) return failOpen(EISDIR);
    if (s.existed && !S_ISREG(s.old.st_mode)) {
        // A device, FIFO or socket is written in place. O_NONBLOCK makes a FIFO without a reader fail
        // (ENXIO) instead of waiting for one.
        fd = ::open(s.finalPath.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return failOpen(errno);
        blockingAgain(fd);
        s.inPlace = true;
        s.existed = false;
    } else {
        int target = -1;
        if (s.existed) {
            // The open a direct write would do, without truncating: a file the process may not write
            // fails here and stays as it is.
            target = ::open(s.finalPath.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (target < 0) return failOpen(errno);
        }
        // O_TMPFILE needs /proc to give the finished file a name; without either, a named temporary.
        fd = ::access("/proc/self/fd", X_OK) == 0
                 ? ::open(s.directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
                 : (errno = EOPNOTSUPP, -1);
        if (fd >= 0) {
            s.anonymous = true;
        } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            fd = createNamed(s.directory, s.tempPath);
        }
        if (fd < 0 && target >= 0 && (errno == EACCES || errno == EPERM)) {
            // No temporary can be made in the directory, but the target may be written: in place.
            if (::ftruncate(target, 0) != 0) {
                int truncateError = errno;
                ::close(target);
                return failOpen(truncateError);
            }
            blockingAgain(target);
            fd = target;
            target = -1;
            s.inPlace = true;
            s.existed = false;
            s.tempPath.clear();
        }
        if (target >= 0) ::close(target);
        if (fd < 0) {
            int openError = errno;
            s.tempPath.clear();
            return failOpen(openError);
        }
    }

    m_stream = ::fdopen(fd, "wb");
    if (!m_stream) {
        int fdopenError = errno;
        ::close(fd);
        discard();
        return failOpen(fdopenError);
    }
    return m_stream;
}

bool OutputFile::commit()
{
    if (!m_stream || !m_impl) return fail(m_error);
    Impl& s = *m_impl;
    const int fd = ::fileno(m_stream);

    if (std::fflush(m_stream) != 0 || std::ferror(m_stream)) {
        int flushError = errno;
        discard();
        return fail(flushError);
    }
    if (s.existed) {
        // The new file takes the old one's owner and group where the process may set them (an owner
        // only root may give; a group the user belongs to), then its mode: after chown, which may
        // clear set-id bits.
        struct stat now;
        if (::fstat(fd, &now) == 0 && (now.st_uid != s.old.st_uid || now.st_gid != s.old.st_gid)) {
            if (::fchown(fd, s.old.st_uid, s.old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), s.old.st_gid);
        }
        if (::fchmod(fd, s.old.st_mode & 07777) != 0) {
            int modeError = errno;
            discard();
            return fail(modeError);
        }
    }
    // A device or FIFO has nothing to sync (fsync says EINVAL); a file must reach the disk before it
    // counts, or a power loss after the rename could leave it empty.
    struct stat kind;
    const bool regular = ::fstat(fd, &kind) == 0 && S_ISREG(kind.st_mode);
    if (regular) {
        if (::fsync(fd) != 0) {
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
            const std::string self = "/proc/self/fd/" + std::to_string(fd);
            placed = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, s.finalPath.c_str(), AT_SYMLINK_FOLLOW) == 0;
            if (!placed && errno != EEXIST) {
                int linkError = errno;
                discard();
                return fail(linkError);
            }
        }
        if (!placed) {
            if (s.anonymous && !linkNamed(fd, s.directory, s.tempPath)) {
                int linkError = errno;
                s.tempPath.clear();
                discard();
                return fail(linkError);
            }
            if (std::rename(s.tempPath.c_str(), s.finalPath.c_str()) != 0) {
                int renameError = errno;
                discard();
                return fail(renameError);
            }
            s.tempPath.clear();  // it is the target now
        }
    }

    int closed = std::fclose(m_stream);
    int closeError = errno;
    m_stream = nullptr;
    if (closed != 0 && s.inPlace) return fail(closeError);
    // ignored when it fails: the file is synced and in place; only the new name may not survive a
    // power loss, which is what a system without directory sync gives everyone.
    if (!s.inPlace) (void)syncDirectory(s.directory);
    detail::setLastError(0);
    return true;
}

void OutputFile::discard()
{
    if (m_stream) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (m_impl && !m_impl->tempPath.empty()) {
        ::unlink(m_impl->tempPath.c_str());
        m_impl->tempPath.clear();
    }
}

}  // namespace fileio
