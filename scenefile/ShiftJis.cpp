// ShiftJis.cpp - the portable half of the Shift-JIS conversions (see include/cwscene/ShiftJis.h).
#include <cwscene/ShiftJis.h>

#include "scenefile/ShiftJisDetail.h"

namespace cwscene {

namespace {

// The characters JIS X 0208 and code page 932 map differently, as UTF-8: the JIS form (which iconv's
// CP932 takes one way, and Windows does not take at all) and the form code page 932 has.
struct Alias {
    std::string_view jis;
    std::string_view microsoft;
};
constexpr Alias kAliases[] = {
    {"\xE3\x80\x9C", "\xEF\xBD\x9E"},  // 〜 U+301C wave dash       -> ～ U+FF5E
    {"\xE2\x80\x96", "\xE2\x88\xA5"},  // ‖ U+2016 double vertical -> ∥ U+2225
    {"\xE2\x88\x92", "\xEF\xBC\x8D"},  // − U+2212 minus sign      -> － U+FF0D
    {"\xC2\xA2", "\xEF\xBF\xA0"},      // ¢ U+00A2                 -> ￠ U+FFE0
    {"\xC2\xA3", "\xEF\xBF\xA1"},      // £ U+00A3                 -> ￡ U+FFE1
    {"\xC2\xAC", "\xEF\xBF\xA2"},      // ¬ U+00AC                 -> ￢ U+FFE2
};

std::string withMicrosoftForms(std::string_view utf8)
{
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        bool replaced = false;
        for (const Alias& alias : kAliases) {
            if (utf8.substr(i, alias.jis.size()) == alias.jis) {
                text += alias.microsoft;
                i += alias.jis.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) text += utf8[i++];
    }
    return text;
}

// Plain ASCII is the same text in both: most names of a large file need no table at all.
bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::string toUtf8(std::string_view sjis)
{
    if (isAscii(sjis)) return std::string(sjis);
    bool valid = true;
    return detail::utf8FromCp932(sjis, valid);
}

std::optional<std::string> fromUtf8(std::string_view utf8) { return detail::cp932FromUtf8(withMicrosoftForms(utf8)); }

bool isShiftJis(std::string_view sjis)
{
    if (isAscii(sjis)) return true;
    bool valid = true;
    detail::utf8FromCp932(sjis, valid);
    return valid;
}

}  // namespace cwscene
