// ResourceText.cpp - string table texts (see ResourceText.h).
#include "platform/win32/ResourceText.h"

#include <cstddef>

namespace wizard::platform {

std::wstring loadString(HINSTANCE instance, UINT id)
{
    // A null buffer of length 0 asks for a read-only pointer to the string in the resources.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring filledIn(const std::wstring& pattern, std::initializer_list<std::wstring> values)
{
    std::wstring text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        const std::size_t index = static_cast<std::size_t>(next - L'1');
        if (pattern[i] == L'%' && next >= L'1' && next <= L'9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace wizard::platform
