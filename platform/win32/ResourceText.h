// ResourceText.h - the program's texts from its string table, with their values filled in.
//
// Win32 layer. The strings are Japanese UTF-16 in the resources (res/wizard.rc); a pattern names its
// values %1 to %9, so that a text can put them in the order its language wants.
#pragma once

#include <initializer_list>
#include <string>

#include <windows.h>  // HINSTANCE, UINT

namespace wizard::platform {

// String `id` of the module's resources; empty when there is none.
std::wstring loadString(HINSTANCE instance, UINT id);

// `pattern` with %1 ... %9 replaced by the values in order; a %n with no value stays as it is.
std::wstring filledIn(const std::wstring& pattern, std::initializer_list<std::wstring> values);

}  // namespace wizard::platform
