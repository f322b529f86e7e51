#include "platform/Numbers.h"

#include "QtPrinting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace num = jigsaw::num;

TEST(Numbers, ConversionToInt16RoundsHalvesToEvenAndRejectsOutOfRange)
{
    EXPECT_EQ(num::toInt16(2.5), std::optional<std::int16_t>(2));
    EXPECT_EQ(num::toInt16(3.5), std::optional<std::int16_t>(4));
    EXPECT_EQ(num::toInt16(-2.5), std::optional<std::int16_t>(-2));
    EXPECT_EQ(num::toInt16(30.5), std::optional<std::int16_t>(30));
    EXPECT_EQ(num::toInt16(31.5), std::optional<std::int16_t>(32));
    EXPECT_EQ(num::toInt16(-32768.5), std::optional<std::int16_t>(-32768));
    EXPECT_EQ(num::toInt16(32767.5), std::nullopt);
    EXPECT_EQ(num::toInt16(-32769.0), std::nullopt);
    EXPECT_EQ(num::toInt16Clamped(40000.0), 32767);
    EXPECT_EQ(num::intDown(-2.5), -3.0);
}

TEST(Numbers, NumberLinesCarryOneSpaceEachSideOrALeadingMinus)
{
    EXPECT_EQ(num::numberLine(12), QStringLiteral(" 12 "));
    EXPECT_EQ(num::numberLine(-3), QStringLiteral("-3 "));
    EXPECT_EQ(num::numberLine(0.5), QStringLiteral(" .5 "));
    EXPECT_EQ(num::numberLine(0), QStringLiteral(" 0 "));
    EXPECT_EQ(num::singleText(68.571426f), QStringLiteral("68.57143"));
    EXPECT_EQ(num::singleText(1230.0f), QStringLiteral("1230"));
    EXPECT_EQ(num::singleText(450.0f), QStringLiteral("450"));
    EXPECT_EQ(num::singleText(-0.25f), QStringLiteral("-.25"));
    EXPECT_EQ(num::format00(7), QStringLiteral("07"));
}

TEST(Numbers, ReadNumberIgnoresSpacesAndRejectsNonNumbers)
{
    EXPECT_EQ(num::readNumber(u" 12 "), std::optional<double>(12));
    EXPECT_EQ(num::readNumber(u"12"), std::optional<double>(12));
    EXPECT_EQ(num::readNumber(u"-3 "), std::optional<double>(-3));
    EXPECT_EQ(num::readNumber(u" .5 "), std::optional<double>(0.5));
    EXPECT_EQ(num::readNumber(u"0.25"), std::optional<double>(0.25));
    EXPECT_EQ(num::readNumber(u"abc"), std::nullopt);
    EXPECT_EQ(num::readNumber(u""), std::nullopt);
    EXPECT_EQ(num::readNumber(u"   "), std::nullopt);
    EXPECT_EQ(num::readNumber(u"12abc"), std::nullopt);
}

TEST(Numbers, WrittenNumbersReadBackUnchanged)
{
    for (const double value : {0.0, 1.0, -1.0, 45.0, -0.125, 3599.0, 0.1, 123456.789, -32768.0})
        EXPECT_EQ(num::readNumber(num::numberLine(value)), std::optional<double>(value)) << value;
    for (const float value : {68.571426f, 0.1f, -2.5f, 1230.0f, 1e-7f, 1.5e10f}) {
        const std::optional<double> back = num::readNumber(num::singleLine(value));
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_EQ(static_cast<float>(*back), value);
    }
}
