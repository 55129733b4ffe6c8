// FileAccessDetail.h - what the two implementations of FileAccess.h share: the record of the last
// write failure on this thread and the sync counters of the test hook. Private to scenefile/FileAccess*.
#pragma once

namespace fileio::detail {

void setLastError(int error);  // 0 after a success
void countFileSync();
void countDirectorySync();

}  // namespace fileio::detail
