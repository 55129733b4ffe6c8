// ShiftJisDetail.h - the halves of include/cwscene/ShiftJis.h that each platform implements.
// Private to the scene library.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cwscene::detail {

// UTF-8 to CP932 as the platform converts it, after ShiftJis.cpp has turned the JIS forms of the six
// differently mapped characters into Microsoft's; nullopt for invalid UTF-8 or a character without a
// code.
std::optional<std::string> cp932FromUtf8(std::string_view utf8);

// CP932 to UTF-8: `valid` is cleared when a byte did not begin a valid character (it became U+FFFD).
std::string utf8FromCp932(std::string_view sjis, bool& valid);

}  // namespace cwscene::detail
