#include "platform/Numbers.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace num = jigsaw::num;

TEST(Numbers, ConversionToInt16RoundsHalvesToEvenAndRejectsOutOfRange)
{
    EXPECT_EQ(num::toInt16(2.5), std::optional<std::int16_t>(2));
    EXPECT_EQ(num::toInt16(3.5), std::optional<std::int16_t>(4));
    EXPECT_EQ(num::toInt16(-2.5), std::optional<std::int16_t>(-2));
    EXPECT_EQ(num::toInt16(-32768.5), std::optional<std::int16_t>(-32768));
    EXPECT_EQ(num::toInt16(32767.5), std::nullopt);
    EXPECT_EQ(num::toInt16(-32769.0), std::nullopt);
    EXPECT_EQ(num::toInt16Clamped(40000.0), 32767);
    EXPECT_EQ(num::intDown(-2.5), -3.0);
}

TEST(Numbers, WrittenWithoutLeadingZeroAndReadBackIgnoringSpaces)
{
    EXPECT_EQ(num::numberLine(12), QStringLiteral(" 12 "));
    EXPECT_EQ(num::numberLine(-3), QStringLiteral("-3 "));
    EXPECT_EQ(num::numberLine(0.5), QStringLiteral(" .5 "));
    EXPECT_EQ(num::numberLine(0), QStringLiteral(" 0 "));
    EXPECT_EQ(num::singleText(68.571426f), QStringLiteral("68.57143"));
    EXPECT_EQ(num::singleText(1230.0f), QStringLiteral("1230"));
    EXPECT_EQ(num::singleText(-0.25f), QStringLiteral("-.25"));
    EXPECT_EQ(num::format00(7), QStringLiteral("07"));

    EXPECT_EQ(num::readNumber(u" 12 "), std::optional<double>(12));
    EXPECT_EQ(num::readNumber(u"-3 "), std::optional<double>(-3));
    EXPECT_EQ(num::readNumber(u" .5 "), std::optional<double>(0.5));
    EXPECT_EQ(num::readNumber(u"0.25"), std::optional<double>(0.25));
    for (const char16_t *bad : {u"abc", u"", u"   ", u"12abc"})
        EXPECT_EQ(num::readNumber(bad), std::nullopt);

    for (const double value : {-0.125, 0.1, 123456.789, -32768.0})
        EXPECT_EQ(num::readNumber(num::numberLine(value)), std::optional<double>(value)) << value;
    for (const float value : {68.571426f, 0.1f, 1e-7f, 1.5e10f})
        EXPECT_EQ(static_cast<float>(num::readNumber(num::singleLine(value)).value_or(0)), value);
}

TEST(Numbers, NumericTextIsJudgedAsPlayersTypeItAndSavedGamesHoldIt)
{
    const std::vector<std::pair<const char16_t *, double>> numeric{
        {u"45", 45},        {u" 45 ", 45},      {u"+5", 5},          {u"-5", -5},
        {u"1,000", 1000},   {u"1,00,0", 1000},  {u"0.5", 0.5},       {u".5", 0.5},
        {u"5.", 5},         {u"-.25", -0.25},   {u"1e3", 1000},      {u"2.5E-1", 0.25},
        {u"1D2", 100},      {u"１０", 10},      {u"－５", -5},       {u"１．５", 1.5},
        {u"\u3000７\u3000", 7}, {u"\u22125", -5}, {u"1E+07", 1e7},
    };
    for (const auto &[text, value] : numeric)
        EXPECT_EQ(num::readNumeric(text), std::optional<double>(value))
            << QString::fromUtf16(text).toStdString();
    for (const char16_t *text : {u"", u" ", u"abc", u".", u"+", u"-", u"5分", u",5", u"1,",
                                 u"1,,0", u"1.0.0", u"1e", u"e5", u"1e+", u"5-", u"+-5",
                                 u"1 0", u"0x10", u"inf", u"nan", u"1e400"})
        EXPECT_EQ(num::readNumeric(text), std::nullopt) << QString::fromUtf16(text).toStdString();

    // Shown with the leading zero and the sign before two digits.
    EXPECT_EQ(num::shownText(0.5), QStringLiteral("0.5"));
    EXPECT_EQ(num::shownText(-0.25), QStringLiteral("-0.25"));
    EXPECT_EQ(num::format00(-5), QStringLiteral("-05"));
    EXPECT_EQ(num::format00(-123), QStringLiteral("-123"));
}
