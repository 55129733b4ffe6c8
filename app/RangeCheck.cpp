// RangeCheck.cpp - values beyond what the files can hold (see RangeCheck.h).
#include "app/RangeCheck.h"

#include "app/DialogFields.h"  // kTabOrder: the rows and their units
#include "builder/EnvironmentDefaults.h"
#include "builder/SplitLevelGeometry.h"
#include "builder/WizardParams.h"

#include <array>
#include <cfloat>  // FLT_MAX
#include <cmath>   // isfinite, fabs
#include <string_view>

namespace wizard {

namespace {

// A scene value that a 32-bit float holds: finite and no larger than FLT_MAX once rounded to it.
bool fitsFloat(double value) { return std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX); }

}  // namespace

std::vector<RangeWarning> rangeWarnings(const WizardParams& params)
{
    using Kind = RangeWarning::Kind;
    std::vector<RangeWarning> warnings;
    bool rowOutOfRange = false;
    for (std::size_t i = 0; i < kTabOrder.size(); ++i) {
        const DialogField& field = kTabOrder[i];
        const double value = params.*field.member;
        const double millimetres = std::string_view(field.unit) == "mm" ? value : value * 1000.0;  // or metres
        if (fitsFloat(millimetres)) continue;
        rowOutOfRange = true;
        warnings.push_back(RangeWarning{Kind::RowBeyondFloat, i, 0, value, nullptr});
    }

    // Values within range each, but not together: a sum of large heights.
    if (!rowOutOfRange) {
        const SplitLevelGeometry geometry = computeGeometry(params);
        const std::array<double, kFrameCount> heights = accumulatedHeights(geometry);
        for (int n = 0; n < kFrameCount; ++n) {
            if (fitsFloat(geometry.frameOffsets[n]) && fitsFloat(heights[n])) continue;
            warnings.push_back(RangeWarning{Kind::FrameBeyondFloat, 0, n + 1, heights[n], nullptr});
            break;  // the frames below it follow from it
        }
        if (!fitsFloat(geometry.wallHeight))
            warnings.push_back(RangeWarning{Kind::WallHeightBeyondFloat, 0, 0, geometry.wallHeight, nullptr});
    }

    // A registry text of more than 255 characters is not written; the value keeps what it held.
    const double wallHeight = computeGeometry(params).wallHeight;
    for (const EnvironmentValue& value : kEnvironmentValues) {
        char text[kNumberTextSize];
        if (!FormatNumber(text, value.quantity(params, wallHeight)))
            warnings.push_back(RangeWarning{Kind::RegistryTextTooLong, 0, 0, 0.0, value.name});
    }
    return warnings;
}

}  // namespace wizard
