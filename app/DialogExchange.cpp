// DialogExchange.cpp - the dialog's data exchange (see DialogExchange.h).
#include "app/DialogExchange.h"

#include "scenefile/NumberText.h"

#include <optional>

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

}  // namespace

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
        std::optional<double> value = numtext::parseDecimal(texts[index]);
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
