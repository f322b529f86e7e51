#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QRect>

class QWidget;

// Positions and sizes of controls in pixels, held at single precision. The game's geometry is
// fractional (a 480-pixel board cut 7 x 7 has pieces 68.571426 high) and every computation
// reads its inputs back from the controls, so the controls must give back exactly what was
// stored; the widgets themselves show the values rounded.
//
// What a zoom shows (the board, its pieces, the box's pieces) is measured in picture pixels
// all the same: the zoom is applied here, where a control's geometry becomes the widget's,
// and undone where the mouse arrives, so that no handler ever sees a scaled number.
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

// The scale at which a scene measured in picture pixels is shown. A control shown through a
// zoom keeps its place in its container's own units (a board's scroll offset, a strip's), while
// its size and everything on it are picture pixels shown at the zoom's scale.
class Zoom : public QObject
{
    Q_OBJECT

public:
    explicit Zoom(QObject *parent = nullptr);

    double scale() const { return m_scale; }
    // Re-places every control shown through the zoom, and everything on them.
    void setScale(double scale);
    // From now on the control and everything on it are shown through this zoom.
    void show(QWidget *control);

signals:
    void scaleChanged();

private:
    double m_scale = 1;
    QList<QPointer<QWidget>> m_controls;
};

// How many window pixels one unit on the control stands for: the scale of the zoom it is
// shown through, 1 for a control shown through none.
double contentScale(const QWidget *w);

// A control's size as the window shows it, in window pixels: the unit of every control that
// is shown through no zoom.
float shownWidth(const QWidget *w);
float shownHeight(const QWidget *w);

// A point given in one control's units, in another's of the same window.
QPointF map(const QWidget *from, QPointF at, const QWidget *to);

} // namespace jigsaw::geom
