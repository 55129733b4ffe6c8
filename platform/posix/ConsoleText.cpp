// ConsoleText.cpp - terminal columns and message patterns (see ConsoleText.h).
#include "platform/posix/ConsoleText.h"

#include <cstdarg>
#include <cstdio>
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

// The patterns are ours (or their translations, which msgfmt checks against them).
std::string printedText(const char* pattern, ...)
{
    std::va_list args;
    va_start(args, pattern);
    std::va_list again;
    va_copy(again, args);
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized): va_start above initialised it (a false alarm)
    const int length = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(&text[0], text.size(), pattern, again);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

}  // namespace wizard::platform
