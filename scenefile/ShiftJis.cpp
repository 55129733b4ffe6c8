// ShiftJis.cpp - the portable half of the Shift-JIS conversions (see include/cwscene/ShiftJis.h).
#include <cwscene/ShiftJis.h>

#include <atomic>
#include <cstdint>

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

// Which characters of code page 932 the platform's converter takes, learnt as texts bring them: a
// byte alone (0 to 255) or a lead byte with its trail byte (256 + lead * 256 + trail), each asked of
// the converter once in the process. A large file's names use a few dozen characters, so checking a
// name costs a look-up per character, not a conversion. Threads may learn the same character at once:
// they store the same answer.
enum Known : std::uint8_t { kUnknown = 0, kTaken = 1, kRefused = 2 };
std::atomic<std::uint8_t> g_known[256 + 256 * 256];  // static storage: all kUnknown

std::size_t pairSlot(unsigned lead, unsigned trail) { return 256 + lead * 256 + trail; }

// Asks the converter about the `length` bytes at `character` and keeps the answer in `slot`.
std::uint8_t learn(std::size_t slot, const char* character, std::size_t length)
{
    bool valid = true;
    detail::utf8FromCp932(std::string_view(character, length), valid);
    const std::uint8_t answer = valid ? kTaken : kRefused;
    g_known[slot].store(answer, std::memory_order_relaxed);
    return answer;
}

// What the table knows of `slot`, learnt first when it knows nothing yet.
std::uint8_t known(std::size_t slot, const char* character, std::size_t length)
{
    const std::uint8_t answer = g_known[slot].load(std::memory_order_relaxed);
    return answer != kUnknown ? answer : learn(slot, character, length);
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
    // Both converters decide a character's length by its first byte: a lead byte of code page 932
    // (81-9F, E0-FC) begins a two-byte character, another byte the converter takes alone is one, and
    // any other begins none.
    const char* next = sjis.data();
    const char* const end = next + sjis.size();
    while (next != end) {
        const auto lead = static_cast<unsigned char>(*next);
        const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
        if (lead < 0x80 || (!isLead && known(lead, next, 1) == kTaken)) {
            ++next;
            continue;
        }
        if (end - next < 2) return false;  // a lead byte without its trail byte
        const auto trail = static_cast<unsigned char>(next[1]);
        if (known(pairSlot(lead, trail), next, 2) != kTaken) return false;
        next += 2;
    }
    return true;
}

}  // namespace cwscene
