#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>

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

namespace {

template <typename Whole>
std::optional<Whole> toWhole(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= std::numeric_limits<Whole>::min()
          && rounded <= std::numeric_limits<Whole>::max()))
        return std::nullopt; // also rejects NaN
    return static_cast<Whole>(rounded);
}

template <typename Whole>
Whole toWholeClamped(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<Whole>::min())
        return std::numeric_limits<Whole>::min();
    if (rounded > std::numeric_limits<Whole>::max())
        return std::numeric_limits<Whole>::max();
    return static_cast<Whole>(rounded);
}

} // namespace

std::optional<std::int16_t> toInt16(double value)
{
    return toWhole<std::int16_t>(value);
}

std::int16_t toInt16Clamped(double value)
{
    return toWholeClamped<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value)
{
    return toWhole<std::int32_t>(value);
}

std::int32_t toInt32Clamped(double value)
{
    return toWholeClamped<std::int32_t>(value);
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
    // The sign goes in front of the two digits: "-05", not "-5".
    const QString digits = QStringLiteral("%1").arg(value < 0 ? -(value + 1) + 1ULL : 0ULL + value,
                                                     2, 10, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

namespace {

// Decimal text rounded to `digits` significant digits: fixed notation while the decimal
// exponent is below `maxDigits` (and the value not tiny), otherwise "1.5E+07"; trailing zeros
// of a fraction are dropped and "0." is shortened to ".".
QString shortDecimal(double value, int digits, int maxDigits)
{
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*E", digits - 1, value);
    const QString scientific = QString::fromLatin1(buffer);
    const int exponent = scientific.mid(scientific.indexOf(QLatin1Char('E')) + 1).toInt();
    QString text;
    if (exponent >= maxDigits || exponent < -5) {
        const qsizetype e = scientific.indexOf(QLatin1Char('E'));
        text = scientific.left(e);
        const QString tail = scientific.mid(e);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        return text + tail;
    }
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, digits - 1 - exponent), value);
    text = QString::fromLatin1(buffer);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

QString asLine(const QString &text)
{
    return text.startsWith(QLatin1Char('-')) ? text + QLatin1Char(' ')
                                             : QLatin1Char(' ') + text + QLatin1Char(' ');
}

} // namespace

QString numberText(double value)
{
    return shortDecimal(value, 15, 15);
}

QString shownText(double value)
{
    const QString text = numberText(value);
    if (text.startsWith(QLatin1Char('.')))
        return QLatin1Char('0') + text;
    if (text.startsWith(QLatin1String("-.")))
        return QStringLiteral("-0") + text.mid(1);
    return text;
}

QString singleText(float value)
{
    for (int digits = 1; digits < 7; ++digits) {
        const QString text = shortDecimal(value, digits, 7);
        const std::optional<double> back = readNumber(text);
        if (back && static_cast<float>(*back) == value)
            return text;
    }
    return shortDecimal(value, 7, 7);
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

namespace {

// The half-width form of a character: full-width ASCII forms and the ideographic space fold
// onto ASCII, and the minus sign onto "-".
char16_t halfWidth(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E)
        return static_cast<char16_t>(c - 0xFEE0);
    if (c == 0x3000)
        return u' ';
    if (c == 0x2212)
        return u'-';
    return c;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<double> readNumeric(QStringView text)
{
    QString folded;
    folded.reserve(text.size());
    for (const QChar c : text)
        folded.append(QChar(halfWidth(c.unicode())));
    const QString trimmed = folded.trimmed();

    // The text is checked character by character and rewritten as from_chars reads it: no
    // "+", no grouping commas, "e" for the exponent.
    std::string plain;
    qsizetype at = 0;
    const qsizetype end = trimmed.size();
    const auto current = [&] { return at < end ? trimmed.at(at).unicode() : char16_t(0); };
    if (current() == u'+' || current() == u'-') {
        if (current() == u'-')
            plain += '-';
        ++at;
    }
    int digits = 0;
    while (isDigit(current())) {
        plain += static_cast<char>(current());
        ++digits;
        ++at;
        // A comma groups digits: it stands between two of them.
        if (current() == u',' && at + 1 < end && isDigit(trimmed.at(at + 1).unicode()))
            ++at;
    }
    if (current() == u'.') {
        plain += '.';
        ++at;
        while (isDigit(current())) {
            plain += static_cast<char>(current());
            ++digits;
            ++at;
        }
    }
    if (digits == 0)
        return std::nullopt;
    const char16_t exponent = current();
    if (exponent == u'E' || exponent == u'e' || exponent == u'D' || exponent == u'd') {
        plain += 'e';
        ++at;
        if (current() == u'+' || current() == u'-') {
            plain += static_cast<char>(current());
            ++at;
        }
        if (!isDigit(current()))
            return std::nullopt;
        while (isDigit(current())) {
            plain += static_cast<char>(current());
            ++at;
        }
    }
    if (at != end)
        return std::nullopt;

    double value = 0;
    const char *first = plain.data();
    const char *last = first + plain.size();
    const auto [where, error] = std::from_chars(first, last, value);
    if (error != std::errc() || where != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace jigsaw::num
