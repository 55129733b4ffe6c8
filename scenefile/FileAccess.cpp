// FileAccess.cpp - the portable part of FileAccess.h: failures, their texts and the sync counters.
// What differs between Windows and POSIX is in FileAccessWin32.cpp and FileAccessPosix.cpp.
#include <cwscene/FileAccess.h>

#include "scenefile/FileAccessDetail.h"

#include <atomic>
#include <cerrno>
#include <system_error>  // generic_category

namespace fileio {

namespace {

std::atomic<long> fileSyncs{0};
std::atomic<long> directorySyncs{0};
thread_local int lastError = 0;

}  // namespace

namespace detail {
void setLastError(int error) { lastError = error; }
void countFileSync() { ++fileSyncs; }
void countDirectorySync() { ++directorySyncs; }
}  // namespace detail

bool OutputFile::fail(int error)
{
    if (m_error == 0) m_error = error != 0 ? error : EIO;
    lastError = m_error;
    return false;
}

bool isReadable(const std::string& utf8Path)
{
    std::FILE* stream = openForReading(utf8Path);
    if (!stream) return false;
    std::fclose(stream);
    return true;
}

int lastWriteError() { return lastError; }

std::string errorText(int error) { return std::generic_category().message(error); }

namespace testing {
SyncCounts syncCounts() { return SyncCounts{fileSyncs.load(), directorySyncs.load()}; }
}  // namespace testing

}  // namespace fileio
