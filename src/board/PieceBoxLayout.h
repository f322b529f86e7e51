#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace jigsaw {

// A position in pixels at single precision, as a control holds it.
struct SlotPlace
{
    float left = 0;
    float top = 0;
};

// The piece box laid out for a piece count: its slots in solved order, the size of the strip
// and the range of the box's scroll bar. The panel holds the strip as the zoom shows it.
struct BoxLayout
{
    bool arranged = false; // false for counts the box has no arrangement for
    std::vector<SlotPlace> places;
    float stripHeight = 0;
    float stripWidth = 0;
    int scrollMax = 0;
};

// One column of slots below 50 pieces, two columns for 64, 81 (41 and 40) and 100 pieces;
// slots are a piece plus 5 pixels apart.
BoxLayout boxLayout(double pieceCount, double pieceW, float pieceH);

// The random sort key of a slot, 1 to 1000, for a uniform r in [0, 1).
std::int16_t shuffleKey(double r);

// The shuffle list's item of a slot: key&left=top, for example 537&5=1039.
QString shuffleItem(std::int32_t key, std::int32_t left, std::int32_t top);

// The slot an item names: the number between the first "&" and the first "=", and the number
// after that "=". A slot of a large picture's box lies further down than 16 bits reach.
struct BoxSlotPlace
{
    std::int32_t left = 0;
    std::int32_t top = 0;
};
std::optional<BoxSlotPlace> parseShuffleItem(QStringView item);

// The text order of a sorted list box: character by character, signs before digits and
// digits before letters, a text before every longer text it begins.
bool listBoxLess(QStringView a, QStringView b);

// Files an item into a list kept in that order, after any equal items.
void insertSorted(QStringList &items, const QString &item);

// Where the box goes: right of the board view's vertical scroll bar when the title bar fits
// there, else against the right edge of the form.
float boxHomeLeft(float clientWidth, float vScrollLeft, float vScrollWidth, float titleWidth);

} // namespace jigsaw
