// DialogExchangeTest.cpp - number texts shown by the dialog, and the all-or-nothing exchange back.
#include "app/DialogExchange.h"
#include "app/ParamFile.h"

#include "testutil/Hex.h"

namespace {

FieldTexts allTexts(const char* text)
{
    FieldTexts texts;
    texts.fill(text);
    return texts;
}

TEST(DialogExchange, DefaultsShowInTabOrder)
{
    WizardParams params;
    SetDefaultParams(params);
    const FieldTexts expected{"400", "210", "500", "2400", "2400", "2400", "2400",
                              "1450", "15", "15", "10", "10", "100"};
    EXPECT_EQ(formatFieldTexts(params), expected);
}

TEST(DialogExchange, GeneralFormatWithFifteenDigits)
{
    const std::pair<double, const char*> rows[] = {
        {12.5, "12.5"}, {-0.35, "-0.35"}, {0.1, "0.1"}, {1.0 / 3.0, "0.333333333333333"},
        {1e20, "1e+20"}, {0.0, "0"}, {-1450.0, "-1450"}, {123456789012345678.0, "1.23456789012346e+17"},
    };
    for (const auto& [value, text] : rows) {
        SCOPED_TRACE(text);
        WizardParams params;
        params.m_foundationHeight = value;
        EXPECT_EQ(formatFieldTexts(params)[0], text);
    }
}

TEST(DialogExchange, EachRowGoesToItsField)
{
    // Row i of the tab order gets the text "i+1"; the field each row edits, by hand from the dialog.
    FieldTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = std::to_string(i + 1);
    WizardParams params;
    ASSERT_TRUE(exchangeFieldTexts(texts, params).ok);
    EXPECT_EQ(params.m_foundationHeight, 1);
    EXPECT_EQ(params.m_firstFloorThickness, 2);
    EXPECT_EQ(params.m_otherFloorThickness, 3);
    EXPECT_EQ(params.m_roomHeight1, 4);
    EXPECT_EQ(params.m_roomHeight2, 5);
    EXPECT_EQ(params.m_roomHeight3, 6);
    EXPECT_EQ(params.m_roomHeight4, 7);
    EXPECT_EQ(params.m_levelDifference, 8);
    EXPECT_EQ(params.m_siteWidth, 9);
    EXPECT_EQ(params.m_siteDepth, 10);
    EXPECT_EQ(params.m_buildingWidth, 11);
    EXPECT_EQ(params.m_buildingDepth, 12);
    EXPECT_EQ(params.m_wallThickness, 13);
}

TEST(DialogExchange, AcceptedSpellings)
{
    const std::pair<const char*, double> rows[] = {
        {"1e3", 1000.0}, {"  12.5\t", 12.5}, {"-0", -0.0}, {"+5", 5.0}, {".5", 0.5}, {"-250", -250.0},
        {"2.5E-1", 0.25},
    };
    for (const auto& [text, value] : rows) {
        SCOPED_TRACE(text);
        FieldTexts texts = allTexts("1");
        texts[4] = text;  // ２階部屋高
        WizardParams params;
        ASSERT_TRUE(exchangeFieldTexts(texts, params).ok);
        EXPECT_EQ(params.m_roomHeight2, value);
    }
}

TEST(DialogExchange, RefusedSpellingsChangeNothing)
{
    for (const char* text : {"", "   ", "abc", "12abc", "nan", "inf", "-inf", "0x10", "1e999", "1,5", "1.2.3",
                             "\xEF\xBC\x91"  /* full-width 1 */}) {
        SCOPED_TRACE(text);
        FieldTexts texts = allTexts("7");
        texts[4] = text;
        WizardParams params;
        SetDefaultParams(params);
        ExchangeResult result = exchangeFieldTexts(texts, params);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.badControlId, 1004);
        EXPECT_EQ(result.badTabIndex, 4u);
        EXPECT_EQ(params.m_foundationHeight, 400.0) << "a good field before the bad one must not be stored";
        EXPECT_EQ(params.m_wallThickness, 100.0);
    }
}

TEST(DialogExchange, FirstBadFieldInExchangeOrderIsReported)
{
    struct Row {
        std::vector<std::size_t> badRows;  // tab order positions
        int reported;
    };
    const Row rows[] = {
        {{12}, 1012},
        {{4, 11}, 1010},       // ２階部屋高 is above 建物 奥行 on screen, but the depth is exchanged first
        {{8, 9}, 1008},        // 敷地: depth before width
        {{7, 1, 2}, 1006},     // level difference, then other floor, then first floor
        {{6, 0}, 1000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reported);
        FieldTexts texts = allTexts("1");
        for (std::size_t bad : row.badRows) texts[bad] = "x";
        WizardParams params;
        ExchangeResult result = exchangeFieldTexts(texts, params);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.badControlId, row.reported);
        EXPECT_EQ(kTabOrder[result.badTabIndex].controlId, row.reported);
    }
}

}  // namespace
