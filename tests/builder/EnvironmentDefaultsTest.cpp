// EnvironmentDefaultsTest.cpp - the eight registry defaults: their order, texts and stored lengths,
// the number formatting, and what a refusing registry or an oversized value leaves out.
#include "DefaultParams.h"
#include "builder/EnvironmentDefaults.h"

#include "testutil/Hex.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <limits>

using namespace wizard;  // the wizard's code under test

namespace {

using testutil::defaultParams;

// Records every call as text; refuses the key or value whose name is `refuse`.
class FakeRegistry : public Registry {
public:
    std::vector<std::string> calls;
    std::string refuse;

    RegistryOutcome createKey(RegistryKey parent, const char* subKey, RegistryKey* key) override
    {
        calls.push_back("create " + (parent ? name(parent) + "\\" : "") + subKey);
        if (refuse == subKey) return refused();
        *key = &m_names.emplace_back(subKey);
        return {};
    }
    RegistryOutcome setStringValue(RegistryKey key, const char* value, const char* data, std::uint32_t length) override
    {
        const bool endsInNul = length > 0 && data[length - 1] == '\0';
        calls.push_back(name(key) + " " + value + "=" + data + " " + std::to_string(length) + (endsInNul ? "" : "!"));
        return refuse != value ? RegistryOutcome{} : refused();
    }
    RegistryOutcome closeKey(RegistryKey key) override
    {
        calls.push_back("close " + name(key));
        return refuse == "close " + name(key) ? refused() : RegistryOutcome{};
    }

private:
    static RegistryOutcome refused()
    {
        RegistryOutcome outcome;
        outcome.error = EACCES;
        return outcome;
    }
    static std::string name(RegistryKey key) { return *static_cast<std::string*>(key); }
    std::deque<std::string> m_names;  // stable addresses serve as handles
};

std::vector<std::string> exportCalls(const WizardParams& params, double wallHeight, const std::string& refuse = "")
{
    FakeRegistry registry;
    registry.refuse = refuse;
    ExportEnvironmentDefaults(params, wallHeight, registry);
    return registry.calls;
}

const std::vector<std::string> kDefaultCalls{
    "create Software\\Tolvarix\\Quorrel",
    "create Software\\Tolvarix\\Quorrel\\Environment",
    "Environment 1stFloorDefaultHeight=210 4",
    "Environment FloorDefaultHeight=0.5 4",
    "Environment HouseSizeX=10 3",
    "Environment HouseSizeY=10 3",
    "Environment LandSizeX=15 3",
    "Environment LandSizeY=15 3",
    "Environment WallDefaultHeight=2.9 4",
    "Environment WallDefaultThickness=0.1 4",
    "close Environment",
    "close Software\\Tolvarix\\Quorrel",
};

TEST(EnvironmentDefaults, DefaultsAndUnits)
{
    EXPECT_EQ(exportCalls(defaultParams(), 2900.0), kDefaultCalls);  // wall height h1 + t = 2400 + 500

    WizardParams params = defaultParams();
    params.m_firstFloorThickness = 210.5;  // stays millimetres
    params.m_otherFloorThickness = 350.0;
    params.m_buildingDepth = 8.5;
    params.m_siteWidth = 22.25;
    params.m_wallThickness = 125.0;
    std::vector<std::string> calls = exportCalls(params, 3140.0);
    ASSERT_EQ(calls.size(), 12u);
    EXPECT_EQ(calls[2], "Environment 1stFloorDefaultHeight=210.5 6");
    EXPECT_EQ(calls[3], "Environment FloorDefaultHeight=0.35 5");
    EXPECT_EQ(calls[5], "Environment HouseSizeY=8.5 4");
    EXPECT_EQ(calls[6], "Environment LandSizeX=22.25 6");
    EXPECT_EQ(calls[8], "Environment WallDefaultHeight=3.14 5");
    EXPECT_EQ(calls[9], "Environment WallDefaultThickness=0.125 6");
}

TEST(EnvironmentDefaults, WhatARefusalOrAnOversizedValueLeavesOut)
{
    const std::vector<std::string>& all = kDefaultCalls;
    // The parent key refused: nothing more is tried, nothing closed.
    EXPECT_EQ(exportCalls(defaultParams(), 2900.0, "Software\\Tolvarix\\Quorrel"), std::vector<std::string>{all[0]});
    // The subkey refused: no values; the parent is closed.
    EXPECT_EQ(exportCalls(defaultParams(), 2900.0, "Environment"), (std::vector<std::string>{all[0], all[1], all[11]}));
    // One value refused: the rest are still written.
    EXPECT_EQ(exportCalls(defaultParams(), 2900.0, "HouseSizeX"), kDefaultCalls);
    // A text longer than its 256 bytes, or a value that is not a number, is not written at all.
    WizardParams params = defaultParams();
    params.m_siteWidth = 1e300;
    params.m_buildingDepth = std::numeric_limits<double>::quiet_NaN();  // only a damaged file carries it
    std::vector<std::string> expected = all;
    expected.erase(expected.begin() + 5, expected.begin() + 7);  // HouseSizeY and LandSizeX
    EXPECT_EQ(exportCalls(params, 2900.0), expected);
}

// The export's outcome is the first key the registry refused to open or close; a refused value only
// counts one less. The parent is closed whatever happened below it.
TEST(EnvironmentDefaults, TheOutcomeIsTheFirstRefusedKey)
{
    const struct {
        const char* refuse;
        int error;
        int valuesSet;
        const char* lastCall;
    } rows[] = {
        {"", 0, 8, "close Software\\Tolvarix\\Quorrel"},
        {"Software\\Tolvarix\\Quorrel", EACCES, 0, "create Software\\Tolvarix\\Quorrel"},
        {"Environment", EACCES, 0, "close Software\\Tolvarix\\Quorrel"},
        {"HouseSizeX", 0, 7, "close Software\\Tolvarix\\Quorrel"},
        {"close Environment", EACCES, 8, "close Software\\Tolvarix\\Quorrel"},
        {"close Software\\Tolvarix\\Quorrel", EACCES, 8, "close Software\\Tolvarix\\Quorrel"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.refuse);
        FakeRegistry registry;
        registry.refuse = row.refuse;
        const RegistryExport exported = ExportEnvironmentDefaults(defaultParams(), 2900.0, registry);
        EXPECT_EQ(exported.outcome.error, row.error);
        EXPECT_EQ(exported.valuesSet, row.valuesSet);
        EXPECT_EQ(registry.calls.back(), row.lastCall);
    }
}

TEST(EnvironmentDefaults, FormatNumber)
{
    const std::pair<double, const char*> rows[] = {
        {12.5, "12.5"}, {1.25, "1.25"}, {1.125, "1.125"}, {1.005, "1.005"}, {0.0001, "0.000"},
        {2.9999999, "3.000"}, {-0.35, "-0.35"}, {0.07, "0.07"}, {210.0, "210"}, {0.0, "0"}, {2.9, "2.9"},
        {1e-7, "0.000"},  // 1e-7 * 10 lies exactly 1e-6 above its floor: the strict test goes on to 3 decimals
        // Exact ties round away from zero: a building 10.0625 m wide, a 62.5 mm floor (0.0625 m).
        {10.0625, "10.063"}, {0.0625, "0.063"}, {-2.8125, "-2.813"}, {0.3125, "0.313"},
    };
    char buffer[kNumberTextSize];
    for (const auto& [value, text] : rows) {
        SCOPED_TRACE(value);
        ASSERT_EQ(FormatNumber(buffer, value), buffer);
        EXPECT_STREQ(buffer, text);
    }
    EXPECT_STREQ(FormatNumber(buffer, 2.5, " m"), "2.5 m");
}

TEST(EnvironmentDefaults, FormatNumberStaysInItsBuffer)
{
    char buffer[kNumberTextSize];
    for (double value : {5e255, -5e254, std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(value);
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(FormatNumber(buffer, value), nullptr);
        EXPECT_EQ(buffer[0], '\0');
    }
    ASSERT_NE(FormatNumber(buffer, 5e250), nullptr);  // 251 digits still fit
    EXPECT_EQ(std::strlen(buffer), 251u);
    EXPECT_NE(FormatNumber(buffer, 5e250, "1234"), nullptr);  // 251 + 4 and the NUL: exactly 256
    EXPECT_EQ(FormatNumber(buffer, 5e250, "12345"), nullptr);
}

}  // namespace
