// SjisText.cpp - CP932 to UTF-8 with iconv (see SjisText.h).
#include "platform/posix/SjisText.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

std::string utf8FromSjis(std::string_view sjis)
{
    static const char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
    iconv_t converter = ::iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(sjis);  // no table: bytes as they are
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
    ::iconv_close(converter);
    return out;
}

}  // namespace platform
