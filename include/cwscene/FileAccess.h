/// \file
/// Opening files by UTF-8 path, and writing a file the way every writer of the system
/// does it.
///
/// Portable interface. The two implementations are FileAccessPosix.cpp and FileAccessWin32.cpp (wide
/// paths for Japanese file names whatever the ANSI code page, ReplaceFileW); CMake picks one. Paths are
/// UTF-8 everywhere in the core.
///
/// OutputFile is how every file is written (scene file, parameter file, registry store, error log,
/// cwstool's outputs). What happens depends on what stands at the path:
///
/// ~~~{.unparsed}
///   target                         what OutputFile does
///   nothing                        a temporary in the same directory becomes the new file; the usual
///                                  mode (0666 less the umask)
///   a regular file                 replaced atomically: a temporary in the same directory, created
///                                  exclusively under a short name of its own, written, synced, given
///                                  the old file's mode (owner and group where the process may set
///                                  them), renamed over it; then the directory is synced. A reader sees
///                                  the old file or the new one, never a part
///   a symlink (also dangling)      the links are followed and their final target is written as above;
///                                  the link itself stays
///   a device, FIFO or socket       opened and written in place, as a direct open would; a FIFO without a
///                                  reader fails at once instead of waiting
///   a directory                    fails to open (EISDIR)
///   a file the process may not     fails to open, as the direct open would; the file stays as it is
///   write
///   a writable file in a           written in place (no temporary can be made there): the new content
///   directory that is not          is collected first, then written over the old bytes from the start,
///                                  only then cut to its length, and synced; a failure puts the old
///                                  bytes back
/// ~~~
///
/// A failure at any step leaves an existing target exactly as it was and removes the temporary. In
/// place, a process killed while the new bytes go over the old ones leaves the new beginning over the
/// old rest; killed after that, the new content followed by the old one's tail (when the new one is
/// shorter) or the new content: never an empty file. Devices and FIFOs are written as the bytes come.
///
/// Every failure carries the system's reason from the call that failed (error()), the writes the
/// caller makes into the stream included: a full disk is ENOSPC, a quota EDQUOT, a failing device EIO.
#pragma once

#include <cwscene/Export.h>

#include <cstdio>  // FILE
#include <memory>
#include <string>
#include <string_view>

/// Files by UTF-8 path: opening them, and writing them completely or not at all.
namespace fileio {

/// fopen with a UTF-8 path, whatever the path names. Null on failure, like fopen. For reading what the
/// user named explicitly (cwstool reads a FIFO or /dev/stdin as well); files of the system's own are
/// read with openForReading and written with OutputFile. The caller closes the stream with fclose.
CWSCENE_API std::FILE* openFile(const std::string& utf8Path, const char* mode);

/// Standard input as a binary stream: the C library's stdin, on descriptor 0 (on Windows switched to
/// binary mode first, so that no CR LF is changed). The caller reads from it and never closes it.
CWSCENE_API std::FILE* standardInput();

/// Opens a regular file for reading ("rb"), by UTF-8 path. A FIFO, a device or a directory counts as
/// unreadable, and the open never waits (a FIFO without a writer would block a plain fopen). Null on
/// failure, with errno telling why (ENODEV for what is not a regular file).
CWSCENE_API std::FILE* openForReading(const std::string& utf8Path);

/// True when openForReading would succeed.
CWSCENE_API bool isReadable(const std::string& utf8Path);

/// The path a write to `utf8Path` lands on: symlinks followed to their final target, which need not
/// exist yet (POSIX); the path itself where it is no link (and on Windows).
CWSCENE_API std::string finalTarget(const std::string& utf8Path);

/// True when the two UTF-8 paths name one file: where both exist, the same file however it is reached
/// (device and inode on POSIX, links followed; volume serial number and file index on Windows); where
/// neither does, the same place once links, "." and ".." are resolved (and, on Windows, without regard
/// to case). False when only one exists, and for an empty path.
CWSCENE_API bool sameFile(const std::string& utf8PathA, const std::string& utf8PathB);

/// Removes a file; false when it could not be removed (a missing file included).
CWSCENE_API bool removeFile(const std::string& utf8Path);

/// What writing one file came to, as every writer of the system returns it: where, whether the new
/// content is in place, and why not.
struct WriteOutcome {
    std::string path;      ///< The path the write was asked for, as given (links not followed).
    bool written = false;  ///< The new content is in place (or, for a device or FIFO, was all taken).
    /// When not written: the errno value of the call that failed (ENOSPC, EACCES, ...); 0 when no file
    /// operation failed but the content itself was refused (a scene its writer cannot write).
    int error = 0;
};

/// One file written completely or not at all. open() gives the stream to write to, commit() puts the
/// written file in place of the target; the table at the top of this file says how for each kind of
/// target.
class CWSCENE_API OutputFile {
public:
    explicit OutputFile(std::string targetUtf8Path);  ///< A write to this path; nothing happens before open().
    ~OutputFile();  ///< Discards the temporary unless commit() succeeded.
    OutputFile(const OutputFile&) = delete;             ///< Not copyable: one write, one owner.
    OutputFile& operator=(const OutputFile&) = delete;  ///< Not copyable.

    /// Prepares the write as the table above says and returns the stream to write to (always binary:
    /// the caller writes every byte, CR LF included). Null when the target cannot be written; error()
    /// then says why. The stream belongs to the OutputFile: the caller never closes it, and never asks
    /// it for its descriptor (on POSIX it has none). Call once: an OutputFile makes one write.
    std::FILE* open();

    /// Flushes, syncs and closes the stream, and puts the new file in place. False when any step
    /// fails (error() says why; after an open() that failed, the open's reason); the temporary is then
    /// removed and the target is untouched. Call once.
    bool commit();

    /// Closes and removes the temporary without touching the target.
    void discard();

    const std::string& target() const { return m_target; }  ///< The path given to the constructor.
    /// The errno value of the first failure (0 when none), a write into the stream that failed
    /// included, so that a caller whose fwrite came short can say why; on Windows mapped from the
    /// system's code (a failed write into the stream: the C runtime's errno, read when it is noticed).
    int error() const;
    /// The write as a value: the target, whether commit() succeeded, and error().
    WriteOutcome outcome() const { return WriteOutcome{m_target, m_committed, m_committed ? 0 : error()}; }

    struct Impl;  ///< The platform's state: descriptors, the temporary's name.

private:
    bool fail(int error);  ///< Records the first failure; false.
    int streamError() const;  ///< The errno of a write into the stream that failed, 0 when none did.
    std::FILE* failOpen(int error)
    {
        fail(error);
        return nullptr;
    }

    std::string m_target;
    std::FILE* m_stream = nullptr;
    std::unique_ptr<Impl> m_impl;
    int m_error = 0;
    bool m_committed = false;
};

/// Writes `bytes` to the UTF-8 path through an OutputFile: completely, or not at all and the target
/// left as it was.
CWSCENE_API WriteOutcome writeFile(const std::string& utf8Path, std::string_view bytes);

/// The system's text for an errno value ("No such file or directory").
CWSCENE_API std::string errorText(int error);

}  // namespace fileio
