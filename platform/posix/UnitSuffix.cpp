// UnitSuffix.cpp - a typed unit converted into the row's (see UnitSuffix.h).
#include "platform/posix/UnitSuffix.h"

#include "app/DialogExchange.h"  // parseFieldText
#include "app/DialogFields.h"
#include <cwscene/NumberText.h>

#include <cmath>     // isfinite
#include <optional>

namespace wizard::platform {

namespace {

// The units a designer types, longest first so that "mm" is not read as "m" after an "m".
struct TypedUnit {
    const char* text;  // UTF-8
    bool metres;
};
constexpr TypedUnit kTypedUnits[] = {
    {"mm", false}, {"\xEF\xBD\x8D\xEF\xBD\x8D", false},  // ｍｍ
    {"m", true},   {"\xEF\xBD\x8D", true},               // ｍ
};

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string inRowUnit(std::string_view text, std::size_t tabIndex)
{
    for (const TypedUnit& unit : kTypedUnits) {
        if (!endsWith(text, unit.text)) continue;
        const std::optional<double> value = parseFieldText(text.substr(0, text.size() - std::string_view(unit.text).size()));
        if (!value) return std::string(text);
        const bool rowInMetres = std::string_view(kTabOrder[tabIndex].unit) == "m";
        const double converted = unit.metres == rowInMetres ? *value : unit.metres ? *value * 1000.0 : *value / 1000.0;
        return std::isfinite(converted) ? numtext::general(converted) : std::string(text);
    }
    return std::string(text);
}

}  // namespace wizard::platform
