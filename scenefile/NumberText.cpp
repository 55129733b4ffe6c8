// NumberText.cpp - locale- and runtime-independent number text (see NumberText.h).
#include "scenefile/NumberText.h"

#include <charconv>      // to_chars, from_chars
#include <cmath>         // isnan, isinf, signbit
#include <cstring>       // memcpy
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

}  // namespace numtext
