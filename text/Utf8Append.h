// Utf8Append.h - one code point appended to UTF-8 text, for the converters from UTF-16 (the Windows
// "W" API's text, a registry file written by regedit).
#pragma once

#include <string>

namespace wizard::platform {

// Appends `code` as 1 to 4 bytes of UTF-8. A lone surrogate (0xD800 to 0xDFFF) is written as its own
// three bytes, as the converters keep every UTF-16 code unit, paired or not.
inline void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace wizard::platform
