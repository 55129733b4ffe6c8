// NumberText.cpp - locale- and runtime-independent number text (see NumberText.h).
#include "scenefile/NumberText.h"

#include <charconv>      // to_chars, from_chars
#include <cmath>         // isnan, isinf, signbit
#include <cstring>       // memcpy
#include <limits>        // quiet_NaN, infinity
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

}  // namespace

std::size_t formatFixed(char* buffer, std::size_t size, double value, int decimals)
{
    if (size == 0) return 0;
    if (!std::isfinite(value)) return putSpecial(buffer, size, value);
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

    // Round half to even on the exact value, as the decimal conversion does.
    unsigned long long units = static_cast<unsigned long long>(std::fabs(std::nearbyint(scaled)));
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
    return finish(buffer, size,
                  std::to_chars(buffer, buffer + size - 1, value, std::chars_format::general, significant));
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

std::optional<long long> parseInteger(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    long long value = 0;
    std::from_chars_result result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
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
