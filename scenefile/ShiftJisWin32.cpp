// ShiftJisWin32.cpp - CP932 conversions through the code page API, via UTF-16. See
// include/cwscene/ShiftJis.h.
#include "scenefile/ShiftJisDetail.h"

#include <windows.h>  // MultiByteToWideChar, WideCharToMultiByte

namespace cwscene::detail {

namespace {

constexpr UINT kShiftJis = 932;

// `text` in code page `page` as UTF-16; nullopt when `flags` (MB_ERR_INVALID_CHARS) refuse a byte.
std::optional<std::wstring> wideFrom(UINT page, DWORD flags, std::string_view text)
{
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int count = ::MultiByteToWideChar(page, flags, text.data(), size, nullptr, 0);
    if (count <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    ::MultiByteToWideChar(page, flags, text.data(), size, &wide[0], count);
    return wide;
}

// UTF-16 in code page `page`; nullopt when a character has no code there (no best fit, no default).
std::optional<std::string> narrowTo(UINT page, const std::wstring& wide)
{
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    // CP_UTF8 takes neither the no-best-fit flag nor the default-character question.
    const DWORD flags = page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* asked = page == CP_UTF8 ? nullptr : &usedDefault;
    const int count = ::WideCharToMultiByte(page, flags, wide.data(), size, nullptr, 0, nullptr, asked);
    if (count <= 0 || usedDefault) return std::nullopt;
    std::string text(static_cast<std::size_t>(count), '\0');
    ::WideCharToMultiByte(page, flags, wide.data(), size, &text[0], count, nullptr, nullptr);
    return text;
}

// The bytes of the character `text` begins with: 1 for ASCII and half-width katakana, 2 for a lead
// byte with a trail byte, 0 for a byte that begins no character of code page 932.
std::size_t characterLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(0);
    if (lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF)) return 1;
    const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (!isLead || text.size() < 2) return 0;
    const unsigned trail = byte(1);
    return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC) ? 2 : 0;
}

}  // namespace

std::optional<std::string> cp932FromUtf8(std::string_view utf8)
{
    const std::optional<std::wstring> wide = wideFrom(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    return wide ? narrowTo(kShiftJis, *wide) : std::nullopt;
}

std::string utf8FromCp932(std::string_view sjis, bool& valid)
{
    // Character by character, so that a byte which begins none becomes U+FFFD as iconv makes it: the
    // API alone would turn such a byte into the code page's default (U+30FB) or, for 0x80, 0xA0 and
    // 0xFD to 0xFF, into characters of its own.
    std::wstring wide;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = characterLength(sjis.substr(i));
        std::optional<std::wstring> character;
        if (length > 0) character = wideFrom(kShiftJis, MB_ERR_INVALID_CHARS, sjis.substr(i, length));
        if (character) {
            wide += *character;
            i += length;
        } else {
            valid = false;
            wide += L'\xFFFD';
            ++i;
        }
    }
    const std::optional<std::string> utf8 = narrowTo(CP_UTF8, wide);
    return utf8 ? *utf8 : std::string(sjis);
}

}  // namespace cwscene::detail
