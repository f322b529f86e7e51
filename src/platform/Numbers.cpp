#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace jigsaw::num {

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1.0;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<std::int16_t> toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min()
          && rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt; // also rejects NaN
    return static_cast<std::int16_t>(rounded);
}

std::int16_t toInt16Clamped(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    if (rounded > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

double intDown(double value)
{
    return std::floor(value);
}

float toSingle(double value)
{
    return static_cast<float>(value);
}

QString format00(long long value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

namespace {

// printf's %.*G with trailing zeros of the fraction removed and "0." shortened to ".".
QString shortDecimal(double value, int digits)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    QString text = QString::fromLatin1(buffer);
    const qsizetype exponent = text.indexOf(QLatin1Char('E'));
    QString mantissa = exponent < 0 ? text : text.left(exponent);
    const QString tail = exponent < 0 ? QString() : text.mid(exponent);
    if (mantissa.contains(QLatin1Char('.'))) {
        while (mantissa.endsWith(QLatin1Char('0')))
            mantissa.chop(1);
        if (mantissa.endsWith(QLatin1Char('.')))
            mantissa.chop(1);
    }
    if (mantissa.startsWith(QLatin1String("0.")))
        mantissa.remove(0, 1);
    else if (mantissa.startsWith(QLatin1String("-0.")))
        mantissa.remove(1, 1);
    if (mantissa == QLatin1String("-0"))
        mantissa = QStringLiteral("0");
    return mantissa + tail;
}

QString asLine(const QString &text)
{
    return text.startsWith(QLatin1Char('-')) ? text + QLatin1Char(' ')
                                             : QLatin1Char(' ') + text + QLatin1Char(' ');
}

} // namespace

QString numberText(double value)
{
    return shortDecimal(value, 15);
}

QString singleText(float value)
{
    for (int digits = 1; digits < 7; ++digits) {
        const QString text = shortDecimal(value, digits);
        const std::optional<double> back = readNumber(text);
        if (back && static_cast<float>(*back) == value)
            return text;
    }
    return shortDecimal(value, 7);
}

QString numberLine(double value)
{
    return asLine(numberText(value));
}

QString singleLine(float value)
{
    return asLine(singleText(value));
}

std::optional<double> readNumber(QStringView line)
{
    const QByteArray text = line.trimmed().toLatin1();
    if (text.isEmpty() || text.startsWith('+'))
        return std::nullopt;
    double value = 0;
    const char *end = text.constData() + text.size();
    const auto [where, error] = std::from_chars(text.constData(), end, value);
    if (error != std::errc() || where != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace jigsaw::num
