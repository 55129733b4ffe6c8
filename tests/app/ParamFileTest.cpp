// ParamFileTest.cpp - the 120-byte parameter file: layout, header rules, bit-exact round trips, and
// the failures that must leave the fields or an existing file alone.
#include "app/ParamFile.h"
#include "app/WizardCommandLine.h"

#include "testutil/Hex.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>

namespace {

using testutil::fromHex;
using testutil::readFile;
using testutil::TempDir;
using testutil::writeFile;

WizardCommandLine paramPath(const std::string& path)
{
    WizardCommandLine commandLine;
    commandLine.m_strParamPath = path;
    return commandLine;
}

WizardParams defaults()
{
    WizardParams params;
    SetDefaultParams(params);
    return params;
}

// A value no load would produce, to see whether a refused load touched the fields.
WizardParams sentinel()
{
    WizardParams params;
    params.m_foundationHeight = -7.25;
    params.m_wallThickness = 12345.5;
    return params;
}

std::uint64_t bits(double value)
{
    std::uint64_t result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

// The defaults as the file holds them, by hand: 400 = 0x4079000000000000, 10 = 0x4024..., 15 =
// 0x402E..., 1450 = 0x4096A8..., 500 = 0x407F4..., 210 = 0x406A4..., 2400 = 0x40A2C..., 100 = 0x4059...
constexpr char kDefaultFile[] =
    "5A 65 6E 64 65 6C 00 00  31 30 30 30 00 00 00 00  # Zendel 0 0 1000 0 0 0 0\n"
    "00 00 00 00 00 00 79 40                           # 16  foundation height 400\n"
    "00 00 00 00 00 00 24 40                           # 24  building depth 10\n"
    "00 00 00 00 00 00 24 40                           # 32  building width 10\n"
    "00 00 00 00 00 00 2E 40                           # 40  site width 15\n"
    "00 00 00 00 00 00 2E 40                           # 48  site depth 15\n"
    "00 00 00 00 00 A8 96 40                           # 56  level difference 1450\n"
    "00 00 00 00 00 40 7F 40                           # 64  other floor thickness 500\n"
    "00 00 00 00 00 40 6A 40                           # 72  first floor thickness 210\n"
    "00 00 00 00 00 C0 A2 40                           # 80  room height 1: 2400\n"
    "00 00 00 00 00 C0 A2 40                           # 88  room height 2\n"
    "00 00 00 00 00 C0 A2 40                           # 96  room height 3\n"
    "00 00 00 00 00 C0 A2 40                           # 104 room height 4\n"
    "00 00 00 00 00 00 59 40                           # 112 wall thickness 100\n";

TEST(ParamFile, SavedDefaultsMatchTheLayout)
{
    TempDir dir;
    ASSERT_EQ(SaveParams(defaults(), paramPath(dir.file("p.prm"))), 1);
    EXPECT_BYTES(readFile(dir.file("p.prm")), kDefaultFile);
}

TEST(ParamFile, EveryFieldHasItsOwnSlot)
{
    // 1 to 13 in declaration order, so that any two slots swapped in the table would show.
    WizardParams params;
    params.m_foundationHeight = 1;
    params.m_buildingDepth = 2;
    params.m_buildingWidth = 3;
    params.m_levelDifference = 4;
    params.m_otherFloorThickness = 5;
    params.m_firstFloorThickness = 6;
    params.m_roomHeight1 = 7;
    params.m_roomHeight2 = 8;
    params.m_roomHeight3 = 9;
    params.m_siteDepth = 10;
    params.m_siteWidth = 11;
    params.m_roomHeight4 = 12;
    params.m_wallThickness = 13;
    ParamFileBytes bytes = encodeParamFile(params);
    EXPECT_BYTES(std::string(bytes.begin() + 16, bytes.end()),
                 "00 00 00 00 00 00 F0 3F  # 1  foundation height\n"
                 "00 00 00 00 00 00 00 40  # 2  building depth\n"
                 "00 00 00 00 00 00 08 40  # 3  building width\n"
                 "00 00 00 00 00 00 26 40  # 11 site width\n"
                 "00 00 00 00 00 00 24 40  # 10 site depth\n"
                 "00 00 00 00 00 00 10 40  # 4  level difference\n"
                 "00 00 00 00 00 00 14 40  # 5  other floor thickness\n"
                 "00 00 00 00 00 00 18 40  # 6  first floor thickness\n"
                 "00 00 00 00 00 00 1C 40  # 7  room height 1\n"
                 "00 00 00 00 00 00 20 40  # 8  room height 2\n"
                 "00 00 00 00 00 00 22 40  # 9  room height 3\n"
                 "00 00 00 00 00 00 28 40  # 12 room height 4\n"
                 "00 00 00 00 00 00 2A 40  # 13 wall thickness\n");
}

TEST(ParamFile, SiteWidthComesBeforeSiteDepthInTheFile)
{
    WizardParams params = defaults();
    params.m_siteWidth = 20.0;  // 0x4034000000000000
    params.m_siteDepth = 30.0;  // 0x403E000000000000
    ParamFileBytes bytes = encodeParamFile(params);
    std::string text(bytes.begin(), bytes.end());
    EXPECT_BYTES(text.substr(40, 16), "00 00 00 00 00 00 34 40  00 00 00 00 00 00 3E 40");

    WizardParams loaded;
    ASSERT_TRUE(decodeParamFile(bytes, loaded));
    EXPECT_EQ(loaded.m_siteWidth, 20.0);
    EXPECT_EQ(loaded.m_siteDepth, 30.0);
}

TEST(ParamFile, RoundTripIsBitExact)
{
    const double values[] = {0.0, -0.0, -1450.0, 1.0 / 3.0, 123456.789012345678, 1e-310 /* subnormal */,
                             std::numeric_limits<double>::max(), -std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::quiet_NaN(), 2.9999999, -0.35, 1e300};
    TempDir dir;
    for (double value : values) {
        SCOPED_TRACE(value);
        WizardParams params = defaults();
        // Each field gets a different value so that two swapped slots would show.
        double* fields[] = {&params.m_foundationHeight, &params.m_buildingDepth, &params.m_buildingWidth,
                            &params.m_levelDifference, &params.m_otherFloorThickness,
                            &params.m_firstFloorThickness, &params.m_roomHeight1, &params.m_roomHeight2,
                            &params.m_roomHeight3, &params.m_siteDepth, &params.m_siteWidth,
                            &params.m_roomHeight4, &params.m_wallThickness};
        for (int i = 0; i < 13; ++i) *fields[i] = (i == 0) ? value : value * (i + 1) - i;
        ASSERT_EQ(SaveParams(params, paramPath(dir.file("p.prm"))), 1);

        WizardParams loaded;
        ASSERT_EQ(LoadParams(loaded, paramPath(dir.file("p.prm"))), 1);
        const double* loadedFields[] = {&loaded.m_foundationHeight, &loaded.m_buildingDepth,
                                        &loaded.m_buildingWidth, &loaded.m_levelDifference,
                                        &loaded.m_otherFloorThickness, &loaded.m_firstFloorThickness,
                                        &loaded.m_roomHeight1, &loaded.m_roomHeight2, &loaded.m_roomHeight3,
                                        &loaded.m_siteDepth, &loaded.m_siteWidth, &loaded.m_roomHeight4,
                                        &loaded.m_wallThickness};
        for (int i = 0; i < 13; ++i) EXPECT_EQ(bits(*loadedFields[i]), bits(*fields[i])) << "field " << i;
    }
}

TEST(ParamFile, HeaderRules)
{
    struct Row {
        const char* what;
        std::size_t offset;
        const char* bytes;
        bool loads;
    };
    const Row rows[] = {
        {"another version text", 8, "39 39 39 39", true},
        {"non-zero bytes 7 and 13 to 15", 7, "FF", true},
        {"non-zero padding after the version", 13, "01 02 03", true},
        {"no terminator after the magic", 6, "31", false},
        {"lower-case magic", 0, "7A", false},
        {"magic cut short", 5, "00", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ParamFileBytes bytes = encodeParamFile(defaults());
        std::string patch = fromHex(row.bytes);
        std::memcpy(bytes.data() + row.offset, patch.data(), patch.size());
        WizardParams params = sentinel();
        EXPECT_EQ(decodeParamFile(bytes, params), row.loads);
        EXPECT_EQ(params.m_foundationHeight, row.loads ? 400.0 : -7.25);
    }
}

TEST(ParamFile, ShortMissingOrUnreadableFilesLeaveTheFields)
{
    TempDir dir;
    ParamFileBytes good = encodeParamFile(defaults());
    const std::string full(good.begin(), good.end());
    writeFile(dir.file("empty.prm"), "");
    writeFile(dir.file("header.prm"), full.substr(0, 16));
    writeFile(dir.file("119.prm"), full.substr(0, 119));
    std::filesystem::create_directory(dir.file("dir.prm"));

    for (const char* name : {"missing.prm", "empty.prm", "header.prm", "119.prm", "dir.prm", ""}) {
        SCOPED_TRACE(name);
        WizardParams params = sentinel();
        EXPECT_EQ(LoadParams(params, paramPath(*name ? dir.file(name) : std::string())), 0);
        EXPECT_EQ(params.m_foundationHeight, -7.25);
        EXPECT_EQ(params.m_wallThickness, 12345.5);
    }
}

TEST(ParamFile, LongerFileLoadsFromItsFirst120Bytes)
{
    TempDir dir;
    WizardParams params = defaults();
    params.m_wallThickness = 125.0;
    ParamFileBytes bytes = encodeParamFile(params);
    writeFile(dir.file("p.prm"), std::string(bytes.begin(), bytes.end()) + std::string(80, '\x55'));
    WizardParams loaded;
    ASSERT_EQ(LoadParams(loaded, paramPath(dir.file("p.prm"))), 1);
    EXPECT_EQ(loaded.m_wallThickness, 125.0);
}

TEST(ParamFile, SavingReplacesTheWholeFile)
{
    TempDir dir;
    writeFile(dir.file("p.prm"), std::string(500, 'x'));
    ASSERT_EQ(SaveParams(defaults(), paramPath(dir.file("p.prm"))), 1);
    EXPECT_BYTES(readFile(dir.file("p.prm")), kDefaultFile);
}

TEST(ParamFile, FailedSaveLeavesNothingBehind)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("taken"));  // a directory cannot be replaced by the file
    EXPECT_EQ(SaveParams(defaults(), paramPath(dir.file("taken"))), 0);
    EXPECT_EQ(SaveParams(defaults(), paramPath(dir.file("missing/p.prm"))), 0);
    EXPECT_EQ(SaveParams(defaults(), paramPath("")), 0);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1u) << "only the directory 'taken' may remain, no temporary";
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken")));
}

}  // namespace
