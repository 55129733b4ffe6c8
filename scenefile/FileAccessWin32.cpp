// FileAccessWin32.cpp - FileAccess.h on Windows: wide paths, handles, ReplaceFileW.
//
// Paths are converted from UTF-8 to UTF-16, so a Japanese path works whatever the ANSI code page. A
// regular target is replaced through a temporary "~sf" + eight random letters + ".tmp" in the same
// directory, created with CREATE_NEW, flushed to disk (FlushFileBuffers) and put in place with
// ReplaceFileW, which keeps the old file's ACLs and attributes, or MoveFileExW with write-through for
// a new file. What is not a disk file (NUL, a console, a pipe) is written in place. A disk file that
// must be written in place (no temporary can be made beside it) gets its content collected in an
// anonymous temporary first, and put in place by commit (FileAccessDetail.h: writeInPlace). A
// temporary that a killed run left beside a target is removed by the next write into its folder.
#include <cwscene/FileAccess.h>

#include "scenefile/FileAccessDetail.h"

#include <windows.h>  // CreateFileW, ReplaceFileW, MoveFileExW, MultiByteToWideChar
#include <fcntl.h>    // _O_BINARY, _O_WRONLY, _O_RDONLY
#include <io.h>       // _open_osfhandle, _get_osfhandle, _setmode, _fileno

#include <algorithm>  // min
#include <cassert>
#include <cerrno>
#include <cstdio>     // _wfdopen, _wfopen, _wremove
#include <memory>  // make_unique
#include <random>
#include <string_view>

namespace fileio {

namespace {

std::wstring widen(const std::string& utf8)
{
    if (utf8.empty()) return std::wstring();
    int count = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    if (count <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), &wide[0], count);
    return wide;
}

// The errno value closest to a system error code, so that both builds report failures alike.
int errnoFrom(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:     return EACCES;
    case ERROR_WRITE_PROTECT:      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:   return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:     return EEXIST;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:       return EINVAL;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_DIRECTORY:          return ENOTDIR;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:        return ENOMEM;
    default:                       return EIO;
    }
}

std::wstring directoryOf(const std::wstring& path)
{
    std::wstring::size_type slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

std::wstring randomName(const std::wstring& directory)
{
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    static thread_local std::minstd_rand random(std::random_device{}() ^ ::GetCurrentProcessId());
    std::wstring name = directory + L"\\~sf";
    for (int i = 0; i < 8; ++i) name += kLetters[random() % (sizeof kLetters / sizeof kLetters[0] - 1)];
    return name + L".tmp";
}

// Whether a file name is one randomName gives: "~sf", eight of [a-z0-9], ".tmp".
bool isTemporaryName(std::wstring_view name)
{
    if (name.size() != 15 || name.substr(0, 3) != L"~sf" || name.substr(11) != L".tmp") return false;
    return std::all_of(name.begin() + 3, name.begin() + 11,
                       [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9'); });
}

FILETIME processStart()
{
    FILETIME creation{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(::GetCurrentProcess(), &creation, &exited, &kernel, &user)) return FILETIME{};
    return creation;
}

// Removes the temporaries a killed writer left in `directory`: our name pattern, a plain file (no
// folder, link or read-only file), last written before this process started. A live writer's
// temporary is open without sharing, so DeleteFileW fails on it and it stays; anything else that
// cannot be removed is only left as it was.
void removeStaleTemporaries(const std::wstring& directory)
{
    static const FILETIME start = processStart();
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileExW((directory + L"\\~sf*.tmp").c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return;
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY;
    do {
        if (!isTemporaryName(found.cFileName) || (found.dwFileAttributes & kNotPlain) != 0) continue;
        if (::CompareFileTime(&found.ftLastWriteTime, &start) >= 0) continue;
        (void)::DeleteFileW((directory + L"\\" + found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// A stream over an open handle; the C runtime owns the handle afterwards (also when this fails).
std::FILE* streamOver(HANDLE handle, int flags, const wchar_t* mode)
{
    int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
    if (fd < 0) {
        ::CloseHandle(handle);
        return nullptr;
    }
    std::FILE* stream = ::_wfdopen(fd, mode);
    if (!stream) ::_close(fd);
    return stream;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The open target of an in-place write, by handle.
class HandleTarget : public detail::InPlaceTarget {
public:
    explicit HandleTarget(HANDLE handle) : m_handle(handle) {}
    int readAll(std::string& bytes) override
    {
        if (int error = seek(0)) return error;
        char chunk[65536];
        for (DWORD got = 0;;) {
            if (!::ReadFile(m_handle, chunk, sizeof chunk, &got, nullptr)) return errnoFrom(::GetLastError());
            if (got == 0) return 0;
            bytes.append(chunk, got);
        }
    }
    int writeFromStart(const std::string& bytes) override
    {
        if (int error = seek(0)) return error;
        for (std::size_t done = 0; done < bytes.size();) {
            const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(m_handle, bytes.data() + done, piece, &written, nullptr)) return errnoFrom(::GetLastError());
            if (written == 0) return ENOSPC;
            done += written;
        }
        return 0;
    }
    int truncate(std::uint64_t length) override
    {
        if (int error = seek(length)) return error;
        return ::SetEndOfFile(m_handle) ? 0 : errnoFrom(::GetLastError());
    }
    int sync() override { return ::FlushFileBuffers(m_handle) ? 0 : errnoFrom(::GetLastError()); }

private:
    int seek(std::uint64_t at)
    {
        LARGE_INTEGER distance;
        distance.QuadPart = static_cast<LONGLONG>(at);
        return ::SetFilePointerEx(m_handle, distance, nullptr, FILE_BEGIN) ? 0 : errnoFrom(::GetLastError());
    }

    HANDLE m_handle;
};

// The whole of a stream that was written from its start.
bool readBack(std::FILE* stream, std::string& bytes)
{
    if (std::fflush(stream) != 0 || std::fseek(stream, 0, SEEK_SET) != 0) return false;
    char chunk[65536];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, stream)) > 0;) bytes.append(chunk, got);
    return !std::ferror(stream);
}

}  // namespace

struct OutputFile::Impl {
    bool inPlace = false;    // writing the target itself (not a disk file, or no temporary possible)
    bool collected = false;  // a disk file in place: the stream is an anonymous temporary, put there at commit
    HANDLE inPlaceTarget = INVALID_HANDLE_VALUE;  // that file, open
    bool existed = false;    // a file is replaced
    DWORD attributes = 0;    // its attributes, given to the new file
    std::wstring target;
    std::wstring temp;       // removed unless it was put in place
};

std::FILE* standardInput()
{
    ::_setmode(::_fileno(stdin), _O_BINARY);  // text mode would turn CR LF into LF and stop at 0x1A
    return stdin;
}

std::FILE* openFile(const std::string& utf8Path, const char* mode)
{
    std::wstring wide = widen(utf8Path);
    if (wide.empty()) return nullptr;
    std::wstring wideMode;
    for (const char* p = mode; *p; ++p) wideMode.push_back(static_cast<wchar_t>(*p));
    return ::_wfopen(wide.c_str(), wideMode.c_str());
}

std::FILE* openForReading(const std::string& utf8Path)
{
    std::wstring wide = widen(utf8Path);
    if (wide.empty()) {
        errno = ENOENT;
        return nullptr;
    }
    DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;  // the open below would only say "access denied"
        return nullptr;
    }
    HANDLE handle = ::CreateFileW(wide.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = errnoFrom(::GetLastError());
        return nullptr;
    }
    if (::GetFileType(handle) != FILE_TYPE_DISK) {  // a pipe or a device counts as unreadable
        ::CloseHandle(handle);
        errno = ENODEV;
        return nullptr;
    }
    return streamOver(handle, _O_RDONLY | _O_BINARY, L"rb");
}


std::string finalTarget(const std::string& utf8Path) { return utf8Path; }

namespace {

// The volume serial number and file index of an existing file or folder, which tell one file however
// it is reached (a short name, another case, a mapped path); false when it cannot be opened.
bool fileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE handle = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    ::CloseHandle(handle);
    return known;
}

std::wstring fullPath(const std::wstring& path)
{
    DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return std::wstring();
    std::wstring full(length, L'\0');
    length = ::GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    full.resize(length);
    return full;
}

}  // namespace

bool sameFile(const std::string& utf8PathA, const std::string& utf8PathB)
{
    const std::wstring a = widen(utf8PathA), b = widen(utf8PathB);
    if (a.empty() || b.empty()) return false;
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    const bool aExists = fileIdentity(a, infoA), bExists = fileIdentity(b, infoB);
    if (aExists || bExists) {
        return aExists && bExists && infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
               infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
    }
    // Neither is there yet: the same full path, "." and ".." resolved, without regard to case as the
    // file system compares names.
    const std::wstring fullA = fullPath(a), fullB = fullPath(b);
    return !fullA.empty() && ::CompareStringOrdinal(fullA.c_str(), static_cast<int>(fullA.size()), fullB.c_str(),
                                                    static_cast<int>(fullB.size()), TRUE) == CSTR_EQUAL;
}

bool removeFile(const std::string& utf8Path)
{
    std::wstring wide = widen(utf8Path);
    return !wide.empty() && ::DeleteFileW(wide.c_str()) != 0;
}

std::FILE* detail::openAnonymousTemporary()
{
    wchar_t folder[MAX_PATH + 1];
    DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        errno = length == 0 ? errnoFrom(::GetLastError()) : ENAMETOOLONG;
        return nullptr;
    }
    std::wstring directory(folder, length);
    while (!directory.empty() && (directory.back() == L'\\' || directory.back() == L'/')) directory.pop_back();
    // The system removes a file made with FILE_FLAG_DELETE_ON_CLOSE when its last handle goes, also
    // when the process is killed.
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD code = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 16 && handle == INVALID_HANDLE_VALUE && code == ERROR_FILE_EXISTS; ++attempt) {
        handle = ::CreateFileW(randomName(directory).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                               CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        code = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    }
    if (handle == INVALID_HANDLE_VALUE) {
        errno = errnoFrom(code);
        return nullptr;
    }
    std::FILE* stream = streamOver(handle, _O_RDWR | _O_BINARY, L"w+b");
    if (!stream) errno = EIO;
    return stream;
}

OutputFile::OutputFile(std::string targetUtf8Path) : m_target(std::move(targetUtf8Path)) {}

OutputFile::~OutputFile() { discard(); }


std::FILE* OutputFile::open()
{
    assert(!m_stream && !m_impl && "an OutputFile makes one write: open() is called once");
    if (m_stream || m_impl) return nullptr;
    m_impl = std::make_unique<Impl>();
    Impl& s = *m_impl;
    s.target = widen(m_target);
    if (s.target.empty()) return failOpen(m_target.empty() ? ENOENT : EILSEQ);

    DWORD attributes = ::GetFileAttributesW(s.target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return failOpen(EISDIR);
    // The system refuses to open a read-only file for writing; say so before anything is made (an
    // emulation running as a privileged user might not).
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return failOpen(EACCES);

    // The open a direct write would do, without truncating: a read-only or locked file fails here.
    // Read access too where there is some, so that an in-place write can put the old bytes back.
    HANDLE target = ::CreateFileW(s.target.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (target == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED) {
        target = ::CreateFileW(s.target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (target == INVALID_HANDLE_VALUE) {
        DWORD code = ::GetLastError();
        if (code != ERROR_FILE_NOT_FOUND) return failOpen(errnoFrom(code));
    } else if (::GetFileType(target) != FILE_TYPE_DISK) {
        s.inPlace = true;  // NUL, a console, a pipe
        m_stream = streamOver(target, _O_WRONLY | _O_BINARY, L"wb");
        return m_stream ? m_stream : failOpen(EIO);
    } else {
        s.existed = true;
        s.attributes = attributes;
    }

    const std::wstring directory = directoryOf(s.target);
    removeStaleTemporaries(directory);
    HANDLE temp = INVALID_HANDLE_VALUE;
    DWORD code = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 16 && temp == INVALID_HANDLE_VALUE; ++attempt) {
        s.temp = randomName(directory);
        temp = ::CreateFileW(s.temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        code = temp == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) break;
    }
    if (temp == INVALID_HANDLE_VALUE) {
        s.temp.clear();
        if (target != INVALID_HANDLE_VALUE && code == ERROR_ACCESS_DENIED) {
            // No temporary can be made in the directory, but the target may be written: in place, the
            // content collected first and put there by commit.
            s.inPlace = true;
            s.collected = true;
            s.existed = false;
            s.inPlaceTarget = target;
            m_stream = detail::openAnonymousTemporary();
            return m_stream ? m_stream : failOpen(errno);
        }
        if (target != INVALID_HANDLE_VALUE) ::CloseHandle(target);
        return failOpen(errnoFrom(code));
    }
    if (target != INVALID_HANDLE_VALUE) ::CloseHandle(target);
    m_stream = streamOver(temp, _O_WRONLY | _O_BINARY, L"wb");
    if (!m_stream) {
        discard();
        return failOpen(EIO);
    }
    return m_stream;
}

bool OutputFile::commit()
{
    assert(!m_committed && "commit() is called once: a committed OutputFile has nothing more to put in place");
    if (!m_stream || !m_impl) return fail(m_error);
    Impl& s = *m_impl;
    if (std::fflush(m_stream) != 0 || std::ferror(m_stream)) {
        int flushError = errno ? errno : EIO;  // the C runtime's reason for the write that failed
        discard();
        return fail(flushError);
    }
    if (s.collected) {
        std::string content;
        const bool read = readBack(m_stream, content);
        std::fclose(m_stream);
        m_stream = nullptr;
        HandleTarget target(s.inPlaceTarget);
        int placeError = read ? detail::writeInPlace(target, content) : EIO;
        ::CloseHandle(s.inPlaceTarget);
        s.inPlaceTarget = INVALID_HANDLE_VALUE;
        if (placeError != 0) return fail(placeError);
        m_committed = true;
        return true;
    }
    HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(m_stream)));
    if (::GetFileType(handle) == FILE_TYPE_DISK) {
        // The file must reach the disk before it replaces the old one.
        if (!::FlushFileBuffers(handle)) {
            int code = errnoFrom(::GetLastError());
            discard();
            return fail(code);
        }
        detail::countFileSync();
    }
    int closed = std::fclose(m_stream);
    int closeError = errno ? errno : EIO;
    m_stream = nullptr;
    if (closed != 0) {
        discard();
        return fail(closeError);
    }
    if (s.inPlace) {
        m_committed = true;
        return true;
    }

    // ReplaceFileW gives the new file the old one's ACLs and attributes; a file system that cannot
    // (or a target that vanished meanwhile) gets the plain rename.
    bool placed = s.existed && ::ReplaceFileW(s.target.c_str(), s.temp.c_str(), nullptr,
                                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!placed) {
        placed = ::MoveFileExW(s.temp.c_str(), s.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (placed) detail::countDirectorySync();
    }
    if (!placed) {
        int code = errnoFrom(::GetLastError());
        discard();
        return fail(code);
    }
    s.temp.clear();  // it is the target now
    // ReplaceFileW merges the attributes, but not every implementation does: set them again (hidden,
    // system, archive, not indexed).
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (s.existed && (s.attributes & kept) != 0)
        ::SetFileAttributesW(s.target.c_str(), s.attributes & kept);  // ignored: the content is in place
    m_committed = true;
    return true;
}

void OutputFile::discard()
{
    if (m_stream) {
        // A write into the stream that failed is this file's failure, also when the caller gave up on it.
        if (m_error == 0 && std::ferror(m_stream)) fail(streamError());
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_impl) return;
    if (m_impl->inPlaceTarget != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_impl->inPlaceTarget);
        m_impl->inPlaceTarget = INVALID_HANDLE_VALUE;
    }
    if (!m_impl->temp.empty()) {
        ::DeleteFileW(m_impl->temp.c_str());
        m_impl->temp.clear();
    }
}

// The C runtime gives the errno of a failed write and keeps only the stream's error flag: the reason
// is read when the failure is noticed, which for a caller is right after the fwrite that came short.
int OutputFile::streamError() const
{
    if (!m_stream || !std::ferror(m_stream)) return 0;
    return errno != 0 ? errno : EIO;
}

}  // namespace fileio
