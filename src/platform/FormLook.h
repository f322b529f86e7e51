#pragma once

#include <QColor>

class QWidget;

// The forms' own design on every desktop: where the game paints a background of its own it
// also chooses the text colour on it, so that a dark desktop theme never puts white text on the
// game's light colours; and the forms keep the game's font size, so that a desktop's larger
// font never cuts the text of their fixed-size controls.
namespace jigsaw::look {

// Black or white, whichever reads better on the colour.
QColor textOn(const QColor &background);

// Fills the widget's background with the colour and writes its text, and that of its children
// that paint no background of their own, in textOn(colour).
void paintBackground(QWidget *widget, const QColor &background);

// Text on the widget, and on its children, reads on the colour the widget paints itself.
void writeOn(QWidget *widget, const QColor &background);

// The form and its controls keep the game's font whatever font the desktop gives the
// application, now or later.
void keepGameFont(QWidget *form);

} // namespace jigsaw::look
