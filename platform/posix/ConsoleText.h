// ConsoleText.h - laying out UTF-8 text in a terminal's columns, and filling in message patterns.
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

// vsnprintf of `pattern` into a string; every argument a C string. Use filledIn.
std::string printedText(const char* pattern, ...);
inline const char* cString(const std::string& text) { return text.c_str(); }
inline const char* cString(const char* text) { return text; }

// A message pattern with its "%s" (or positional "%1$s", which a translation may reorder) filled in
// with the texts given, as printf does.
template <typename... Texts>
std::string filledIn(const char* pattern, const Texts&... texts)
{
    return printedText(pattern, cString(texts)...);
}

}  // namespace wizard::platform
