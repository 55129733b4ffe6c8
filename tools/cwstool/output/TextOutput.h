// TextOutput.h - how cwstool spells values for people: floats, names, paths, XML text.
// Tool layer; numbers go through cwscene/NumberText.h like everywhere else.
#pragma once

#include <string>
#include <string_view>

#include <cwscene/SceneRecords.h>

namespace cwstool {

// The shortest decimal text (at most nine significant digits) that reads back as the same float:
// 0.1f gives "0.1", 2900.0f "2900", 1e-7f "1e-07". NaN and infinities as "nan", "inf", "-inf".
std::string floatText(float value);
// The same text, appended to `out`. A float that is a decimal of at most six significant digits and
// three decimals (100, 148.5, -0.25) is written without a trial conversion.
void appendFloatText(std::string& out, float value);

// The shortest decimal text (at most 17 significant digits) that reads back as the same double, for
// values cwstool computes, such as a frame's height above the root: 10510, 0.30000000447034836.
// NaN and infinities as floatText spells them.
void appendDoubleText(std::string& out, double value);
std::string doubleText(double value);

// The same texts into `buffer`, which has room for kNumberChars characters, for output that is not
// a std::string: the number of characters written (no NUL). kNumberChars holds the longest, a
// double's 17 digits with its sign, point and exponent.
inline constexpr std::size_t kNumberChars = 32;
std::size_t floatChars(char* buffer, float value);
std::size_t doubleChars(char* buffer, double value);

// A Shift-JIS name as a double-quoted UTF-8 text; '"', '\', CR, LF and other control bytes escaped
// ("\r", "\n", "\x01") so that one name stays on one line.
std::string quotedName(std::string_view sjis);

// A frame's path on one line: the names from the root down (FrameRecord::parent), each escaped as
// quotedName escapes it and with '/' written "\/", joined by '/' and double-quoted:
// "エクステリア/4階屋根". `leaf` (Shift-JIS), when not empty, is appended as one more element: a
// shape's name.
std::string framePath(const scenefile::FrameRecord& frame, std::string_view leaf = {});

// The length of the well-formed UTF-8 character at the start of `text`, and its code point in
// `*codePoint` when given; 0 for a byte that starts none (an overlong form, a surrogate, a value above
// U+10FFFF, a sequence cut short).
std::size_t utf8CharLength(std::string_view text, unsigned long* codePoint = nullptr);

// UTF-8 text with '&', '<', '>', '"' escaped for XML, and control characters other than tab dropped.
// Bytes that are not UTF-8 (a file name in another encoding), and characters XML cannot hold, each
// become U+FFFD, so the output is well-formed and the damage stays visible.
std::string xmlEscape(std::string_view utf8);

}  // namespace cwstool
