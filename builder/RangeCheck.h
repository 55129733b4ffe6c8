// RangeCheck.h - what a person should be told before dimensions this large reach the files: a value
// that the scene file's 32-bit numbers cannot hold, or that the registry cannot take as text.
//
// Portable. Nothing here refuses anything: the dialog enforces no range, and the files are written as
// they always are (an out-of-range float becomes infinite, a registry text that does not fit is left
// out and the old value stays). The console shows these lines so that a user sees it coming.
#pragma once

#include <string>
#include <vector>

struct WizardParams;

// One line per problem, in English, each naming the row (number and label, as the console shows the
// form) whose value causes it; a quantity that only the rows together push out of range names the
// frame or value instead. Empty when every value fits.
std::vector<std::string> rangeWarnings(const WizardParams& params);
