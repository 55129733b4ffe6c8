// EnvironmentDefaults.cpp - the eight registry defaults (see EnvironmentDefaults.h).
#include "builder/EnvironmentDefaults.h"

#include "builder/WizardParams.h"
#include <cwscene/NumberText.h>

#include <cmath>
#include <cstring>
#include <utility>  // move

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

RegistryExport ExportEnvironmentDefaults(const WizardParams& params, double wallHeight, Registry& registry)
{
    RegistryExport result;
    RegistryKey parent = nullptr;
    result.outcome = registry.createKey(nullptr, kEnvironmentParentKey, &parent);
    if (!result.outcome) return result;

    RegistryKey environment = nullptr;
    result.outcome = registry.createKey(parent, kEnvironmentSubKey, &environment);
    if (result.outcome) {
        for (const EnvironmentValue& value : kEnvironmentValues) {
            char text[kNumberTextSize];
            // A text that would not fit is left out, and so is a value the registry refuses; the
            // other values are still written.
            if (!FormatNumber(text, value.quantity(params, wallHeight))) continue;
            const auto length = static_cast<std::uint32_t>(std::strlen(text) + 1);  // REG_SZ counts its NUL
            if (registry.setStringValue(environment, value.name, text, length)) ++result.valuesSet;
        }
        result.outcome = registry.closeKey(environment);
    }
    // The parent is closed in any case; its close is the outcome unless something failed before it.
    RegistryOutcome closed = registry.closeKey(parent);
    if (result.outcome) result.outcome = std::move(closed);
    return result;
}

}  // namespace wizard
