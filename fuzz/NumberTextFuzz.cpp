// NumberTextFuzz.cpp - fuzz target for the number text module: the dialog's parseDecimal on any text,
// then the formatters on every value it accepts.
//
// Properties: an accepted value is finite; its 17-digit general form parses back to the same double;
// a fixed form either fits the buffer terminated or reports 0 with an empty buffer.
#include "fuzz/FuzzTargets.h"
#include <cwscene/NumberText.h>

#include <cmath>    // isfinite
#include <cstring>  // strlen
#include <string_view>

namespace fuzz {

int numberText(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<double> value = numtext::parseDecimal(text);
    if (!value) return 0;
    require(std::isfinite(*value), "parseDecimal accepted a non-finite value");

    char general[64];
    std::size_t length = numtext::formatGeneral(general, sizeof general, *value, 17);
    require(length > 0 && length == std::strlen(general), "formatGeneral refused a finite value");
    std::optional<double> again = numtext::parseDecimal(std::string_view(general, length));
    require(again.has_value(), "parseDecimal refused the 17-digit form of a value it accepted");
    require(*again == *value, "the 17-digit form did not parse back to the same value");

    char fixed[64];  // too small for large magnitudes on purpose: the refusal path must hold too
    length = numtext::formatFixed(fixed, sizeof fixed, *value, 6);
    require(length == std::strlen(fixed), "formatFixed returned a length other than the text's");
    require(length < sizeof fixed, "formatFixed overran its buffer");
    if (length > 0) {
        std::optional<double> fromFixed = numtext::parseDecimal(std::string_view(fixed, length));
        require(fromFixed.has_value(), "parseDecimal refused a six-decimal form");
    }
    return 0;
}

}  // namespace fuzz
