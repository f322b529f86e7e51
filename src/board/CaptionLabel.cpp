#include "board/CaptionLabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace jigsaw {

namespace {

constexpr qreal kSmallestPointSize = 6.5;

} // namespace

CaptionLabel::CaptionLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QString shown = text();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QRect area = contentsRect();
    const int flags = static_cast<int>(alignment()) | Qt::TextWordWrap;
    // The longest messages (the congratulation wraps to four lines) are taller than the
    // designed label; they are drawn a little smaller rather than losing their last line.
    QFont fitted = font();
    for (qreal size = fitted.pointSizeF(); size > kSmallestPointSize; size -= 0.5) {
        fitted.setPointSizeF(size);
        if (QFontMetrics(fitted).boundingRect(area, flags, shown).height() <= area.height())
            break;
    }
    QPainter painter(this);
    painter.setFont(fitted);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, flags, shown);
}

} // namespace jigsaw
