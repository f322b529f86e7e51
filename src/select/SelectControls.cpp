#include "select/SelectControls.h"

#include "platform/AccessibleRole.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>

#include <utility>

namespace jigsaw {

ColorButton::ColorButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // Enter presses the focused button, as Space does.
    setAutoDefault(true);
    useSystemFace();
}

QColor ColorButton::systemFaceColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

void ColorButton::setFaceColor(const QColor &color)
{
    m_face = color;
    // A style sheet is the one way every widget style honours: palette colours are ignored by
    // some native styles.
    const QColor border = color.darker(200);
    const QColor pressed = color.darker(120);
    const QColor disabledText = QApplication::palette().color(QPalette::Disabled,
                                                              QPalette::ButtonText);
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid %2;"
                                 " border-radius: 2px; padding: 1px; }"
                                 "QPushButton:pressed { background-color: %3; }"
                                 "QPushButton:disabled { color: %4; }")
                      .arg(color.name(), border.name(), pressed.name(), disabledText.name()));
}

void ColorButton::useSystemFace()
{
    setFaceColor(systemFaceColor());
}

StretchImage::StretchImage(QWidget *parent)
    : QWidget(parent)
{
    access::setRole(this, QAccessible::Graphic);
}

void StretchImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    rescale();
    update();
}

void StretchImage::clearPicture()
{
    m_picture = QImage();
    m_shown = QPixmap();
    update();
}

void StretchImage::rescale()
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0) {
        m_shown = QPixmap();
        return;
    }
    m_shown = QPixmap::fromImage(
        m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void StretchImage::setName(const QString &name)
{
    setToolTip(name);
    setAccessibleName(name);
    setFocusPolicy(name.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    if (name.isEmpty() && hasFocus())
        clearFocus();
}

void StretchImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_shown.isNull())
        painter.drawPixmap(0, 0, m_shown);
    // The focus frame: an outline around the whole picture, unlike the red square that marks
    // the selected one; blue dashes on white, so that it shows on dark and light pictures alike.
    if (hasFocus()) {
        const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        painter.setPen(QPen(Qt::white, 3));
        painter.drawRect(frame);
        painter.setPen(QPen(QColor(0, 0, 160), 3, Qt::DashLine));
        painter.drawRect(frame);
    }
}

bool StretchImage::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            emit tabbedOut(key == Qt::Key_Tab);
            return true;
        }
    }
    return QWidget::event(event);
}

void StretchImage::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        emit arrowPressed(event->key());
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}

void StretchImage::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void StretchImage::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void StretchImage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rescale();
}

void StretchImage::mousePressEvent(QMouseEvent *event)
{
    m_secondClick = false;
    event->setAccepted(event->button() == Qt::LeftButton);
}

// A double-click is one click for the game: its second press and release are not another.
void StretchImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_secondClick = event->button() == Qt::LeftButton;
    event->setAccepted(event->button() == Qt::LeftButton);
}

// A click is a left press and release both on the picture.
void StretchImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (std::exchange(m_secondClick, false))
        return;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

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
