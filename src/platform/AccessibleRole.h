#pragma once

#include <QAccessible>

class QWidget;

namespace jigsaw::access {

// Gives a plain widget of the game (a piece, a slot of the box, a thumbnail) the role a screen
// reader should announce it by, instead of the anonymous filler of a bare widget. Call it
// before anything else asks for the widget's accessible interface (setting its accessible name
// does), since Qt keeps the first interface made for a widget.
void setRole(QWidget *widget, QAccessible::Role role);

} // namespace jigsaw::access
