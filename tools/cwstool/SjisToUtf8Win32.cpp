// SjisToUtf8Win32.cpp - CP932 to UTF-8 through UTF-16 with the code page API.
#include "tools/cwstool/SjisToUtf8.h"

#include <windows.h>  // MultiByteToWideChar, WideCharToMultiByte

namespace cwstool {

std::string sjisToUtf8(std::string_view sjis)
{
    if (sjis.empty()) return std::string();
    int size = static_cast<int>(sjis.size());
    // Without MB_ERR_INVALID_CHARS an invalid byte becomes U+FFFD (or the code page's default), as on POSIX.
    int wideCount = ::MultiByteToWideChar(932, 0, sjis.data(), size, nullptr, 0);
    if (wideCount <= 0) return std::string(sjis);
    std::wstring wide(static_cast<std::size_t>(wideCount), L'\0');
    ::MultiByteToWideChar(932, 0, sjis.data(), size, &wide[0], wideCount);
    int utf8Count = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, nullptr, 0, nullptr, nullptr);
    if (utf8Count <= 0) return std::string(sjis);
    std::string utf8(static_cast<std::size_t>(utf8Count), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideCount, &utf8[0], utf8Count, nullptr, nullptr);
    return utf8;
}

}  // namespace cwstool
