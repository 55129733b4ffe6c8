// TextOutput.h - how cwstool spells values for people: floats, names, XML text.
// Tool layer; numbers go through cwscene/NumberText.h like everywhere else.
#pragma once

#include <string>
#include <string_view>

namespace cwstool {

// The shortest decimal text (at most nine significant digits) that reads back as the same float:
// 0.1f gives "0.1", 2900.0f "2900", 1e-7f "1e-07". NaN and infinities as "nan", "inf", "-inf".
std::string floatText(float value);
// The same text, appended to `out`. A float that is a decimal of at most six significant digits and
// three decimals (100, 148.5, -0.25) is written without a trial conversion.
void appendFloatText(std::string& out, float value);

// A Shift-JIS name as a double-quoted UTF-8 text; '"', '\', CR, LF and other control bytes escaped
// ("\r", "\n", "\x01") so that one name stays on one line.
std::string quotedName(std::string_view sjis);

// UTF-8 text with '&', '<', '>', '"' escaped for XML, and control characters other than tab dropped.
// Bytes that are not UTF-8 (a file name in another encoding), and characters XML cannot hold, each
// become U+FFFD, so the output is well-formed and the damage stays visible.
std::string xmlEscape(std::string_view utf8);

}  // namespace cwstool
