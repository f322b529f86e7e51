#pragma once

#include <QRect>

class QWidget;

// Positions and sizes of controls in pixels, held at single precision. The game's geometry is
// fractional (a 480-pixel board cut 7 x 7 has pieces 68.571426 high) and every computation
// reads its inputs back from the controls, so the controls must give back exactly what was
// stored; the widgets themselves show the values rounded.
namespace jigsaw::geom {

float left(const QWidget *w);
float top(const QWidget *w);
float width(const QWidget *w);
float height(const QWidget *w);

void setLeft(QWidget *w, double value);
void setTop(QWidget *w, double value);
void setWidth(QWidget *w, double value);
void setHeight(QWidget *w, double value);
void move(QWidget *w, double left, double top);
void resize(QWidget *w, double width, double height);
void setGeometry(QWidget *w, double left, double top, double width, double height);

// The whole-pixel rectangle a control covers for the given single-precision geometry. Edges
// are rounded, not sizes, so controls laid edge to edge at fractional positions show neither
// gaps nor overlaps.
QRect pixelRect(float left, float top, float width, float height);

// Design values are given in twips; 15 twips make one pixel.
constexpr double twips(double value) { return value / 15.0; }

} // namespace jigsaw::geom
