/// \file
/// N_(), the mark of a text for the message catalogues that is translated later, where it is said:
/// xgettext collects N_("...") (its option --keyword=N_), and the text itself stays as it is. The
/// library marks its own texts for people with it (they are said through the translator of
/// cwscene/Translation.h), and so may a program whose catalogue holds them too. A program that defines
/// N_ itself, before this header, keeps its own.
#pragma once

#ifndef N_
/// Marks `english` for the message catalogues and leaves it as it is.
#  define N_(english) english
#endif
