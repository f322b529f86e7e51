#include "platform/Numbers.h"

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

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
