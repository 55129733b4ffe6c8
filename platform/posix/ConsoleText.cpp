// ConsoleText.cpp - terminal columns (see ConsoleText.h).
#include "platform/posix/ConsoleText.h"

#include <ostream>

namespace wizard::platform {

std::size_t displayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned codePoint = lead;
        if (length > 1 && i + length <= utf8.size()) {
            codePoint = lead & (0x7Fu >> length);
            for (std::size_t k = 1; k < length; ++k)
                codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        }
        width += (codePoint >= 0x1100 && codePoint <= 0xFFEF) ? 2 : 1;
        i += length;
    }
    return width;
}

void pad(std::ostream& out, std::size_t used, std::size_t columns)
{
    for (std::size_t i = used; i < columns; ++i) out << ' ';
}

void leftAligned(std::ostream& out, std::string_view text, std::size_t columns)
{
    out << text;
    pad(out, displayWidth(text), columns);
}

void rightAligned(std::ostream& out, std::string_view text, std::size_t columns)
{
    pad(out, displayWidth(text), columns);
    out << text;
}

}  // namespace wizard::platform
