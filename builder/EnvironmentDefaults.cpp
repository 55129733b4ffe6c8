// EnvironmentDefaults.cpp - the eight registry defaults (see EnvironmentDefaults.h).
#include "builder/EnvironmentDefaults.h"

#include "builder/WizardParams.h"
#include <cwscene/NumberText.h>

#include <cmath>
#include <cstring>

namespace wizard {

// Order, value name, quantity. Only "1stFloorDefaultHeight" stays in millimetres; the other two
// thicknesses and the wall height become metres through the double 0.001. Sizes are metres already.
const EnvironmentValue kEnvironmentValues[8] = {
    {"1stFloorDefaultHeight", [](const WizardParams& p, double) { return p.m_firstFloorThickness; }},
    {"FloorDefaultHeight", [](const WizardParams& p, double) { return p.m_otherFloorThickness * 0.001; }},
    {"HouseSizeX", [](const WizardParams& p, double) { return p.m_buildingWidth; }},
    {"HouseSizeY", [](const WizardParams& p, double) { return p.m_buildingDepth; }},
    {"LandSizeX", [](const WizardParams& p, double) { return p.m_siteWidth; }},
    {"LandSizeY", [](const WizardParams& p, double) { return p.m_siteDepth; }},
    {"WallDefaultHeight", [](const WizardParams&, double wallHeight) { return wallHeight * 0.001; }},
    {"WallDefaultThickness", [](const WizardParams& p, double) { return p.m_wallThickness * 0.001; }},
};

char* FormatNumber(char* buffer, double value, const char* suffix)
{
    buffer[0] = '\0';
    if (!std::isfinite(value)) return nullptr;

    // The fewest decimals that the floor tests allow. They are strict (a distance of exactly 1e-6
    // goes on) and measure only the distance above the floor, so 2.9999999 ends up with 3 decimals.
    int decimals = 3;
    const double tenths = value * 10.0;
    const double hundredths = value * 100.0;
    if (std::floor(value) == value)
        decimals = 0;
    else if (std::fabs(tenths - std::floor(tenths)) < 1e-6)
        decimals = 1;
    else if (std::fabs(hundredths - std::floor(hundredths)) < 1e-6)
        decimals = 2;

    std::size_t length = numtext::formatFixed(buffer, kNumberTextSize, value, decimals);
    if (length == 0) return nullptr;  // about 1e251 and above: the text would not fit
    if (suffix) {
        std::size_t suffixLength = std::strlen(suffix);
        if (length + suffixLength + 1 > kNumberTextSize) {
            buffer[0] = '\0';
            return nullptr;
        }
        std::memcpy(buffer + length, suffix, suffixLength + 1);
    }
    return buffer;
}

int OpenEnvironmentKey(Registry& registry, RegistryKey parent, const char* subKeyName,
                       RegistryKey* subKey, int parentOpen)
{
    if (parentOpen == 0) return 0;
    if (!registry.createKey(parent, subKeyName, subKey)) return 0;
    return parentOpen;
}

bool SetStringValue(Registry& registry, RegistryKey key, const char* name, const char* text,
                    int open)
{
    if (open == 0) return false;
    auto length = static_cast<std::uint32_t>(std::strlen(text) + 1);  // REG_SZ counts its NUL
    return registry.setStringValue(key, name, text, length);  // a refusal does not stop the next value
}

int ExportEnvironmentDefaults(const WizardParams& params, double wallHeight, Registry& registry)
{
    int taken = 0;
    RegistryKey parent = nullptr;
    int parentOpen = registry.createKey(nullptr, kEnvironmentParentKey, &parent) ? 1 : 0;

    RegistryKey environment = nullptr;
    int environmentOpen = OpenEnvironmentKey(registry, parent, kEnvironmentSubKey, &environment, parentOpen);

    for (const EnvironmentValue& value : kEnvironmentValues) {
        char text[kNumberTextSize];
        // A text that would not fit is left out; the other values are still written.
        if (FormatNumber(text, value.quantity(params, wallHeight)) &&
            SetStringValue(registry, environment, value.name, text, environmentOpen))
            ++taken;
    }

    if (environmentOpen != 0) registry.closeKey(environment);
    if (parentOpen != 0) registry.closeKey(parent);
    return taken;
}

}  // namespace wizard
