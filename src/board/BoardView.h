#pragma once

#include <QPoint>
#include <QPointF>
#include <QSizeF>

#include <array>
#include <optional>

namespace jigsaw {

// What the board view's size depends on, in window pixels: the board as the view shows it, at
// the zoom's scale.
struct BoardViewInput
{
    float scaleWidth = 0;  // client area of the form
    float scaleHeight = 0;
    float boardLeft = 0;   // the board inside the view
    float boardTop = 0;
    float boardWidth = 0;
    float boardHeight = 0;
    float vScrollWidth = 0;   // the view's vertical scroll bar
    float hScrollHeight = 0;  // the view's horizontal scroll bar
    float statusBarHeight = 0;
    float timePanelHeight = 0;
};

// The board view sized to the board, with the scroll bars it needs.
struct BoardViewFit
{
    float viewWidth = 0;
    float viewHeight = 0;
    bool horizontal = false; // the board is wider than the room: horizontal scrolling
    bool vertical = false;   // the board is higher than the room: vertical scrolling
};

// Fits the view into the form: the board's own size where it fits, the room left otherwise
// (the room keeps space for two vertical scroll bars' width, and below for the horizontal
// scroll bar, the status bar, the time panel and 5 pixels, whether they are shown or not).
BoardViewFit fitBoardView(const BoardViewInput &in);

// A scroll bar's range for a board side shown larger than its view: one step is one pixel of
// the view, and the last step shows the board's far edge.
int scrollMaxFor(double boardSide, double viewSide);

// What the scale that fits the board to the screen depends on: the form and its bars in window
// pixels, the board and the box's strip of slots in picture pixels.
struct FitInput
{
    BoardViewInput view;       // with the board at its own size
    float boxStripWidth = 0;   // 0 when the piece count has no box layout
    float boxBarWidth = 0;     // the box's scroll bar
    float boxSlotHeight = 0;   // a piece's height
};

// The largest scale, never above 1, at which the whole board fits its view and the piece box
// fits beside the view's scroll bar where its home is; 1 for a board that fits as it is.
double fitScale(const FitInput &in);

// The scales the player steps through with the keys and the wheel, and picks in the menu.
inline constexpr std::array<double, 4> kZoomSteps{0.25, 0.5, 1.0, 2.0};

// The next step in or out from a scale (the fitted one lies between steps); none past the
// ends. Out goes below the smallest step only to the fitted scale, when that is smaller.
std::optional<double> zoomStep(double scale, bool in, double fitted);

// The percentage a scale is shown as: whole percents, never 0.
int zoomPercent(double scale);

// How far the view scrolls in one tick while a dragged piece is held at `at` (the mouse, in
// the view's pixels): towards each edge the mouse is near or past, the faster the nearer.
QPoint edgeScrollStep(QPointF at, QSizeF view);

} // namespace jigsaw
