// SjisToUtf8Iconv.cpp - CP932 to UTF-8 with iconv (glibc knows CP932 with its Microsoft extensions).
#include "tools/cwstool/SjisToUtf8.h"

#include <iconv.h>

#include <cerrno>

namespace cwstool {

std::string sjisToUtf8(std::string_view sjis)
{
    static const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
    // ASCII is the same in both (CP932's 5C and 7E are the backslash and the tilde, as in ASCII).
    bool ascii = true;
    for (char c : sjis) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(sjis);
    // One converter for the whole run (the tool is single-threaded), reset for every text.
    static const iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(sjis);  // no table: bytes as they are
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    char* in = const_cast<char*>(sjis.data());  // iconv's interface is not const-correct; it only reads
    std::size_t inLeft = sjis.size();
    char buffer[256];
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t done = ::iconv(converter, &in, &inLeft, &next, &outLeft);
        out.append(buffer, static_cast<std::size_t>(next - buffer));
        if (done != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;  // buffer full: go on
        // EILSEQ or EINVAL (a lead byte without its trail byte): skip one byte.
        out += kReplacement;
        ++in;
        --inLeft;
    }
    return out;
}

}  // namespace cwstool
