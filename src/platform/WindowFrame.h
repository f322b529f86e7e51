#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// A form's outer frame as the window system draws it (title bar and borders around the client
// area), and placing forms by that frame within the part of the screen the desktop leaves free.
namespace jigsaw::frame {

// The decorations around the form's client area. Before a form is first shown the window
// system has not told them yet: they are taken from another form of the program that is shown
// (the same window manager decorates them alike); none when no form shows any.
QMargins decorationOf(const QWidget *form);

// The part of the form's screen (the primary screen when it has none yet) that windows may
// cover: the screen less the desktop's panels.
QRect availableArea(const QWidget *form);

// Where a form goes whose outer frame spans the screen's width and its height less
// marginBelow pixels: at the top-left corner of the available area, and never larger than
// that area, so that no part of it (its status bar least of all) lies under a desktop panel.
struct FramePlace
{
    QRect outer;  // the frame, title bar and borders included
    QSize client; // the form's own size inside the decorations
};
FramePlace screenSpanningFrame(const QRect &screen, const QRect &available,
                               const QMargins &decoration, int marginBelow);

// Sizes and places the form as the frame says.
void place(QWidget *form, const FramePlace &frame);

// Places the form's frame centred over another form, or over the screen when there is none,
// and wholly inside the available area as far as it fits.
void centreOver(QWidget *form, const QWidget *over);

// Moves the form as little as needed for all of its frame to lie inside the available area.
void keepInside(QWidget *form);

} // namespace jigsaw::frame
