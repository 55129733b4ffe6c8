// FileAccess.h - opening files by UTF-8 path, and replacing a file atomically.
//
// Portable interface; FileAccess.cpp holds the two places where Windows and POSIX differ (wide paths
// for Japanese file names whatever the ANSI code page, and rename-over-existing). Paths are UTF-8
// everywhere in the core.
//
// AtomicFile is how every file of the system is written (scene file, parameter file, registry store):
// the bytes go to a temporary file beside the target, and only a complete, flushed and closed
// temporary is renamed over the target. A failure at any step removes the temporary and leaves an
// existing target exactly as it was.
#pragma once

#include <cstdio>  // FILE
#include <string>

namespace fileio {

// fopen with a UTF-8 path. Returns null on failure, like fopen.
std::FILE* openFile(const std::string& utf8Path, const char* mode);

// True when the path names something that can be opened for reading.
bool isReadable(const std::string& utf8Path);

// Removes a file; false when it could not be removed (a missing file included).
bool removeFile(const std::string& utf8Path);

class AtomicFile {
public:
    explicit AtomicFile(std::string targetUtf8Path);
    ~AtomicFile();  // discards the temporary unless commit() succeeded
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary beside the target (always a binary stream: the caller writes every byte,
    // CR LF included). Null when it cannot be created, e.g. the directory does not exist.
    std::FILE* open();

    // Flushes and closes the temporary and renames it over the target. False when any of those
    // fails; the temporary is then removed and the target is untouched. Call once.
    bool commit();

    // Closes and removes the temporary without touching the target.
    void discard();

    const std::string& target() const { return m_target; }

private:
    std::string m_target;
    std::string m_temp;
    std::FILE* m_stream = nullptr;
};

}  // namespace fileio
