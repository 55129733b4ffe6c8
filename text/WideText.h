// WideText.h - conversions between the UTF-16 of the Windows "W" API and the UTF-8 of the core.
//
// Text library, for the Windows programs (the wizard and cwstool.exe), but standard C++ only (wchar_t
// is UTF-16 on Windows), so the conversions are plain functions that tests can feed any code unit
// sequence.
#pragma once

#include <string>
#include <string_view>

namespace wizard::platform {

// UTF-16 to UTF-8. An unpaired surrogate (which Windows allows in file names and command lines) is
// kept in its three-byte generalised form (ED A0 80 .. ED BF BF). That form is not valid UTF-8, so
// the core's file functions refuse such a path instead of opening a different file: a damaged
// parameter keeps its place on the command line but never names a file.
std::string utf8FromWide(std::wstring_view wide);

// UTF-8 to UTF-16, for texts shown in windows. A malformed sequence becomes U+FFFD.
std::wstring wideFromUtf8(std::string_view utf8);

}  // namespace wizard::platform
