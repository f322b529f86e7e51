#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The game's number rules, kept in one place: how values become 16-bit whole numbers, how
// Int rounds, and how numbers are written to and read from the game's text files.
namespace jigsaw::num {

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Values that do not fit a signed 16-bit integer after rounding, and NaN, give
// no result: the caller decides what such a value means.
std::optional<std::int16_t> toInt16(double value);

// Like toInt16 for values that are in range by construction (piece geometry, slot positions);
// an out-of-range value saturates instead of wrapping.
std::int16_t toInt16Clamped(double value);

// The same rules for the board's live positions, which reach past 16 bits on a large picture
// (a slot of the piece box may lie 300000 pixels down the strip): only stored numbers keep
// the 16-bit range.
std::optional<std::int32_t> toInt32(double value);
std::int32_t toInt32Clamped(double value);

// Rounds to the nearest whole number, halves to even, without a range limit.
double roundHalfEven(double value);

// Int: rounds down towards minus infinity (Int(-2.5) is -3).
double intDown(double value);

// Rounds a value to single precision.
float toSingle(double value);

// The "00" format: at least two digits, zero-padded ("07", "12", "123", "-05").
QString format00(long long value);

// Decimal text of a number as the game writes it: whole numbers without a point, fractions
// with "." and no leading zero (".5", "-1.25"), at most 15 significant digits.
QString numberText(double value);

// Decimal text of a number as a label shows it: as numberText, with the leading zero ("0.5",
// "-0.25").
QString shownText(double value);

// The same for a single-precision value: the shortest text of at most 7 significant digits
// that reads back as the same single ("68.57143", "1230").
QString singleText(float value);

// A number on a line of its own: a space before (a minus sign takes its place) and a space
// behind: " 12 ", "-3 ", " .5 ".
QString numberLine(double value);
QString singleLine(float value);

// Reads a number from a line, ignoring spaces around it. Accepts what numberText and
// singleText write (and a leading zero). Anything else, including an empty line, gives no
// result.
std::optional<double> readNumber(QStringView line);

// The value of a text the player typed, or a saved game holds, when it is numeric as the game
// has always judged it: spaces around it (full-width ones too), a sign in front ("+", "-"),
// digits that "," may group ("1,000"), a decimal point (".5", "5."), an exponent ("1E3",
// "2.5e-1", "1D3"), each also in its full-width form ("１０", "－５"). No result for any other
// text, an empty one included, nor for a number past what a double holds.
std::optional<double> readNumeric(QStringView text);

} // namespace jigsaw::num
