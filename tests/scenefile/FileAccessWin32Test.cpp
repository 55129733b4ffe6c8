// Tests for scenefile/FileAccess on Windows only: the temporaries a killed run leaves beside a target.
#include <cwscene/FileAccess.h>

#include "testutil/Hex.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }  // ASCII paths

// A run killed while writing leaves its temporary ("~sf" + eight of [a-z0-9] + ".tmp"); the next write
// into the folder removes it, and only what is surely a dead writer's: of our pattern, a plain file,
// written before this process started, not open.
TEST(OutputFile, ATemporaryAKilledRunLeftIsRemovedByTheNextWrite)
{
    testutil::TempDir dir;
    const struct {
        const char* name;
        bool recent;    // written after this process started: another run's, maybe still writing
        bool held;      // a live writer has it open, without sharing
        bool readOnly;  // not a file this program leaves
        bool removed;
    } rows[] = {
        {"~sfabcd1234.tmp", false, false, false, true},   {"~sfrecent01.tmp", true, false, false, false},
        {"~sfheld0001.tmp", false, true, false, false},   {"~sfreadonly.tmp", false, false, true, false},
        {"~sfABCD9999.tmp", false, false, false, false},  {"~sfshort.tmp", false, false, false, false},
        {"~sfabcd12345.tmp", false, false, false, false},
    };
    std::vector<HANDLE> held;
    for (const auto& row : rows) {
        const std::wstring file = wide(dir.file(row.name));
        HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << row.name;
        if (!row.recent) {
            FILETIME now;
            ::GetSystemTimeAsFileTime(&now);
            ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
            time.QuadPart -= 36000000000ULL;  // an hour, in 100 ns
            const FILETIME hourAgo{time.LowPart, time.HighPart};
            ASSERT_TRUE(::SetFileTime(handle, nullptr, nullptr, &hourAgo));
        }
        if (row.held) {
            held.push_back(handle);
        } else {
            ::CloseHandle(handle);
        }
        if (row.readOnly) {
            ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
        }
    }
    EXPECT_TRUE(fileio::writeFile(dir.file("t"), "new").written);
    for (const auto& row : rows) {
        const DWORD attributes = ::GetFileAttributesW(wide(dir.file(row.name)).c_str());
        EXPECT_EQ(attributes == INVALID_FILE_ATTRIBUTES, row.removed) << row.name;
        ::SetFileAttributesW(wide(dir.file(row.name)).c_str(), FILE_ATTRIBUTE_NORMAL);  // for the folder's removal
    }
    for (HANDLE handle : held) ::CloseHandle(handle);
}

}  // namespace
