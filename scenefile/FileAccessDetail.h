// FileAccessDetail.h - what the two implementations of FileAccess.h share: the sync counters,
// anonymous temporaries, and the in-place write with its fault hook. Private to scenefile/
// (SceneFileInput.cpp spools a pipe) and its tests, which read the sync counters and set the hook.
#pragma once

#include <cstdint>
#include <cstdio>  // FILE
#include <string>

namespace fileio::detail {

// A new, empty file without a name, open for reading and writing ("w+b"), in the system's folder for
// temporary files ($TMPDIR or /tmp; on Windows the user's temporary folder). It goes with the stream,
// also when the process is killed. Null when none can be made, with errno telling why. The caller
// closes the stream with fclose. The scene reader holds piped input in one.
std::FILE* openAnonymousTemporary();

void countFileSync();
void countDirectorySync();

// The calls an in-place write makes on the open target; each returns 0 or an errno value.
class InPlaceTarget {
public:
    virtual ~InPlaceTarget() = default;
    virtual int readAll(std::string& bytes) = 0;              // the old content, from the start
    virtual int writeFromStart(const std::string& bytes) = 0;  // over the old bytes, from offset 0
    virtual int truncate(std::uint64_t length) = 0;
    virtual int sync() = 0;
};

// Puts `content` in place of the target's old content in the one order a kill cannot turn into an
// empty file: written over the old bytes from the start, then cut to its length, then synced. A
// failure puts the old bytes back where they could be read first. 0, or the errno of the failure.
int writeInPlace(InPlaceTarget& target, const std::string& content);

}  // namespace fileio::detail

namespace fileio::testing {

// Counts of the syncs OutputFile made so far: files synced before they were put in place, and
// directories synced after a rename into them.
struct SyncCounts {
    long files = 0;
    long directories = 0;
};
SyncCounts syncCounts();  // the counts of this process so far

// The points between the steps of an in-place write.
enum class InPlaceStep {
    WrittenOver,  // the new bytes are over the old ones; the file is not yet cut to length
    Truncated,    // cut to the new length; not yet synced
    Synced,       // synced: done
};

// Called at each point with the step just done. 0 goes on; an errno value fails the write there, as
// if the step's call had failed; kStopHere ends it on the spot, the file left as it is, as a kill
// there would (the commit then fails with EINTR). Null, the default, goes on everywhere.
using InPlaceHook = int (*)(InPlaceStep);
inline constexpr int kStopHere = -1;
void setInPlaceHook(InPlaceHook hook);

// Called when a replacement's temporary has its name in the target's folder, just before it is
// renamed over the target (POSIX). 0 goes on; kStopHere ends the write there as a kill would: the
// named temporary stays and its descriptor is closed (the commit then fails with EINTR). Null, the
// default, goes on.
using NamedTemporaryHook = int (*)(const std::string& name);
void setNamedTemporaryHook(NamedTemporaryHook hook);

}  // namespace fileio::testing
