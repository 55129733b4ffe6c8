// SjisToUtf8.h - Shift-JIS (code page 932) bytes to UTF-8, for showing scene names on a terminal or in
// an SVG. Tool layer: SjisToUtf8Posix.cpp (the platform layer's iconv converter) or SjisToUtf8Win32.cpp.
#pragma once

#include <string>
#include <string_view>

namespace cwstool {

// The UTF-8 text of `sjis`. A byte that does not start a valid CP932 character comes out as U+FFFD
// and the conversion goes on with the next byte, so a damaged name still shows what it can.
std::string sjisToUtf8(std::string_view sjis);

}  // namespace cwstool
