// SjisText.h - Shift-JIS (code page 932) to UTF-8, for showing the scene's frame names on the console.
//
// POSIX layer: the C library's iconv (glibc knows CP932 with its Microsoft extensions).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The UTF-8 text of `sjis`. A byte that does not start a valid CP932 character comes out as U+FFFD and
// the conversion goes on with the next byte.
std::string utf8FromSjis(std::string_view sjis);

}  // namespace platform
