// EnvironmentDefaultsTest.cpp - the eight registry defaults: their order, texts and stored lengths,
// the number formatting, and what a refusing registry leaves out.
#include "app/ParamFile.h"
#include "builder/EnvironmentDefaults.h"

#include "testutil/Hex.h"

#include <cstring>
#include <deque>
#include <limits>

namespace {

// Records every call; refuses the key or value whose name is in `refuse`.
class FakeRegistry : public platform::Registry {
public:
    std::vector<std::string> calls;
    std::string refuse;

    bool createKey(platform::RegistryKey parent, const char* subKey, platform::RegistryKey* key) override
    {
        calls.push_back(std::string("create ") + (parent ? name(parent) + "\\" : "") + subKey);
        if (refuse == subKey) return false;
        m_keys.push_back(subKey);
        *key = &m_keys.back();
        return true;
    }
    bool setStringValue(platform::RegistryKey key, const char* valueName, const char* data,
                        std::uint32_t length) override
    {
        // The stored bytes are exactly `length` long and must end in the NUL.
        std::string stored(data, length);
        calls.push_back("set " + name(key) + " " + valueName + "=" + data +
                        " (" + std::to_string(length) + (stored.back() == '\0' ? ", NUL)" : ", no NUL)"));
        return refuse != valueName;
    }
    void closeKey(platform::RegistryKey key) override { calls.push_back("close " + name(key)); }

private:
    static std::string name(platform::RegistryKey key) { return *static_cast<std::string*>(key); }
    std::deque<std::string> m_keys;  // stable addresses serve as handles
};

WizardParams defaults()
{
    WizardParams params;
    SetDefaultParams(params);
    return params;
}

constexpr double kDefaultWallHeight = 2900.0;  // h1 + t with the defaults: 2400 + 500

TEST(EnvironmentDefaults, DefaultsWriteEightValuesInOrder)
{
    FakeRegistry registry;
    ExportEnvironmentDefaults(defaults(), kDefaultWallHeight, registry);
    const std::vector<std::string> expected{
        "create Software\\Tolvarix\\Quorrel",
        "create Software\\Tolvarix\\Quorrel\\Environment",
        "set Environment 1stFloorDefaultHeight=210 (4, NUL)",
        "set Environment FloorDefaultHeight=0.5 (4, NUL)",
        "set Environment HouseSizeX=10 (3, NUL)",
        "set Environment HouseSizeY=10 (3, NUL)",
        "set Environment LandSizeX=15 (3, NUL)",
        "set Environment LandSizeY=15 (3, NUL)",
        "set Environment WallDefaultHeight=2.9 (4, NUL)",
        "set Environment WallDefaultThickness=0.1 (4, NUL)",
        "close Environment",
        "close Software\\Tolvarix\\Quorrel",
    };
    EXPECT_EQ(registry.calls, expected);
}

TEST(EnvironmentDefaults, UnitsOfTheQuantities)
{
    WizardParams params = defaults();
    params.m_wallThickness = 125.0;
    params.m_firstFloorThickness = 210.5;
    params.m_otherFloorThickness = 350.0;
    params.m_buildingWidth = 8.5;
    params.m_siteDepth = 22.25;
    FakeRegistry registry;
    ExportEnvironmentDefaults(params, 3140.0, registry);
    ASSERT_EQ(registry.calls.size(), 12u);
    EXPECT_EQ(registry.calls[2], "set Environment 1stFloorDefaultHeight=210.5 (6, NUL)");
    EXPECT_EQ(registry.calls[3], "set Environment FloorDefaultHeight=0.35 (5, NUL)");
    EXPECT_EQ(registry.calls[4], "set Environment HouseSizeX=8.5 (4, NUL)");
    EXPECT_EQ(registry.calls[7], "set Environment LandSizeY=22.25 (6, NUL)");
    EXPECT_EQ(registry.calls[8], "set Environment WallDefaultHeight=3.14 (5, NUL)");
    EXPECT_EQ(registry.calls[9], "set Environment WallDefaultThickness=0.125 (6, NUL)");
}

TEST(EnvironmentDefaults, RefusingRegistry)
{
    struct Row {
        const char* refuse;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"Software\\Tolvarix\\Quorrel", {"create Software\\Tolvarix\\Quorrel"}},
        {"Environment",
         {"create Software\\Tolvarix\\Quorrel", "create Software\\Tolvarix\\Quorrel\\Environment",
          "close Software\\Tolvarix\\Quorrel"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.refuse);
        FakeRegistry registry;
        registry.refuse = row.refuse;
        ExportEnvironmentDefaults(defaults(), kDefaultWallHeight, registry);
        EXPECT_EQ(registry.calls, row.expected);
    }
}

TEST(EnvironmentDefaults, RefusedValueDoesNotStopTheOthers)
{
    FakeRegistry registry;
    registry.refuse = "HouseSizeX";
    ExportEnvironmentDefaults(defaults(), kDefaultWallHeight, registry);
    EXPECT_EQ(registry.calls.size(), 12u);
    EXPECT_EQ(registry.calls[9], "set Environment WallDefaultThickness=0.1 (4, NUL)");
}

TEST(EnvironmentDefaults, ValueTooLongForItsTextIsLeftOut)
{
    WizardParams params = defaults();
    params.m_siteWidth = 1e300;  // 301 digits: more than the 256-byte buffer
    params.m_buildingDepth = std::numeric_limits<double>::quiet_NaN();  // only a damaged file can carry it
    FakeRegistry registry;
    ExportEnvironmentDefaults(params, kDefaultWallHeight, registry);
    ASSERT_EQ(registry.calls.size(), 10u);
    for (const std::string& call : registry.calls) {
        EXPECT_EQ(call.find("LandSizeX="), std::string::npos);
        EXPECT_EQ(call.find("HouseSizeY="), std::string::npos);
    }
    EXPECT_EQ(registry.calls[5], "set Environment LandSizeY=15 (3, NUL)");
}

TEST(EnvironmentDefaults, FormatNumber)
{
    const std::pair<double, const char*> rows[] = {
        {12.5, "12.5"},   {1.25, "1.25"},     {1.125, "1.125"}, {1.005, "1.005"},  {0.0001, "0.000"},
        {2.9999999, "3.000"}, {-0.35, "-0.35"}, {0.07, "0.07"},  {210.0, "210"},    {0.0, "0"},
        {-2.0, "-2"},     {0.5, "0.5"},       {2.9, "2.9"},
    };
    for (const auto& [value, text] : rows) {
        SCOPED_TRACE(value);
        char buffer[kNumberTextSize];
        ASSERT_EQ(FormatNumber(buffer, value), buffer);
        EXPECT_STREQ(buffer, text);
    }
}

TEST(EnvironmentDefaults, FormatNumberRefusesWhatDoesNotFit)
{
    char buffer[kNumberTextSize];
    for (double value : {5e255, -5e254, 1e308, std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(value);
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(FormatNumber(buffer, value), nullptr);
        EXPECT_EQ(buffer[0], '\0');
    }
    EXPECT_STREQ(FormatNumber(buffer, 2.5, " m"), "2.5 m");
    ASSERT_NE(FormatNumber(buffer, 5e250), nullptr);  // 251 digits still fit
    EXPECT_EQ(std::strlen(buffer), 251u);
    EXPECT_EQ(FormatNumber(buffer, 5e250, "0123456789"), nullptr);  // 251 + 10 bytes and the NUL
    EXPECT_NE(FormatNumber(buffer, 5e250, "1234"), nullptr);        // 251 + 4 and the NUL: exactly 256
}

}  // namespace
