// Tests for scenefile/FileAccess: atomic replacement keeps the old file on every failure.
#include "scenefile/FileAccess.h"

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

TEST(AtomicFile, CommitReplacesTheTarget)
{
    TempDir dir;
    std::string target = dir.file("out.bin");
    testutil::writeFile(target, "old content that is longer");
    fileio::AtomicFile file(target);
    std::FILE* stream = file.open();
    ASSERT_NE(stream, nullptr);
    std::fputs("new", stream);
    EXPECT_EQ(testutil::readFile(target), "old content that is longer");  // untouched until commit
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(testutil::readFile(target), "new");
    EXPECT_EQ(entriesIn(dir.path()), 1u);  // no temporary left beside it
}

TEST(AtomicFile, DiscardOrDestructionKeepsTheOldFile)
{
    TempDir dir;
    std::string target = dir.file("keep.bin");
    testutil::writeFile(target, "old");
    {
        fileio::AtomicFile file(target);
        std::FILE* stream = file.open();
        ASSERT_NE(stream, nullptr);
        std::fputs("partial", stream);
    }  // never committed
    EXPECT_EQ(testutil::readFile(target), "old");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, MissingDirectoryFailsToOpen)
{
    TempDir dir;
    fileio::AtomicFile file(dir.file("no/such/dir/x.bin"));
    EXPECT_EQ(file.open(), nullptr);
    EXPECT_FALSE(file.commit());
    fileio::AtomicFile empty("");
    EXPECT_EQ(empty.open(), nullptr);
}

TEST(AtomicFile, JapanesePath)
{
    TempDir dir;
    std::string target = dir.file("スキップ床.cws");
    fileio::AtomicFile file(target);
    ASSERT_NE(file.open(), nullptr);
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(fileio::isReadable(target));
    EXPECT_TRUE(fileio::removeFile(target));
    EXPECT_FALSE(fileio::isReadable(target));
}

}  // namespace
