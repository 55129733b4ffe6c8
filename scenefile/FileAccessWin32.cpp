// FileAccessWin32.cpp - FileAccess.h on Windows: wide paths, handles, ReplaceFileW.
//
// Paths are converted from UTF-8 to UTF-16, so a Japanese path works whatever the ANSI code page. A
// regular target is replaced through a temporary "~sf" + eight random letters + ".tmp" in the same
// directory, created with CREATE_NEW, flushed to disk (FlushFileBuffers) and put in place with
// ReplaceFileW, which keeps the old file's ACLs and attributes, or MoveFileExW with write-through for
// a new file. What is not a disk file (NUL, a console, a pipe) is written in place.
#include <cwscene/FileAccess.h>

#include "scenefile/FileAccessDetail.h"

#include <windows.h>  // CreateFileW, ReplaceFileW, MoveFileExW, MultiByteToWideChar
#include <fcntl.h>    // _O_BINARY, _O_WRONLY, _O_RDONLY
#include <io.h>       // _open_osfhandle, _get_osfhandle

#include <cerrno>
#include <cstdio>   // _wfdopen, _wfopen, _wremove
#include <random>

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

}  // namespace

struct OutputFile::Impl {
    bool inPlace = false;  // writing the target itself (not a disk file, or no temporary possible)
    bool existed = false;  // a file is replaced
    DWORD attributes = 0;  // its attributes, given to the new file
    std::wstring target;
    std::wstring temp;     // removed unless it was put in place
};

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

bool removeFile(const std::string& utf8Path)
{
    std::wstring wide = widen(utf8Path);
    return !wide.empty() && ::DeleteFileW(wide.c_str()) != 0;
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
    m_impl = new Impl;
    Impl& s = *m_impl;
    s.target = widen(m_target);
    if (s.target.empty()) return failOpen(m_target.empty() ? ENOENT : EILSEQ);

    DWORD attributes = ::GetFileAttributesW(s.target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return failOpen(EISDIR);
    // The system refuses to open a read-only file for writing; say so before anything is made (an
    // emulation running as a privileged user might not).
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return failOpen(EACCES);

    // The open a direct write would do, without truncating: a read-only or locked file fails here.
    HANDLE target = ::CreateFileW(s.target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
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
            // No temporary can be made in the directory, but the target may be written: in place.
            if (!::SetEndOfFile(target)) {  // the position is 0: truncates
                ::CloseHandle(target);
                return failOpen(errnoFrom(::GetLastError()));
            }
            s.inPlace = true;
            s.existed = false;
            m_stream = streamOver(target, _O_WRONLY | _O_BINARY, L"wb");
            return m_stream ? m_stream : failOpen(EIO);
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
    if (!m_stream || !m_impl) return fail(m_error);
    Impl& s = *m_impl;
    if (std::fflush(m_stream) != 0 || std::ferror(m_stream)) {
        discard();
        return fail(EIO);
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
    m_stream = nullptr;
    if (closed != 0) {
        discard();
        return fail(EIO);
    }
    if (s.inPlace) {
        detail::setLastError(0);
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
    detail::setLastError(0);
    return true;
}

void OutputFile::discard()
{
    if (m_stream) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (m_impl && !m_impl->temp.empty()) {
        ::DeleteFileW(m_impl->temp.c_str());
        m_impl->temp.clear();
    }
}

}  // namespace fileio
