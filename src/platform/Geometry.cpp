#include "platform/Geometry.h"

#include <QVariant>
#include <QWidget>

#include <cmath>

namespace jigsaw::geom {

namespace {

// The exact geometry rides on the widget as a property; a widget never given one reports its
// own whole-pixel geometry.
constexpr char kProperty[] = "jigsawGeometry";
// The zoom a control is shown through, on the control itself.
constexpr char kZoomProperty[] = "jigsawZoom";

QRectF stored(const QWidget *w)
{
    const QVariant value = w->property(kProperty);
    return value.isValid() ? value.toRectF() : QRectF(w->geometry());
}

const Zoom *zoomOf(const QWidget *w)
{
    return qobject_cast<const Zoom *>(w->property(kZoomProperty).value<QObject *>());
}

double ownScale(const QWidget *w)
{
    const Zoom *zoom = zoomOf(w);
    return zoom ? zoom->scale() : 1.0;
}

int edge(double value)
{
    return static_cast<int>(std::lround(value));
}

QRect pixelEdges(double x1, double y1, double x2, double y2)
{
    const int left = edge(x1);
    const int top = edge(y1);
    return QRect(left, top, std::max(0, edge(x2) - left), std::max(0, edge(y2) - top));
}

// The widget's pixels for its geometry: its place at its container's scale, its size at its
// own.
QRect shownRect(const QWidget *w, const QRectF &r)
{
    const QWidget *parent = w->parentWidget();
    const double outer = parent ? contentScale(parent) : 1.0;
    const double inner = outer * ownScale(w);
    const double x = r.x() * outer;
    const double y = r.y() * outer;
    return pixelEdges(x, y, x + r.width() * inner, y + r.height() * inner);
}

void store(QWidget *w, float l, float t, float wd, float ht)
{
    const QRectF exact(l, t, wd, ht);
    w->setProperty(kProperty, exact);
    const QRect pixels = shownRect(w, exact);
    if (w->geometry() != pixels)
        w->setGeometry(pixels);
}

// Shows a control and everything on it again at the scales they are shown at now.
void replace(QWidget *w)
{
    if (w->property(kProperty).isValid()) {
        const QRect pixels = shownRect(w, stored(w));
        if (w->geometry() != pixels)
            w->setGeometry(pixels);
    }
    w->update();
    for (QObject *child : w->children()) {
        if (child->isWidgetType())
            replace(static_cast<QWidget *>(child));
    }
}

// A control's top-left corner in its window's pixels.
QPointF originInWindow(const QWidget *w)
{
    const QWidget *parent = w->isWindow() ? nullptr : w->parentWidget();
    if (!parent)
        return {};
    const bool exact = w->property(kProperty).isValid();
    const QPointF place = exact ? stored(w).topLeft()
                                : QPointF(w->pos()) / contentScale(parent);
    return originInWindow(parent) + place * contentScale(parent);
}

} // namespace

QRect pixelRect(float l, float t, float wd, float ht)
{
    return pixelEdges(l, t, static_cast<double>(l) + static_cast<double>(wd),
                      static_cast<double>(t) + static_cast<double>(ht));
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

Zoom::Zoom(QObject *parent)
    : QObject(parent)
{
}

void Zoom::setScale(double scale)
{
    if (!(scale > 0) || scale == m_scale)
        return;
    m_scale = scale;
    for (const QPointer<QWidget> &control : m_controls) {
        if (control)
            replace(control);
    }
    emit scaleChanged();
}

void Zoom::show(QWidget *control)
{
    control->setProperty(kZoomProperty, QVariant::fromValue<QObject *>(this));
    m_controls.append(control);
    replace(control);
}

double contentScale(const QWidget *w)
{
    double scale = 1;
    for (const QWidget *at = w; at; at = at->isWindow() ? nullptr : at->parentWidget())
        scale *= ownScale(at);
    return scale;
}

float shownWidth(const QWidget *w)
{
    return static_cast<float>(static_cast<double>(width(w)) * contentScale(w));
}

float shownHeight(const QWidget *w)
{
    return static_cast<float>(static_cast<double>(height(w)) * contentScale(w));
}

QPointF map(const QWidget *from, QPointF at, const QWidget *to)
{
    const QPointF inWindow = originInWindow(from) + at * contentScale(from);
    return (inWindow - originInWindow(to)) / contentScale(to);
}

} // namespace jigsaw::geom
