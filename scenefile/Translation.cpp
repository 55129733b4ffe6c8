// Translation.cpp - the library's texts in a program's language (see include/cwscene/Translation.h).
#include <cwscene/Translation.h>

#include "scenefile/Texts.h"

namespace cwscene {

namespace {

Translator g_translator = nullptr;  // process-wide, as the encoding switch: one language per program

}  // namespace

void setTranslator(Translator translator) { g_translator = translator; }

const char* detail::translated(const char* english) { return g_translator ? g_translator(english) : english; }

std::string detail::saidWith(const char* pattern, std::initializer_list<std::string_view> values)
{
    return fillText(translated(pattern), values);
}

std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string text;
    text.reserve(pattern.size() + 32);
    std::size_t next = 0;  // the value a plain "%s" takes
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::string_view rest = pattern.substr(i);
        if (rest.size() >= 2 && rest[0] == '%' && rest[1] == '%') {
            text += '%';
            ++i;
        } else if (rest.size() >= 2 && rest[0] == '%' && rest[1] == 's') {
            if (next < values.size()) text += values.begin()[next];
            ++next;
            ++i;
        } else if (rest.size() >= 4 && rest[0] == '%' && rest[1] >= '1' && rest[1] <= '9' && rest[2] == '$' &&
                   rest[3] == 's') {
            const std::size_t index = static_cast<std::size_t>(rest[1] - '1');
            if (index < values.size()) text += values.begin()[index];
            i += 3;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace cwscene
