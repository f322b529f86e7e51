#include "board/CaptionLabel.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace jigsaw {

namespace {

// The lines of the game's messages lie as close as the game's Japanese fonts always set them:
// a quarter of the font's size between lines, not the generous spacing of today's CJK fonts,
// under which the four-line congratulation would run past the panel.
constexpr double kLineHeightPerPixelSize = 1.25;

} // namespace

CaptionLabel::CaptionLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CaptionLabel::setCaption(const QString &caption)
{
    setText(caption);
    QString lines = caption;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setAccessibleName(lines);
}

int CaptionLabel::heightForWidth(int width) const
{
    const QMargins margins = contentsMargins();
    const QRect area(0, 0, width - margins.left() - margins.right(), 0);
    const double height = layOutLines(area, nullptr);
    return static_cast<int>(std::ceil(height)) + margins.top() + margins.bottom();
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    layOutLines(contentsRect(), &painter);
}

double CaptionLabel::layOutLines(const QRect &area, QPainter *painter) const
{
    QString shown = text();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QFont shownFont = font();
    const double lineHeight =
        std::ceil(QFontInfo(shownFont).pixelSize() * kLineHeightPerPixelSize);
    const double ascent = QFontMetricsF(shownFont).ascent();
    const double descent = QFontMetricsF(shownFont).descent();
    // The glyphs sit in the middle of their shortened line.
    const double baselineInLine = (lineHeight + ascent - descent) / 2;

    double top = area.top();
    for (const QString &paragraph : shown.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, shownFont, this);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition(QPointF(area.left(), top + baselineInLine - line.ascent()));
            top += lineHeight;
        }
        layout.endLayout();
        if (painter)
            layout.draw(painter, QPointF());
    }
    return top - area.top();
}

} // namespace jigsaw
