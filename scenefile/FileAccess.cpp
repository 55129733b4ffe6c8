// FileAccess.cpp - UTF-8 paths and atomic replacement (see FileAccess.h).
//
// One of the few files with a platform switch: Windows needs wide-character paths (a Japanese path
// must not depend on the system's ANSI code page) and MoveFileExW to rename over an existing file,
// which the C runtime's rename refuses to do.
#include "scenefile/FileAccess.h"

#include <atomic>
#include <chrono>
#include <random>

#ifdef _WIN32
#include <windows.h>  // MultiByteToWideChar, MoveFileExW
#include <cwchar>     // _wfopen, _wremove
#else
#include <unistd.h>   // getpid
#endif

namespace fileio {

namespace {

#ifdef _WIN32
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

std::wstring widenMode(const char* mode)
{
    std::wstring wide;
    for (const char* p = mode; *p; ++p) wide.push_back(static_cast<wchar_t>(*p));
    return wide;
}
#endif

bool renameOver(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    std::wstring wideFrom = widen(from), wideTo = widen(to);
    if (wideFrom.empty() || wideTo.empty()) return false;
    return ::MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

// A name beside the target that no other writer picks: process id, a counter, and randomness.
std::string temporaryNameFor(const std::string& target)
{
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    unsigned long pid = ::GetCurrentProcessId();
#else
    unsigned long pid = static_cast<unsigned long>(::getpid());
#endif
    std::minstd_rand random(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ (pid << 16) ^ counter.load()));
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%lu-%u-%08x.tmp", pid, counter++, static_cast<unsigned>(random()));
    return target + suffix;
}

}  // namespace

std::FILE* openFile(const std::string& utf8Path, const char* mode)
{
    if (utf8Path.empty()) return nullptr;
#ifdef _WIN32
    std::wstring wide = widen(utf8Path);
    if (wide.empty()) return nullptr;
    return ::_wfopen(wide.c_str(), widenMode(mode).c_str());
#else
    return std::fopen(utf8Path.c_str(), mode);
#endif
}

bool isReadable(const std::string& utf8Path)
{
    std::FILE* stream = openFile(utf8Path, "rb");
    if (!stream) return false;
    std::fclose(stream);
    return true;
}

bool removeFile(const std::string& utf8Path)
{
    if (utf8Path.empty()) return false;
#ifdef _WIN32
    std::wstring wide = widen(utf8Path);
    return !wide.empty() && ::_wremove(wide.c_str()) == 0;
#else
    return std::remove(utf8Path.c_str()) == 0;
#endif
}

AtomicFile::AtomicFile(std::string targetUtf8Path) : m_target(std::move(targetUtf8Path)) {}

AtomicFile::~AtomicFile() { discard(); }

std::FILE* AtomicFile::open()
{
    if (m_stream || m_target.empty()) return nullptr;
    // A few attempts in case a name is taken; "x" (fail if it exists) is not known to every C runtime,
    // so the existence check comes first.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string candidate = temporaryNameFor(m_target);
        if (isReadable(candidate)) continue;
        m_stream = openFile(candidate, "wb");
        if (m_stream) {
            m_temp = candidate;
            return m_stream;
        }
        return nullptr;  // the directory is missing or not writable; another name will not help
    }
    return nullptr;
}

bool AtomicFile::commit()
{
    if (!m_stream) return false;
    bool ok = std::fflush(m_stream) == 0 && !std::ferror(m_stream);
    ok = (std::fclose(m_stream) == 0) && ok;
    m_stream = nullptr;
    if (ok) ok = renameOver(m_temp, m_target);
    if (!ok) {
        removeFile(m_temp);
    }
    m_temp.clear();
    return ok;
}

void AtomicFile::discard()
{
    if (m_stream) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_temp.empty()) {
        removeFile(m_temp);
        m_temp.clear();
    }
}

}  // namespace fileio
