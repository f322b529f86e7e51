#include "platform/Geometry.h"

#include <QVariant>
#include <QWidget>

#include <cmath>

namespace jigsaw::geom {

namespace {

// The exact geometry rides on the widget as a property; a widget never given one reports its
// own whole-pixel geometry.
constexpr char kProperty[] = "jigsawGeometry";

QRectF stored(const QWidget *w)
{
    const QVariant value = w->property(kProperty);
    return value.isValid() ? value.toRectF() : QRectF(w->geometry());
}

void store(QWidget *w, float l, float t, float wd, float ht)
{
    w->setProperty(kProperty, QRectF(l, t, wd, ht));
    const QRect pixels = pixelRect(l, t, wd, ht);
    if (w->geometry() != pixels)
        w->setGeometry(pixels);
}

int edge(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace

QRect pixelRect(float l, float t, float wd, float ht)
{
    const int x1 = edge(l);
    const int y1 = edge(t);
    const int x2 = edge(static_cast<double>(l) + static_cast<double>(wd));
    const int y2 = edge(static_cast<double>(t) + static_cast<double>(ht));
    return QRect(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1));
}

float left(const QWidget *w) { return static_cast<float>(stored(w).x()); }
float top(const QWidget *w) { return static_cast<float>(stored(w).y()); }
float width(const QWidget *w) { return static_cast<float>(stored(w).width()); }
float height(const QWidget *w) { return static_cast<float>(stored(w).height()); }

void setGeometry(QWidget *w, double l, double t, double wd, double ht)
{
    store(w, static_cast<float>(l), static_cast<float>(t), static_cast<float>(wd),
          static_cast<float>(ht));
}

void setLeft(QWidget *w, double value)
{
    const QRectF r = stored(w);
    setGeometry(w, value, r.y(), r.width(), r.height());
}

void setTop(QWidget *w, double value)
{
    const QRectF r = stored(w);
    setGeometry(w, r.x(), value, r.width(), r.height());
}

void setWidth(QWidget *w, double value)
{
    const QRectF r = stored(w);
    setGeometry(w, r.x(), r.y(), value, r.height());
}

void setHeight(QWidget *w, double value)
{
    const QRectF r = stored(w);
    setGeometry(w, r.x(), r.y(), r.width(), value);
}

void move(QWidget *w, double l, double t)
{
    const QRectF r = stored(w);
    setGeometry(w, l, t, r.width(), r.height());
}

void resize(QWidget *w, double wd, double ht)
{
    const QRectF r = stored(w);
    setGeometry(w, r.x(), r.y(), wd, ht);
}

} // namespace jigsaw::geom
