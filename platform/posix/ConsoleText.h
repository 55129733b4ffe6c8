// ConsoleText.h - laying out UTF-8 text in a terminal's columns.
//
// POSIX layer: the console dialog and its levels print through these.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace wizard::platform {

// Columns a UTF-8 text takes on a terminal: two for the East Asian wide ranges our texts use (CJK,
// kana, full-width forms), one for everything else.
std::size_t displayWidth(std::string_view utf8);

// Blanks from `used` up to `columns` (none when `used` reaches it).
void pad(std::ostream& out, std::size_t used, std::size_t columns);

// `text`, then blanks up to `columns`; and blanks, then `text`, ending at `columns`.
void leftAligned(std::ostream& out, std::string_view text, std::size_t columns);
void rightAligned(std::ostream& out, std::string_view text, std::size_t columns);

}  // namespace wizard::platform
