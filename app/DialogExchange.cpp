// DialogExchange.cpp - the dialog's data exchange (see DialogExchange.h).
#include "app/DialogExchange.h"

#include <cwscene/NumberText.h>

#include <optional>

namespace wizard {

namespace {

// Every field of the exchange order is an edit field of the tab order, and none is visited twice.
constexpr bool exchangeOrderCoversTabOrder()
{
    for (std::size_t i = 0; i < kExchangeOrder.size(); ++i) {
        int found = 0;
        for (const DialogField& field : kTabOrder)
            if (field.controlId == kExchangeOrder[i]) ++found;
        if (found != 1) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (kExchangeOrder[j] == kExchangeOrder[i]) return false;
    }
    return kExchangeOrder.size() == kTabOrder.size();
}
static_assert(exchangeOrderCoversTabOrder(), "kExchangeOrder must list each edit field of kTabOrder once");

// The full-width characters of a number, as UTF-8, and their ASCII forms.
struct FullWidth {
    const char* utf8;
    char ascii;
};
constexpr FullWidth kFullWidth[] = {
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},  // ０１２３
    {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},  // ４５６７
    {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'}, {"\xEF\xBC\x8B", '+'}, {"\xEF\xBC\x8D", '-'},  // ８９＋－
    {"\xEF\xBC\x8E", '.'}, {"\xEF\xBD\x85", 'e'}, {"\xEF\xBC\xA5", 'E'}, {"\xE3\x80\x80", ' '},  // ．ｅＥ and the ideographic blank
};

}  // namespace

std::optional<double> parseFieldText(std::string_view text)
{
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const FullWidth& form : kFullWidth) {
            if (text.compare(i, 3, form.utf8) == 0) {  // every form is three bytes
                ascii += form.ascii;
                i += 3;
                replaced = true;
                break;
            }
        }
        if (!replaced) ascii += text[i++];
    }
    std::optional<double> value = numtext::parseDecimal(ascii);
    // A number whose digits are not all zero but that reads as 0 underflowed ("1e-400"): the stored
    // value would be as far from the one typed as an overflow's, so it is refused alike.
    const std::string_view digits = std::string_view(ascii).substr(0, ascii.find_first_of("eE"));
    if (value && *value == 0.0 && digits.find_first_of("123456789") != std::string_view::npos) return std::nullopt;
    return value;
}

FieldTexts formatFieldTexts(const WizardParams& params)
{
    FieldTexts texts;
    for (std::size_t i = 0; i < kTabOrder.size(); ++i)
        texts[i] = numtext::general(params.*kTabOrder[i].member, 15);
    return texts;
}

std::size_t tabIndexOf(int controlId)
{
    for (std::size_t i = 0; i < kTabOrder.size(); ++i)
        if (kTabOrder[i].controlId == controlId) return i;
    return kTabOrder.size();
}

ExchangeResult exchangeFieldTexts(const FieldTexts& texts, WizardParams& params)
{
    // Everything is parsed into a copy first, so a bad field leaves the caller's values untouched.
    WizardParams parsed = params;
    for (int controlId : kExchangeOrder) {
        std::size_t index = tabIndexOf(controlId);
        std::optional<double> value = parseFieldText(texts[index]);
        if (!value) {
            ExchangeResult bad;
            bad.badControlId = controlId;
            bad.badTabIndex = index;
            return bad;
        }
        parsed.*kTabOrder[index].member = *value;
    }
    params = parsed;
    ExchangeResult good;
    good.ok = true;
    return good;
}

std::vector<std::size_t> badFields(const FieldTexts& texts)
{
    std::vector<std::size_t> bad;
    for (int controlId : kExchangeOrder) {
        std::size_t index = tabIndexOf(controlId);
        if (!parseFieldText(texts[index])) bad.push_back(index);
    }
    return bad;
}

}  // namespace wizard
