/// \file
/// Every number that becomes text, and every text that becomes a number, passes here.
///
/// Portable: standard C++ only. Used by the scene file's text encoding, the registry defaults and the
/// dialogs. The output never depends on the C locale ('.' is always the decimal point) nor on the C
/// runtime: the conversions are std::to_chars / std::from_chars, so the Linux and the Windows build
/// produce the same bytes. Every formatter writes into a bounded buffer, always terminates it, and
/// refuses (returns 0) a value whose text would not fit instead of overrunning.
///
/// The texts are those of the host application's runtime (MSVCRT), whose files and settings these
/// texts sit beside. Two rules differ from to_chars, and are applied here:
///   - a value exactly halfway between two texts rounds away from zero: `"%.3f"` of 0.0625 is "0.063",
///     `"%.0f"` of 2.5 is "3", `"%f"` of 1/128 is "0.007813" (a value not exactly halfway rounds to
///     nearest: 2.35 is not the binary 2.35, and `"%.1f"` gives "2.4");
///   - exponents have at least three digits: `"%g"` of 1e20 is "1e+020".
#pragma once

#include <cwscene/Export.h>

#include <cstddef>  // size_t
#include <optional>
#include <string>
#include <string_view>

/// Numbers as text and back, the same on every platform and in every locale.
namespace numtext {

/// Largest text any formatter here produces for a float widened to double in fixed notation with six
/// decimals: sign, 39 integer digits of FLT_MAX, point, six decimals, NUL.
inline constexpr std::size_t kFloatFixedMax = 48;

/// Formats `value` in fixed notation with `decimals` (0 or more) digits after the point (like `"%.*f"`), rounded to
/// nearest, an exact tie away from zero. Returns the text length, or 0 when the text and its NUL do not
/// fit into `size` bytes (the buffer then holds an empty string). NaN and infinities print as "nan", "-nan", "inf", "-inf".
CWSCENE_API std::size_t formatFixed(char* buffer, std::size_t size, double value, int decimals);

/// formatFixed(buffer, size, value, 6) for a float: the text encoding's `"%f"` of a float widened to
/// double, and its hottest conversion. Same text, computed with integer arithmetic when it can be:
/// a float's 24-bit mantissa times 10^6 (2^6 times a 14-bit 15625) fits a double exactly, so the
/// scaled value rounds to an integer exactly as the decimal conversion would.
CWSCENE_API std::size_t formatFloatFixed6(char* buffer, std::size_t size, float value);

/// Formats `value` like `"%.<significant>g"` (general notation, trailing zeros removed, ties away from
/// zero, at least three exponent digits): 400, 12.5, 1e+020, 1.5e-007. Returns the text length, or 0
/// when it does not fit, as formatFixed does.
CWSCENE_API std::size_t formatGeneral(char* buffer, std::size_t size, double value, int significant = 15);

/// Formats a signed integer in decimal (`"%d"`). Returns the text length, or 0 when it does not fit,
/// as formatFixed does.
CWSCENE_API std::size_t formatInt(char* buffer, std::size_t size, long long value);

/// Convenience for callers that want a std::string (the console dialog, tests): formatGeneral's text.
CWSCENE_API std::string general(double value, int significant = 15);

/// Parses a decimal floating-point number as the dialogs accept it: blanks (space, tab) around it are
/// allowed, an optional sign, digits with an optional '.' fraction, an optional exponent. Refused
/// (nullopt): empty text, anything left over, "nan", "inf", hexadecimal, and values that overflow a
/// double. Values that underflow parse as the nearest representable number (0 or a subnormal).
CWSCENE_API std::optional<double> parseDecimal(std::string_view text);

/// The scene file reader's fixed-notation parser: an optional '-', digits, and optionally '.' and
/// digits (formatFixed's form), or one of the spellings formatFixed gives non-finite values ("nan",
/// "-nan", "inf", "-inf"). No blanks, no '+', no exponent; nullopt for anything else. It takes back
/// exactly what the formatters above write, and nothing looser, so that a text scene file has one
/// spelling per value.
CWSCENE_API std::optional<double> parseFixed(std::string_view text);

}  // namespace numtext
