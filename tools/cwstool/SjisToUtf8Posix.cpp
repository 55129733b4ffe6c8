// SjisToUtf8Posix.cpp - CP932 to UTF-8 on POSIX: the platform layer's converter (iconv), which the
// console wizard uses for the same names.
#include "tools/cwstool/SjisToUtf8.h"

#include "platform/posix/SjisText.h"

namespace cwstool {

std::string sjisToUtf8(std::string_view sjis) { return platform::utf8FromSjis(sjis); }

}  // namespace cwstool
