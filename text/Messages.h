// Messages.h - the texts the console wizard and cwstool write for people, in the user's language.
//
// Portable interface. English is the source language; on Linux MessagesGettext.cpp translates through
// GNU gettext (the catalogues are made from po/*.po), on Windows MessagesNone.cpp leaves the texts as
// they are (the Windows dialog has its own Japanese resources). Mark a text with _() where it is used,
// with N_() in a table that is translated later (the scene library's mark, cwscene/MarkedText.h, so
// that both mark alike), or with P_() where its form depends on a count; xgettext collects them
// (po/README.md). Texts that go into files (scene names, the registry, the error log) are never
// marked: they stay the same in every language.
#pragma once

#include <cwscene/MarkedText.h>   // N_
#include <cwscene/Translation.h>  // fillText

#include <string>
#include <string_view>

namespace messages {

// The gettext text domain of both programs, and of their catalogues: skipfloor-wizard.mo.
inline constexpr char kDomain[] = "skipfloor-wizard";

// Picks the language from the environment (LC_ALL, LC_MESSAGES, LANG) and finds the catalogues:
// beside the program when it runs from its build folder (locale/), in share/locale of the prefix it
// is installed in, or in SKIPFLOOR_LOCALEDIR when that is set. Without this call, or where no
// catalogue matches, every text stays English. Numbers keep '.' whatever the locale: only the
// messages category is set.
void initialise(const char* argv0);

// The text in the user's language; `english` itself when there is no translation. The result lives
// as long as the program.
const char* translate(const char* english);

// The form of a text for `count` things (ngettext): `one` or `many` in English, as many forms as the
// language has in a translation (Japanese has one).
const char* translatePlural(const char* one, const char* many, unsigned long count);

// A message pattern with its values filled in: "%s" takes the next value, "%2$s" the second, "%%" is
// a '%'; a translation can reorder them but never read beyond them (cwscene::fillText).
template <typename... Texts>
std::string filledIn(std::string_view pattern, const Texts&... values)
{
    return cwscene::fillText(pattern, {std::string_view(values)...});
}

}  // namespace messages

#define _(english) ::messages::translate(english)  // NOLINT(bugprone-reserved-identifier): gettext's own name
#define P_(one, many, count) ::messages::translatePlural(one, many, static_cast<unsigned long>(count))
