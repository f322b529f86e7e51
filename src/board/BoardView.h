#pragma once

#include <cstdint>

namespace jigsaw {

// What the board view's size depends on, in pixels as read back from the controls.
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
    std::int16_t hMax = 0;   // scroll ranges, meaningful only when scrolling is needed
    std::int16_t vMax = 0;
};

// Fits the view into the form: the board's own size where it fits, the room left otherwise
// (the room keeps space for two vertical scroll bars' width, and below for the horizontal
// scroll bar, the status bar, the time panel and 5 pixels, whether they are shown or not).
BoardViewFit fitBoardView(const BoardViewInput &in);

// A scroll bar's maximum for a board side larger than its view: one step scrolls 10 pixels,
// the remainder rounded to the nearest step, halves to even.
std::int16_t scrollMaxFor(double boardSide, double viewSide);

// The board's offset for a scroll bar's value.
std::int16_t boardOffsetFor(int scrollValue);

} // namespace jigsaw
