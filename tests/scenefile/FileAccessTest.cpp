// Tests for scenefile/FileAccess on both builds: what every writer of the system relies on. The kinds
// of target only POSIX has (links, devices, FIFOs, modes) are in FileAccessPosixTest.cpp.
#include <cwscene/FileAccess.h>
#include "scenefile/FileAccessDetail.h"  // syncCounts

#include "testutil/Hex.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using testutil::TempDir;

std::size_t entriesIn(const std::string& dir)
{
    std::size_t count = 0;
    for (auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(dir))) {
        (void)entry;
        ++count;
    }
    return count;
}

bool writeAll(fileio::OutputFile& file, const std::string& bytes)
{
    std::FILE* stream = file.open();
    return stream && std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() && file.commit();
}

TEST(OutputFile, CommitReplacesTheTarget)
{
    TempDir dir;
    std::string target = dir.file("out.bin");
    testutil::writeFile(target, "old content that is longer");
    fileio::OutputFile file(target);
    std::FILE* stream = file.open();
    ASSERT_NE(stream, nullptr);
    std::fputs("new", stream);
    EXPECT_EQ(testutil::readFile(target), "old content that is longer");  // untouched until commit
    const fileio::testing::SyncCounts before = fileio::testing::syncCounts();
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(testutil::readFile(target), "new");
    EXPECT_EQ(entriesIn(dir.path()), 1u);  // no temporary left beside it
    // The file reached the disk before it replaced the old one.
    EXPECT_EQ(fileio::testing::syncCounts().files, before.files + 1);
}

TEST(OutputFile, DiscardOrDestructionKeepsTheOldFile)
{
    TempDir dir;
    std::string target = dir.file("keep.bin");
    testutil::writeFile(target, "old");
    {
        fileio::OutputFile file(target);
        std::FILE* stream = file.open();
        ASSERT_NE(stream, nullptr);
        std::fputs("partial", stream);
    }  // never committed
    EXPECT_EQ(testutil::readFile(target), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(OutputFile, RefusalsSayWhy)
{
    TempDir dir;
    std::filesystem::create_directory(std::filesystem::u8path(dir.file("folder")));
    const struct {
        std::string path;
        int error;
    } rows[] = {
        {dir.file("no/such/dir/x.bin"), ENOENT},
        {"", ENOENT},
        {dir.file("folder"), EISDIR},  // the scene's chain then reads "file open failed"
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        fileio::OutputFile file(row.path);
        EXPECT_EQ(file.open(), nullptr);
        EXPECT_EQ(file.error(), row.error);
        EXPECT_FALSE(file.commit());
        const fileio::WriteOutcome outcome = fileio::writeFile(row.path, "bytes");
        EXPECT_EQ(outcome.path, row.path);
        EXPECT_FALSE(outcome.written);
        EXPECT_EQ(outcome.error, row.error);
    }
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::u8path(dir.file("folder"))));
}

// The temporary has a short name of its own, so a target name of the longest length a file system
// allows can be written (a name plus a suffix could not).
TEST(OutputFile, LongestNameAndJapanesePath)
{
    TempDir dir;
    for (const std::string& name : {std::string(255, 'n'), std::string("スキップ床.cws")}) {
        SCOPED_TRACE(name.size());
        std::string target = dir.file(name);
        fileio::OutputFile file(target);
        ASSERT_TRUE(writeAll(file, "bytes"));
        EXPECT_EQ(testutil::readFile(target), "bytes");
        EXPECT_TRUE(fileio::isReadable(target));
        EXPECT_TRUE(fileio::removeFile(target));
        EXPECT_FALSE(fileio::isReadable(target));
    }
}

// Two paths name one file by the same name or another spelling of it, whether the file is there yet
// or not; two files, and two paths of which only one is there, are not one.
TEST(SameFile, TellsOneFileByWhereItIsNotHowItIsSpelt)
{
    TempDir dir;
    testutil::writeFile(dir.file("a"), "a");
    testutil::writeFile(dir.file("b"), "b");
    std::filesystem::create_directories(std::filesystem::u8path(dir.file("d")));
    const struct {
        std::string first, second;
        bool same;
    } rows[] = {
        {dir.file("a"), dir.file("a"), true},
        {dir.file("a"), dir.file("d/../a"), true},
        {dir.file("a"), dir.file("./a"), true},
        {dir.file("a"), dir.file("b"), false},
        {dir.file("new"), dir.file("d/../new"), true},  // neither is there yet
        {dir.file("new"), dir.file("a"), false},
        {dir.file("new"), dir.file("other"), false},
        {dir.file("a"), "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first + " " + row.second);
        EXPECT_EQ(fileio::sameFile(row.first, row.second), row.same);
    }
}

}  // namespace
