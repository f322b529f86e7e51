#include "select/SelectControls.h"

#include <QPainter>
#include <QTextOption>

namespace jigsaw {

MarkerShape::MarkerShape(const QColor &color, int borderWidth, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
    , m_borderWidth(borderWidth)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MarkerShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal half = m_borderWidth / 2.0;
    painter.setPen(QPen(m_color, m_borderWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

PathLabel::PathLabel(QWidget *parent)
    : QLabel(parent)
{
}

void PathLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QRectF(contentsRect()), text(), option);
}

} // namespace jigsaw
