// RangeCheck.cpp - values beyond what the files can hold (see RangeCheck.h).
#include "builder/RangeCheck.h"

#include "app/DialogExchange.h"  // fieldLabel
#include "builder/EnvironmentDefaults.h"
#include "builder/SplitLevelGeometry.h"
#include <cwscene/NumberText.h>

#include <cfloat>  // FLT_MAX
#include <cmath>   // isfinite, fabs
#include <string_view>

namespace {

// A scene value that a 32-bit float holds: finite and no larger than FLT_MAX once rounded to it.
bool fitsFloat(double value) { return std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX); }

std::string rowName(std::size_t tabIndex)
{
    return "row " + std::to_string(tabIndex + 1) + " (" + fieldLabel(tabIndex) + ")";
}

}  // namespace

std::vector<std::string> rangeWarnings(const WizardParams& params)
{
    std::vector<std::string> warnings;
    bool rowOutOfRange = false;
    for (std::size_t i = 0; i < kTabOrder.size(); ++i) {
        const DialogField& field = kTabOrder[i];
        const double value = params.*field.member;
        const double millimetres = std::string_view(field.unit) == "mm" ? value : value * 1000.0;  // or metres
        if (fitsFloat(millimetres)) continue;
        rowOutOfRange = true;
        warnings.push_back(rowName(i) + ": " + numtext::general(value) + " " + field.unit +
                           " is beyond the range of the scene file's 32-bit numbers; the scene gets infinite values");
    }

    // Values within range each, but not together: a sum of large heights.
    if (!rowOutOfRange) {
        const SplitLevelGeometry geometry = computeGeometry(params);
        const std::array<double, kFrameCount> heights = accumulatedHeights(geometry);
        for (int n = 0; n < kFrameCount; ++n) {
            if (fitsFloat(geometry.frameOffsets[n]) && fitsFloat(heights[n])) continue;
            warnings.push_back("frame " + std::to_string(n + 1) + ": the rows together put it at " +
                               numtext::general(heights[n]) + " mm, beyond the range of the scene file's 32-bit numbers");
            break;  // the frames below it follow from it
        }
        if (!fitsFloat(geometry.wallHeight))
            warnings.push_back("the wall height " + numtext::general(geometry.wallHeight) +
                               " mm is beyond the range of the scene file's 32-bit numbers");
    }

    // A registry text of more than 255 characters is not written; the value keeps what it held.
    const double wallHeight = computeGeometry(params).wallHeight;
    for (const EnvironmentValue& value : kEnvironmentValues) {
        char text[kNumberTextSize];
        if (!FormatNumber(text, value.quantity(params, wallHeight)))
            warnings.push_back(std::string("registry value ") + value.name +
                               " is not written (its number does not fit a registry text); an earlier value stays");
    }
    return warnings;
}
