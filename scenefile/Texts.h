// Texts.h - how the byte layer says things to people: each text an English pattern, marked for the
// message catalogues, translated by the program's translator (include/cwscene/Translation.h) and then
// filled in. Private to the scene library.
//
// N_("...") marks a text for the catalogues and leaves it as it is: said() translates a pattern when
// it says it, translated() a field's description that travels as a plain const char* until then
// ("part rotation"). xgettext collects them (po/README.md).
#pragma once

#include <cwscene/MarkedText.h>  // N_

#include <initializer_list>
#include <string>
#include <string_view>

namespace cwscene::detail {

// `english` through the program's translator, or itself when there is none (Translation.cpp).
const char* translated(const char* english);

// A translated pattern with these values filled in, as cwscene::fillText fills them (Translation.cpp).
std::string saidWith(const char* pattern, std::initializer_list<std::string_view> values);

// The same with the values as arguments: said(N_("line %s: %s"), line, what).
template <typename... Texts>
std::string said(const char* pattern, const Texts&... values)
{
    return saidWith(pattern, {std::string_view(values)...});
}

}  // namespace cwscene::detail
