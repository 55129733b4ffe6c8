// FileAccess.cpp - the portable part of FileAccess.h: failures, their texts, a whole file's write, the
// sync counters and the order of an in-place write. What differs between Windows and POSIX is in FileAccessWin32.cpp and
// FileAccessPosix.cpp.
#include <cwscene/FileAccess.h>

#include "scenefile/FileAccessDetail.h"

#include <atomic>
#include <cerrno>
#include <system_error>  // generic_category

namespace fileio {

namespace {

std::atomic<long> fileSyncs{0};
std::atomic<long> directorySyncs{0};
testing::InPlaceHook inPlaceHook = nullptr;

// The fault hook's word at `step`: 0 to go on.
int afterStep(testing::InPlaceStep step) { return inPlaceHook ? inPlaceHook(step) : 0; }

}  // namespace

namespace detail {
void countFileSync() { ++fileSyncs; }
void countDirectorySync() { ++directorySyncs; }

int writeInPlace(InPlaceTarget& target, const std::string& content)
{
    // The old bytes, to put back should a step fail; a file that may be written but not read cannot
    // have them back.
    std::string old;
    const bool restorable = target.readAll(old) == 0;

    int error = target.writeFromStart(content);
    if (error == 0) error = afterStep(testing::InPlaceStep::WrittenOver);
    if (error == 0) error = target.truncate(content.size());
    if (error == 0) error = afterStep(testing::InPlaceStep::Truncated);
    if (error == 0) error = target.sync();
    if (error == 0) error = afterStep(testing::InPlaceStep::Synced);
    if (error == testing::kStopHere) return EINTR;  // a simulated kill: nothing more happens
    if (error != 0 && restorable) {
        // ignored when it fails too: the failure reported is the first one
        if (target.writeFromStart(old) == 0 && target.truncate(old.size()) == 0) (void)target.sync();
    }
    if (error == 0) countFileSync();
    return error;
}
}  // namespace detail

bool OutputFile::fail(int error)
{
    if (m_error == 0) m_error = error != 0 ? error : EIO;
    return false;
}

int OutputFile::error() const { return m_error != 0 ? m_error : streamError(); }

bool isReadable(const std::string& utf8Path)
{
    std::FILE* stream = openForReading(utf8Path);
    if (!stream) return false;
    std::fclose(stream);
    return true;
}

WriteOutcome writeFile(const std::string& utf8Path, std::string_view bytes)
{
    OutputFile file(utf8Path);
    if (std::FILE* stream = file.open()) {
        // A short write is given up at once: discard() records the stream's reason while it is fresh.
        if (std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size()) file.commit();
        else file.discard();
    }
    WriteOutcome outcome = file.outcome();
    if (!outcome.written && outcome.error == 0) outcome.error = EIO;  // a write that came short without a reason
    return outcome;
}

std::string errorText(int error) { return std::generic_category().message(error); }

namespace testing {
SyncCounts syncCounts() { return SyncCounts{fileSyncs.load(), directorySyncs.load()}; }
void setInPlaceHook(InPlaceHook hook) { inPlaceHook = hook; }
}  // namespace testing

}  // namespace fileio
