// ParamFileTest.cpp - the 120-byte parameter file: layout, header rules, bit-exact round trips, and
// the failures that must leave the fields or an existing file alone.
#include "builder/ParamFile.h"
#include "builder/CommandLineRecord.h"

#include "testutil/Hex.h"

#include <cstring>
#include <cerrno>
#include <filesystem>
#include <limits>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::readFile;
using testutil::writeFile;

CommandLineRecord at(const std::string& path)
{
    CommandLineRecord commandLine;
    commandLine.m_strParamPath = path;
    return commandLine;
}

WizardParams defaults()
{
    WizardParams params;
    SetDefaultParams(params);
    return params;
}

// Each field its own value, 1 to 13 in declaration order, so that two swapped slots would show.
WizardParams numbered()
{
    double n = 0;
    WizardParams p;
    for (double* field : {&p.m_foundationHeight, &p.m_buildingDepth, &p.m_buildingWidth, &p.m_levelDifference,
                          &p.m_otherFloorThickness, &p.m_firstFloorThickness, &p.m_roomHeight1, &p.m_roomHeight2,
                          &p.m_roomHeight3, &p.m_siteDepth, &p.m_siteWidth, &p.m_roomHeight4, &p.m_wallThickness})
        *field = ++n;
    return p;
}

std::string bytesOf(const WizardParams& params)
{
    ParamFileBytes bytes = encodeParamFile(params);
    return std::string(bytes.begin(), bytes.end());
}

TEST(ParamFile, Layout)
{
    testutil::TempDir dir;
    writeFile(dir.file("p.prm"), std::string(500, 'x'));  // a longer file is replaced, not overwritten
    ASSERT_TRUE(SaveParams(defaults(), at(dir.file("p.prm"))).written);
    EXPECT_BYTES(readFile(dir.file("p.prm")),
                 "5A 65 6E 64 65 6C 00 00  31 30 30 30 00 00 00 00  # Zendel 0 0 1000 0 0 0 0\n"
                 "00 00 00 00 00 00 79 40  00 00 00 00 00 00 24 40  # 400, 10\n"
                 "00 00 00 00 00 00 24 40  00 00 00 00 00 00 2E 40  # 10, 15\n"
                 "00 00 00 00 00 00 2E 40  00 00 00 00 00 A8 96 40  # 15, 1450\n"
                 "00 00 00 00 00 40 7F 40  00 00 00 00 00 40 6A 40  # 500, 210\n"
                 "00 00 00 00 00 C0 A2 40  00 00 00 00 00 C0 A2 40  # 2400, 2400\n"
                 "00 00 00 00 00 C0 A2 40  00 00 00 00 00 C0 A2 40  # 2400, 2400\n"
                 "00 00 00 00 00 00 59 40                           # 100\n");
    EXPECT_BYTES(bytesOf(numbered()).substr(16),
                 "00 00 00 00 00 00 F0 3F  00 00 00 00 00 00 00 40  # 1 foundation, 2 building depth\n"
                 "00 00 00 00 00 00 08 40  00 00 00 00 00 00 26 40  # 3 building width, 11 site width\n"
                 "00 00 00 00 00 00 24 40  00 00 00 00 00 00 10 40  # 10 site depth, 4 level difference\n"
                 "00 00 00 00 00 00 14 40  00 00 00 00 00 00 18 40  # 5 other floor, 6 first floor\n"
                 "00 00 00 00 00 00 1C 40  00 00 00 00 00 00 20 40  # 7, 8 room heights 1 and 2\n"
                 "00 00 00 00 00 00 22 40  00 00 00 00 00 00 28 40  # 9, 12 room heights 3 and 4\n"
                 "00 00 00 00 00 00 2A 40                           # 13 wall thickness\n");
}

TEST(ParamFile, RoundTripIsBitExact)
{
    testutil::TempDir dir;
    for (double value : {0.0, -0.0, -1450.0, 1.0 / 3.0, 123456.789012345678, 2.9999999, 1e-310,
                         std::numeric_limits<double>::max(), std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(value);
        WizardParams params = numbered();
        params.m_roomHeight3 = value;
        params.m_siteWidth = -value;
        ASSERT_TRUE(SaveParams(params, at(dir.file("p.prm"))).written);
        WizardParams loaded;
        ASSERT_EQ(LoadParams(loaded, at(dir.file("p.prm"))), 1);
        EXPECT_EQ(bytesOf(loaded), bytesOf(params));  // every bit of every field
    }
}

TEST(ParamFile, HeaderRules)
{
    const struct {
        const char* what;
        std::size_t offset;
        const char* patch;
        bool loads;
    } rows[] = {
        {"another version text", 8, "39 39 39 39", true},
        {"non-zero byte 7", 7, "FF", true},
        {"non-zero padding after the version", 13, "01 02 03", true},
        {"no terminator after the magic", 6, "31", false},
        {"lower-case magic", 0, "7A", false},
        {"magic cut short", 5, "00", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ParamFileBytes bytes = encodeParamFile(defaults());
        std::string patch = testutil::fromHex(row.patch);
        std::memcpy(bytes.data() + row.offset, patch.data(), patch.size());
        WizardParams params = numbered();
        EXPECT_EQ(decodeParamFile(bytes, params), row.loads);
        EXPECT_EQ(params.m_foundationHeight, row.loads ? 400.0 : 1.0);
    }
}

TEST(ParamFile, ShortMissingOrUnreadableFilesLeaveTheFields)
{
    testutil::TempDir dir;
    const std::string full = bytesOf(defaults());
    writeFile(dir.file("empty.prm"), "");
    writeFile(dir.file("119.prm"), full.substr(0, 119));
    writeFile(dir.file("long.prm"), full + "more");  // the first 120 bytes load
    std::filesystem::create_directory(dir.file("dir.prm"));
    for (const char* name : {"missing.prm", "empty.prm", "119.prm", "dir.prm", "", "long.prm"}) {
        SCOPED_TRACE(name);
        const bool loads = std::string(name) == "long.prm";
        WizardParams params = numbered();
        EXPECT_EQ(LoadParams(params, at(*name ? dir.file(name) : "")), loads ? 1 : 0);
        EXPECT_EQ(params.m_wallThickness, loads ? 100.0 : 13.0);
    }
}

TEST(ParamFile, FailedSaveLeavesNothingBehind)
{
    testutil::TempDir dir;
    std::filesystem::create_directory(dir.file("taken"));  // a directory cannot be replaced by the file
    EXPECT_EQ(SaveParams(defaults(), at(dir.file("taken"))).error, EISDIR);
    EXPECT_EQ(SaveParams(defaults(), at(dir.file("missing/p.prm"))).error, ENOENT);
    EXPECT_EQ(SaveParams(defaults(), at("")).error, ENOENT);
    auto entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(entries, 1) << "only the directory 'taken' may remain, no temporary";
}

// What a front end tells the user before the dialog: the file as LoadParams would see it.
TEST(ParamFile, Inspect)
{
    testutil::TempDir dir;
    const std::string ours(reinterpret_cast<const char*>(encodeParamFile(defaults()).data()), kParamFileSize);
    const struct {
        const char* what;
        const char* name;
        std::string bytes;  // written unless empty
        ParamFileState state;
    } rows[] = {
        {"nothing there", "missing.prm", "", ParamFileState::Missing},
        {"ours", "ours.prm", ours, ParamFileState::Ours},
        {"ours, longer", "long.prm", ours + "tail", ParamFileState::Ours},
        {"a short note of another program", "notes.txt", "notes\n", ParamFileState::Foreign},
        {"another program's long file", "data.bin", std::string(200, 'x'), ParamFileState::Foreign},
        {"our header, cut short", "cut.prm", ours.substr(0, 50), ParamFileState::Short},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (!row.bytes.empty()) writeFile(dir.file(row.name), row.bytes);
        EXPECT_EQ(inspectParamFile(dir.file(row.name)), row.state);
    }
    int error = 0;
    EXPECT_EQ(inspectParamFile(dir.path(), &error), ParamFileState::Unreadable);  // a directory
    EXPECT_EQ(error, EISDIR);
    EXPECT_EQ(inspectParamFile(""), ParamFileState::NoPath);
}

}  // namespace
