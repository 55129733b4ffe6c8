// RangeCheck.h - what a person should be told before dimensions this large reach the files: a value
// that the scene file's 32-bit numbers cannot hold, or that the registry cannot take as text.
//
// Shell layer, portable: the rows are the dialog's (app/DialogFields.h), the quantities they give the
// builder's (the frames of builder/SplitLevelGeometry, the values of builder/EnvironmentDefaults).
// Nothing here refuses anything: the dialog enforces no range, and the files are written as they
// always are (an out-of-range float becomes infinite, a registry text that does not fit is left out
// and the old value stays). The console tells the user before OK writes, so that it comes as no
// surprise.
#pragma once

#include <cstddef>
#include <vector>

namespace wizard {

struct WizardParams;

struct RangeWarning {
    enum class Kind {
        RowBeyondFloat,       // a row's value, in mm, is beyond a 32-bit float: `row`, `value` (in its unit)
        FrameBeyondFloat,     // the rows together put a frame beyond it: `frame`, `value` its height in mm
        WallHeightBeyondFloat,  // the wall height: `value` in mm
        RegistryTextTooLong,  // a registry value's text does not fit: `registryName`
    };
    Kind kind;
    std::size_t row = 0;              // as a kTabOrder index (the console's row number − 1)
    int frame = 0;                    // the frame's part number
    double value = 0.0;
    const char* registryName = nullptr;
};

// What a person should be told, one entry per problem: each row whose value causes one; a quantity
// that only the rows together push out of range by its frame or value; each registry value that will
// not be written. Empty when every value fits. The front ends say it in their words.
std::vector<RangeWarning> rangeWarnings(const WizardParams& params);

}  // namespace wizard
