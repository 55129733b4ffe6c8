/// \file
/// Names between Shift-JIS, as the scene file holds them, and UTF-8, as programs and terminals use it.
///
/// Portable interface; CMake picks the implementation: iconv's CP932 on POSIX (ShiftJisPosix.cpp), the
/// code page API on Windows (ShiftJisWin32.cpp). Both follow code page 932, Microsoft's Shift-JIS, as
/// the host application reads it.
///
/// ~~~{.cpp}
/// std::optional<std::string> name = cwscene::fromUtf8("1階");  // 31 8A 4B
/// if (name) frame.SetName(name->c_str());
/// std::cout << cwscene::toUtf8(frame.GetName()) << "\n";
/// ~~~
#pragma once

#include <cwscene/Export.h>

#include <optional>
#include <string>
#include <string_view>

/// Text conversions of the scene library.
namespace cwscene {

/// The UTF-8 text of Shift-JIS (CP932) bytes. A byte that does not begin a valid character comes out
/// as U+FFFD and the conversion goes on with the next byte, so a damaged name still shows what it can.
CWSCENE_API std::string toUtf8(std::string_view sjis);

/// The Shift-JIS (CP932) bytes of a UTF-8 text, or nullopt when the text is not valid UTF-8 or holds a
/// character that code page 932 has no code for (an emoji, a Latin letter with an accent). The six
/// characters that JIS and Microsoft's tables map differently (〜 ‖ − ¢ £ ¬) are taken as the ones
/// code page 932 has (～ ∥ － ￠ ￡ ￢), as a Japanese input method on another system types them.
CWSCENE_API std::optional<std::string> fromUtf8(std::string_view utf8);

/// True when `sjis` is a whole CP932 text: every lead byte followed by its trail byte, every code
/// defined. toUtf8 of such a text holds no U+FFFD of its own making.
CWSCENE_API bool isShiftJis(std::string_view sjis);

}  // namespace cwscene
