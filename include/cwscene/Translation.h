/// \file
/// The scene library's texts for people in a program's own language: the reader's refusals and the
/// reasons it gives for a file it cannot open or read.
///
/// The library writes them in English. A program that speaks another language hands it a translator,
/// a function from the English text to its translation (gettext's, say); every text is then a
/// pattern whose values are filled in after it was translated, so that a translation can put them in
/// its own order:
///
/// ~~~{.cpp}
/// cwscene::setTranslator([](const char* english) { return dgettext("my-program", english); });
/// ~~~
///
/// Texts that go into files (names, the error log "ScriptErr.log") are never translated.
#pragma once

#include <cwscene/Export.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace cwscene {

/// Returns the translation of an English text, or the text itself; the result must live as long as
/// the program (gettext's do).
using Translator = const char* (*)(const char* english);

/// Sets the translator of the library's texts, for the whole process (like the encoding switch);
/// null, the default, keeps them English. Set it before reading, on the thread that reads.
CWSCENE_API void setTranslator(Translator translator);

/// A text pattern with its values filled in, as printf would with only "%s" arguments: "%s" takes the
/// next value, "%2$s" the second (so that a translation may reorder them), "%%" is a '%'. Anything
/// else is copied as it stands, and a value that is not there is left out, so a translated pattern
/// can never read beyond what it was given.
CWSCENE_API std::string fillText(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace cwscene
