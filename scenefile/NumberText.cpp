// NumberText.cpp - locale- and runtime-independent number text (see NumberText.h).
#include <cwscene/NumberText.h>

#include <cassert>
#include <charconv>      // to_chars, from_chars
#include <cmath>         // isnan, isinf, signbit, frexp, ldexp
#include <cstdint>       // uint64_t
#include <cstring>       // memcpy, memchr, memmove
#include <limits>        // quiet_NaN, infinity
#include <string>
#include <system_error>  // errc

namespace numtext {

namespace {

// Writes one of the fixed spellings of a non-finite value; 0 when it does not fit.
std::size_t putSpecial(char* buffer, std::size_t size, double value)
{
    const char* text = std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan")
                                         : (std::signbit(value) ? "-inf" : "inf");
    std::size_t length = std::strlen(text);
    if (length + 1 > size) {
        if (size > 0) buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, text, length + 1);
    return length;
}

// Terminates a to_chars result, or empties the buffer when the text plus its NUL does not fit.
std::size_t finish(char* buffer, std::size_t size, std::to_chars_result result)
{
    if (result.ec != std::errc() || result.ptr >= buffer + size) {
        if (size > 0) buffer[0] = '\0';
        return 0;
    }
    *result.ptr = '\0';
    return static_cast<std::size_t>(result.ptr - buffer);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// True when the finite `value` lies exactly halfway between two neighbours of the grid 10^-places
// (places may be negative: 10^2 for -2). The runtime whose output we reproduce rounds those ties away
// from zero, where to_chars rounds them to even; every other value rounds to nearest in both.
//
// Write value = odd * 2^p. With places >= 0, value * 10^places = odd * 5^places * 2^(p + places) has
// the fraction .5 exactly when p + places = -1, since odd * 5^places is odd. With places = -k < 0,
// value / 10^k is an integer and a half exactly when p = k - 1 and 5^k divides odd.
bool isExactTie(double value, int places)
{
    if (value == 0.0) return false;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);     // [0.5, 1) * 2^exponent
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));  // exact: 53 bits
    int p = exponent - 53;
    while ((mantissa & 1u) == 0) {
        mantissa >>= 1;
        ++p;
    }
    if (places >= 0) return p == -places - 1;
    const int k = -places;
    if (p != k - 1 || k > 22) return false;  // 5^23 exceeds any 53-bit odd part
    std::uint64_t power = 1;
    for (int i = 0; i < k; ++i) power *= 5;
    return mantissa % power == 0;
}

// Rounding a tie away from zero happens on its decimal digits, which are exact: a tie ends in a 5
// right after the last digit kept, so to_chars with one digit more writes its exact value. (Moving
// the value one double away from zero instead would overshoot where a double's step is coarser than
// half the last digit: 2222222222222222.25 would print with 17 digits as ...222.5.)

// Adds one unit in the last digit of the decimal text [first, last), digits and at most one '.',
// carrying to the left. True when the carry runs past the first digit: "99.9" became "00.0".
bool carryOne(char* first, char* last)
{
    for (char* p = last; p-- != first;) {
        if (*p == '.') continue;
        if (*p != '9') {
            ++*p;
            return false;
        }
        *p = '0';
    }
    return true;
}

// formatFixed of a tie: the exact text with one decimal more, its last digit (the 5) dropped and one
// carried into the digits before it ("0.0625" -> "0.063", "-99.5" -> "-100").
std::size_t fixedTie(char* buffer, std::size_t size, double value, int decimals)
{
    std::size_t length = finish(buffer, size,
                                std::to_chars(buffer, buffer + size - 1, value, std::chars_format::fixed, decimals + 1));
    if (length == 0) return 0;
    length -= decimals == 0 ? 2 : 1;  // the 5, and with no decimals the point before it
    char* digits = buffer + (buffer[0] == '-' ? 1 : 0);
    if (carryOne(digits, buffer + length)) {
        if (length + 2 > size) {
            buffer[0] = '\0';
            return 0;
        }
        std::memmove(digits + 1, digits, static_cast<std::size_t>(buffer + length - digits));
        *digits = '1';
        ++length;
    }
    buffer[length] = '\0';
    return length;
}

// formatGeneral of a tie: the exact digits in scientific notation with one digit more, rounded as
// fixedTie rounds them, then set out as "%g" sets out `significant` digits with exponent x: in
// scientific notation when x < -4 or x >= significant, else in fixed notation; trailing zeros and a
// trailing point dropped, the exponent with a sign and at least two digits (widened later).
std::size_t generalTie(char* buffer, std::size_t size, double value, int significant)
{
    char exact[64];  // "-d.<significant digits>e-308"
    const std::to_chars_result scientific =
        std::to_chars(exact, exact + sizeof exact, value, std::chars_format::scientific, significant);
    if (scientific.ec != std::errc()) {  // more digits than any caller asks for
        buffer[0] = '\0';
        return 0;
    }
    const bool negative = exact[0] == '-';
    const char* e = static_cast<const char*>(std::memchr(exact, 'e', static_cast<std::size_t>(scientific.ptr - exact)));
    int exponent = 0;
    if (e) std::from_chars(e + (e[1] == '+' ? 2 : 1), scientific.ptr, exponent);
    // The `significant` digits kept, without the point: d.ddd5 -> dddd, plus the carry.
    char digits[48] = {};
    std::size_t count = 0;
    for (const char* p = exact + (negative ? 1 : 0); e && p < e; ++p) {
        if (*p != '.') digits[count++] = *p;
    }
    if (count < 2) {  // never: a tie has the digit kept and the 5 after it
        buffer[0] = '\0';
        return 0;
    }
    --count;  // the 5
    if (carryOne(digits, digits + count)) {
        digits[0] = '1';  // 9.99 -> 10.0: one digit, then zeros, an order of magnitude up
        ++exponent;
    }
    const bool useScientific = exponent < -4 || exponent >= significant;
    // How many of the digits stand before the point: one in scientific notation, none below 1.
    const std::size_t point = useScientific ? 1 : exponent < 0 ? 0 : static_cast<std::size_t>(exponent) + 1;
    std::size_t used = count;
    while (used > point && digits[used - 1] == '0') --used;  // "%g" drops trailing zeros of the fraction
    std::string text = negative ? "-" : "";
    if (point == 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');  // exponent < 0 here
        text.append(digits, used);
    } else {
        text.append(digits, point);
        if (used > point) text.append(".").append(digits + point, used - point);
    }
    if (useScientific) {
        const int magnitude = exponent < 0 ? -exponent : exponent;
        text += exponent < 0 ? "e-" : "e+";
        if (magnitude < 10) text += '0';
        text += std::to_string(magnitude);
    }
    if (text.size() + 1 > size) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return text.size();
}

// Widens the exponent of a general-format text to at least three digits ("1e+20" -> "1e+020"), as
// the target runtime prints it. Returns the new length, or 0 (buffer emptied) when it does not fit.
std::size_t widenExponent(char* buffer, std::size_t size, std::size_t length)
{
    if (length == 0) return 0;
    char* e = static_cast<char*>(std::memchr(buffer, 'e', length));
    if (!e) return length;
    char* digits = e + 2;  // after the sign, which to_chars always writes
    const std::size_t count = static_cast<std::size_t>(buffer + length - digits);
    if (count >= 3) return length;
    const std::size_t pad = 3 - count;
    if (length + pad + 1 > size) {
        buffer[0] = '\0';
        return 0;
    }
    std::memmove(digits + pad, digits, count + 1);  // the digits and the NUL
    std::memset(digits, '0', pad);
    return length + pad;
}

}  // namespace

std::size_t formatFixed(char* buffer, std::size_t size, double value, int decimals)
{
    assert(decimals >= 0 && "formatFixed counts decimals after the point: 0 or more");
    if (size == 0) return 0;
    if (!std::isfinite(value)) return putSpecial(buffer, size, value);
    if (isExactTie(value, decimals)) return fixedTie(buffer, size, value, decimals);
    // Leave room for the NUL: to_chars must not use the last byte.
    return finish(buffer, size,
                  std::to_chars(buffer, buffer + size - 1, value, std::chars_format::fixed, decimals));
}

std::size_t formatFloatFixed6(char* buffer, std::size_t size, float value)
{
    const double widened = static_cast<double>(value);
    const double scaled = widened * 1e6;  // exact: see the header
    // Beyond 2^62 the integer path would overflow; NaN and infinities have their own spellings.
    if (!(std::fabs(scaled) < 4.6e18)) return formatFixed(buffer, size, widened, 6);

    // Round to nearest on the exact value, an exact half away from zero (formatFixed's rule).
    unsigned long long units = static_cast<unsigned long long>(std::round(std::fabs(scaled)));
    char digits[24];  // the digits of `units`, least significant first, at least seven of them
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units != 0 || count < 7);

    const std::size_t length = (std::signbit(widened) ? 1 : 0) + count + 1;  // sign, digits, point
    if (length + 1 > size) {
        if (size > 0) buffer[0] = '\0';
        return 0;
    }
    char* out = buffer;
    if (std::signbit(widened)) *out++ = '-';  // "-0.000000" for -0.0 and tiny negatives, like "%f"
    for (std::size_t i = count; i-- > 0;) {
        *out++ = digits[i];
        if (i == 6) *out++ = '.';
    }
    *out = '\0';
    return length;
}

std::size_t formatGeneral(char* buffer, std::size_t size, double value, int significant)
{
    if (size == 0) return 0;
    if (!std::isfinite(value)) return putSpecial(buffer, size, value);
    if (significant < 1) significant = 1;  // "%.0g" means one significant digit
    // The decimal exponent of the value itself: its shortest form names it (a double below a power
    // of ten never prints as that power), and it decides where the digits are rounded.
    char shortest[32];
    std::to_chars_result exact = std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific);
    const char* e = static_cast<const char*>(std::memchr(shortest, 'e', static_cast<std::size_t>(exact.ptr - shortest)));
    int decimalExponent = 0;
    if (e) std::from_chars(e + (e[1] == '+' ? 2 : 1), exact.ptr, decimalExponent);
    if (isExactTie(value, significant - 1 - decimalExponent))
        return widenExponent(buffer, size, generalTie(buffer, size, value, significant));
    std::size_t length = finish(
        buffer, size, std::to_chars(buffer, buffer + size - 1, value, std::chars_format::general, significant));
    return widenExponent(buffer, size, length);
}

std::size_t formatInt(char* buffer, std::size_t size, long long value)
{
    if (size == 0) return 0;
    return finish(buffer, size, std::to_chars(buffer, buffer + size - 1, value));
}

std::string general(double value, int significant)
{
    char buffer[64];
    std::size_t length = formatGeneral(buffer, sizeof buffer, value, significant);
    return std::string(buffer, length);
}

std::optional<double> parseDecimal(std::string_view text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    std::string_view body = text.substr(first, last - first);
    if (body.empty()) return std::nullopt;

    // from_chars accepts neither a leading '+' nor blanks; it does accept "nan" and "inf", which we refuse.
    bool negative = false;
    if (body.front() == '+' || body.front() == '-') {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (body.empty() || !(body.front() == '.' || (body.front() >= '0' && body.front() <= '9')))
        return std::nullopt;

    double value = 0.0;
    std::from_chars_result result =
        std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
    if (result.ptr != body.data() + body.size()) return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars reports overflow and underflow alike and leaves `value` alone. A negative
        // exponent means underflow, which reads as zero; anything else overflowed and is refused.
        std::string_view::size_type e = body.find_first_of("eE");
        bool negativeExponent = e != std::string_view::npos && e + 1 < body.size() && body[e + 1] == '-';
        if (!negativeExponent) return std::nullopt;
        value = 0.0;
    } else if (result.ec != std::errc()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> parseFixed(std::string_view text)
{
    if (text == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (text == "-nan") return -std::numeric_limits<double>::quiet_NaN();
    if (text == "inf") return std::numeric_limits<double>::infinity();
    if (text == "-inf") return -std::numeric_limits<double>::infinity();

    std::string_view body = text;
    bool negative = !body.empty() && body.front() == '-';
    if (negative) body.remove_prefix(1);
    // Digits, then optionally a point followed by at least one digit.
    std::size_t point = body.find('.');
    std::string_view whole = body.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    auto allDigits = [](std::string_view part) {
        for (char c : part) {
            if (c < '0' || c > '9') return false;
        }
        return true;
    };
    if (whole.empty() || !allDigits(whole)) return std::nullopt;
    if (point != std::string_view::npos && (fraction.empty() || !allDigits(fraction))) return std::nullopt;

    double value = 0.0;
    std::from_chars_result result =
        std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::fixed);
    if (result.ptr != body.data() + body.size()) return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        // Without an exponent, out of range is either more than a double holds (refused) or a
        // fraction so small that it underflows (a whole part of zeros): that reads as zero.
        if (whole.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
        value = 0.0;
    } else if (result.ec != std::errc()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace numtext
