// DialogExchangeTest.cpp - number texts shown by the dialog, and the all-or-nothing exchange back.
#include "app/DialogExchange.h"
#include "builder/ParamFile.h"

#include "testutil/Hex.h"

using namespace wizard;  // the wizard's code under test

namespace {

TEST(DialogExchange, TextsInTabOrder)
{
    WizardParams params;
    SetDefaultParams(params);
    EXPECT_EQ(formatFieldTexts(params),
              (FieldTexts{"400", "210", "500", "2400", "2400", "2400", "2400", "1450", "15", "15", "10", "10", "100"}));
    params.m_roomHeight2 = 1.0 / 3.0;
    params.m_siteDepth = 1e20;
    params.m_wallThickness = -0.35;
    FieldTexts texts = formatFieldTexts(params);
    EXPECT_EQ(texts[4], "0.333333333333333");
    EXPECT_EQ(texts[9], "1e+020");
    EXPECT_EQ(texts[12], "-0.35");
}

TEST(DialogExchange, EachRowGoesToItsField)
{
    FieldTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = " " + std::to_string(i + 1) + "e0 ";
    WizardParams p;
    ASSERT_TRUE(exchangeFieldTexts(texts, p).ok);
    // The rows from top to bottom, by hand from the dialog.
    const double shown[] = {p.m_foundationHeight, p.m_firstFloorThickness, p.m_otherFloorThickness, p.m_roomHeight1,
                            p.m_roomHeight2, p.m_roomHeight3, p.m_roomHeight4, p.m_levelDifference, p.m_siteWidth,
                            p.m_siteDepth, p.m_buildingWidth, p.m_buildingDepth, p.m_wallThickness};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(shown[i], i + 1) << "row " << i + 1;
}

TEST(DialogExchange, FirstBadFieldInExchangeOrderAndNothingStored)
{
    const struct {
        std::vector<std::size_t> badRows;  // positions in the tab order
        const char* text;
        int reported;
    } rows[] = {
        {{4}, "abc", 1004},   {{4}, "nan", 1004},  {{4}, "inf", 1004}, {{4}, "0x10", 1004},
        {{4}, "1e999", 1004}, {{4}, "1,5", 1004},  {{4}, "", 1004},
        {{4}, "1e-400", 1004}, {{4}, "-0.5e-999", 1004},  // underflow to 0, refused as overflow is
        {{4}, "\xEF\xBC\x91\xEF\xBD\x81", 1004},  // "１ａ": full-width digits are read, letters are not
        {{12}, "x", 1012},
        {{4, 11}, "x", 1010},     // ２階部屋高 is above 建物 奥行 on screen, but the depth is exchanged first
        {{8, 9}, "x", 1008},      // 敷地: depth before width
        {{10, 11}, "x", 1010},    // 建物 likewise
        {{7, 1, 2}, "x", 1006},   // level difference, then other floor, then first floor
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " -> " + std::to_string(row.reported));
        FieldTexts texts;
        texts.fill("7");
        for (std::size_t bad : row.badRows) texts[bad] = row.text;
        WizardParams params;
        SetDefaultParams(params);
        ExchangeResult result = exchangeFieldTexts(texts, params);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.badControlId, row.reported);
        EXPECT_EQ(kTabOrder[result.badTabIndex].controlId, row.reported);
        EXPECT_EQ(params.m_foundationHeight, 400.0) << "a good field before the bad one must not be stored";
    }
}

// What a Japanese input method types: full-width digits, sign, point and exponent letter, and the
// ideographic blank around them, read as their ASCII forms.
TEST(DialogExchange, FullWidthFormsReadAsAscii)
{
    const std::pair<const char*, double> rows[] = {
        {"\xEF\xBC\x92\xEF\xBC\x94\xEF\xBC\x90\xEF\xBC\x90", 2400},                                     // ２４００
        {"\xE3\x80\x80\xEF\xBC\x8D\xEF\xBC\x91\xEF\xBC\x8E\xEF\xBC\x95\xEF\xBC\xA5\xEF\xBC\x93\xE3\x80\x80", -1500},  // 　－１．５Ｅ３　
        {"\xEF\xBC\x8B\xEF\xBC\x97\xEF\xBD\x85\xEF\xBC\x90", 7},                                        // ＋７ｅ０
    };
    for (const auto& [text, value] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseFieldText(text), value);
    }
    EXPECT_FALSE(parseFieldText("\xEF\xBC\x91\xE3\x80\x80\xEF\xBC\x92"));  // １　２: a blank inside stays one
    // A zero typed is a zero, however small its exponent; a tiny value that is not 0 is kept.
    EXPECT_EQ(parseFieldText("0e-400"), 0.0);
    EXPECT_EQ(parseFieldText("-0.000e-999"), 0.0);
    EXPECT_EQ(parseFieldText("2.5e-320"), 2.5e-320);
}

}  // namespace
