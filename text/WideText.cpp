// WideText.cpp - UTF-16 <-> UTF-8 (see WideText.h).
#include "text/WideText.h"
#include "text/Utf8Append.h"

#include <cstdint>

namespace wizard::platform {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf16(std::wstring& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += static_cast<wchar_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<wchar_t>(0xD800 | (cp >> 10));
        out += static_cast<wchar_t>(0xDC00 | (cp & 0x3FF));
    }
}

}  // namespace

std::string utf8FromWide(std::wstring_view wide)
{
    std::string out;
    out.reserve(wide.size() * 3);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t unit = static_cast<char16_t>(wide[i]);
        if (isHighSurrogate(unit) && i + 1 < wide.size() && isLowSurrogate(static_cast<char16_t>(wide[i + 1]))) {
            char32_t low = static_cast<char16_t>(wide[++i]);
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else {
            appendUtf8(out, unit);  // a lone surrogate included: see the header
        }
    }
    return out;
}

std::wstring wideFromUtf8(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        auto byte = static_cast<std::uint8_t>(utf8[i]);
        int extra = byte < 0x80 ? 0 : (byte & 0xE0) == 0xC0 ? 1 : (byte & 0xF0) == 0xE0 ? 2 : (byte & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || utf8.size() - i <= static_cast<std::size_t>(extra)) {  // bad lead byte, or cut short
            appendUtf16(out, kReplacement);
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? byte : byte & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            auto next = static_cast<std::uint8_t>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        // Refuse overlong forms, surrogates and values beyond U+10FFFF.
        static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (valid && (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) valid = false;
        if (!valid) {
            appendUtf16(out, kReplacement);
            ++i;
            continue;
        }
        appendUtf16(out, cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

}  // namespace wizard::platform
