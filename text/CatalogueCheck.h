// CatalogueCheck.h - whether a compiled message catalogue (a GNU .mo file) can be handed to the C
// library safely.
//
// Text library, standard C++ only. The C library reads a catalogue's tables as they stand: an offset
// past the end, a string without its terminating NUL, a hash table it can probe for ever or a plural
// formula that divides by zero crash or hang the program that asked for a message. So every catalogue
// is checked first, and one that fails is not used (the texts stay English).
#pragma once

#include <string>
#include <string_view>

namespace messages {

// "" when `bytes` are a catalogue whose header and tables hold together: the magic number (either
// byte order), revision 0, both string tables and every string inside the file and NUL-terminated,
// a hash table of a prime size with an empty slot and entries that name strings, and a header entry
// whose plural formula (when there is one) only divides by non-zero numbers. Otherwise what is wrong,
// in a few English words ("a string runs past the end").
std::string catalogueProblem(std::string_view bytes);

}  // namespace messages
