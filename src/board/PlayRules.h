#pragma once

#include <QRectF>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace jigsaw {

// Whether a board piece at (left, top) lies in its place: within tolX of correctLeft and within
// tolY of correctTop, bounds included. The bounds are taken at single precision, as the
// positions are held.
bool liesInPlace(float left, float top, float correctLeft, float correctTop, double tolX,
                 std::int16_t tolY);

// A position computed by a drag: the left at single precision, the top in whole pixels.
struct DragPlace
{
    float left = 0;
    double top = 0;
};

// Where a dragged piece goes for a mouse at (x, y) inside it, pressed at (grabX, grabY): it
// follows the mouse, but its centre never leaves the board, so at most half the piece hangs
// over an edge.
DragPlace pieceDragPlace(float pieceLeft, float pieceTop, double x, double y, float grabX,
                         std::int16_t grabY, float pieceW, float pieceH, float boardW,
                         float boardH);

// Where the dragged box's title bar goes: it follows the mouse, at most half of it leaves the
// form sideways, and all of it stays inside the form vertically.
DragPlace boxDragPlace(float titleLeft, float titleTop, double x, double y, float grabX,
                       std::int16_t grabY, float titleW, float titleH, float innerW,
                       float innerH);

// How far a piece at `at` moves to lie on the next cell of the solved picture's grid (cells
// starting at cellStarts, in order) forwards or backwards; none past the last cell. A piece
// within half a pixel of a cell lies on it.
std::optional<double> toNextCell(double at, const std::vector<double> &cellStarts, bool forward);

// What the take-out from the box reads, as the player sees it, in the form's pixels: the view,
// the board as shown in it (its top-left is outside the view when it is scrolled), the box
// when it is shown, and the scale the board is shown at; the piece's size in picture pixels.
struct TakeOutInput
{
    QRectF view;
    QRectF board;
    std::optional<QRectF> box; // the title bar and the panel below it
    double scale = 1;
    float pieceW = 0;
    float pieceH = 0;
};

// Where, on the board, a piece taken out of the box lands: in the part of the view the box does
// not cover, next to the box on the side where there is more room (inside the right edge of
// what the view shows, when the box lies elsewhere), halfway down the view; always inside what
// the view shows of the board. None when the box leaves the piece no room in the view.
struct TakeOutPlace
{
    float left = 0;
    float top = 0;
};
std::optional<TakeOutPlace> takeOutPlace(const TakeOutInput &in);

// The library name a completed picture gets when it is not yet one of the library's numbered
// pictures: "ジグソー画像" + (libraryPictureCount + 1) + the old name from its first "." on.
// None for a picture that already has a library name. When that name is taken (an earlier
// completion of this run, or a gap in the library's numbers), the next free number is used, so
// a completed picture never replaces one already in the library.
std::optional<QString> libraryNameFor(const QString &imageFileName,
                                      std::int16_t libraryPictureCount,
                                      const std::function<bool(const QString &)> &isTaken = {});

// The library name after one that libraryNameFor gave: "ジグソー画像16.jpg" after
// "ジグソー画像15.jpg".
QString nextLibraryName(const QString &libraryName);

} // namespace jigsaw
