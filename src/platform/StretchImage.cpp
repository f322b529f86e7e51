#include "StretchImage.h"

#include "AccessibleRole.h"
#include "KeyboardCues.h"
#include "PictureLoader.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace jigsaw {

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
    // Thumbnails come made to the control's size; anything else is stretched here by this
    // thread alone, never handed to a pool of threads that share its pixels.
    m_shown = QPixmap::fromImage(m_picture.size() == size()
                                     ? m_picture
                                     : picture::stretchPicture(m_picture, size()));
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
    // Only once the keyboard is in use: before that it would read as a second selection.
    if (hasFocus() && cues::shown(this)) {
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
        cues::keyboardUsed(this);
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

} // namespace jigsaw
