// Texts.h - how the byte layer says things to people: each text an English pattern, marked for the
// message catalogues, translated by the program's translator (include/cwscene/Translation.h) and then
// filled in. Private to the scene library.
//
// N_("...") marks a text for the catalogues and leaves it as it is: said() translates a pattern when
// it says it, translated() a field's description that travels as a plain const char* until then
// ("part rotation"). xgettext collects them (po/README.md).
#pragma once

#include <cwscene/Translation.h>

#include <string>
#include <string_view>

namespace cwscene::detail {

// `english` through the program's translator, or itself when there is none.
const char* translated(const char* english);

// A translated pattern with its values filled in.
template <typename... Texts>
std::string said(const char* pattern, const Texts&... values)
{
    return fillText(translated(pattern), {std::string_view(values)...});
}

}  // namespace cwscene::detail

#define N_(english) english
