#include "board/PictureBox.h"

#include "platform/AccessibleRole.h"
#include "platform/Geometry.h"
#include "platform/KeyboardCues.h"
#include "platform/ScaledPicture.h"
#include "platform/PictureRows.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <algorithm>

namespace jigsaw {

namespace {

int buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= PictureBox::LeftButton;
    if (buttons & Qt::RightButton)
        code |= PictureBox::RightButton;
    if (buttons & Qt::MiddleButton)
        code |= PictureBox::MiddleButton;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= PictureBox::ShiftKey;
    if (modifiers & Qt::ControlModifier)
        code |= PictureBox::CtrlKey;
    if (modifiers & Qt::AltModifier)
        code |= PictureBox::AltKey;
    return code;
}

// A notch of the wheel turns it 120 eighths of a degree.
constexpr double kNotch = 120;

} // namespace

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
    , m_backColor(palette().color(QPalette::Window))
{
    // The box paints every pixel itself, so moving a box over another repaints only the
    // uncovered strip of what lies below.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void PictureBox::setBackColor(const QColor &color)
{
    m_backColor = color;
    update();
}

void PictureBox::setForeColor(const QColor &color)
{
    m_foreColor = color;
    if (!m_lines.isEmpty())
        update();
}

void PictureBox::setPicture(const QImage &picture, const QRect &source,
                            picture::PictureRows *rows)
{
    m_picture = picture;
    m_source = source.isNull() ? picture.rect() : source & picture.rect();
    watchRows(picture.isNull() ? nullptr : rows);
    if (m_autoSize && !picture.isNull())
        geom::resize(this, m_source.width(), m_source.height());
    update();
}

void PictureBox::clearPicture()
{
    if (m_picture.isNull())
        return;
    m_picture = QImage();
    m_source = QRect();
    watchRows(nullptr);
    update();
}

void PictureBox::watchRows(picture::PictureRows *rows)
{
    if (m_rows == rows)
        return;
    if (m_rows)
        m_rows->disconnect(this);
    m_rows = rows;
    if (!rows || rows->isComplete())
        return;
    connect(rows, &picture::PictureRows::rowsFinal, this, &PictureBox::rowsFinal);
    connect(rows, &picture::PictureRows::standInChanged, this, [this] {
        if (isVisible() && !m_rows->areFinal(m_source.top(), m_source.bottom() + 1))
            update();
    });
}

void PictureBox::rowsFinal(int top, int bottom)
{
    const int from = std::max(top, m_source.top());
    const int to = std::min(bottom, m_source.bottom() + 1);
    if (from < to && isVisible()) {
        const double scale = geom::contentScale(this);
        const int shownTop = static_cast<int>(std::floor((from - m_source.top()) * scale));
        const int shownBottom = static_cast<int>(std::ceil((to - m_source.top()) * scale));
        update(0, shownTop, width(), shownBottom - shownTop);
    }
}

QImage PictureBox::shownPicture() const
{
    return m_source == m_picture.rect() ? m_picture : m_picture.copy(m_source);
}

void PictureBox::setWheelScrollBars(QScrollBar *vertical, QScrollBar *horizontal,
                                    bool zoomsByWheel)
{
    m_wheelVertical = vertical;
    m_wheelHorizontal = horizontal;
    m_zoomsByWheel = zoomsByWheel;
}

void PictureBox::wheelEvent(QWheelEvent *event)
{
    QPoint delta = event->angleDelta();
    if (m_zoomsByWheel && (event->modifiers() & Qt::ControlModifier)) {
        const double scale = geom::contentScale(this);
        const int turned = delta.y() != 0 ? delta.y() : delta.x();
        emit wheelZoom(turned / kNotch, event->position().x() / scale,
                       event->position().y() / scale);
        event->accept();
        return;
    }
    // Shift turns the wheel sideways, as in the scroll areas of other programs.
    if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0)
        delta = QPoint(delta.y(), 0);
    const bool along = delta.y() != 0;
    QScrollBar *bar = along ? m_wheelVertical : m_wheelHorizontal;
    // A board only too wide to fit scrolls sideways under the plain wheel.
    if (along && (!bar || bar->isHidden()))
        bar = m_wheelHorizontal;
    if (!bar || bar->isHidden()) {
        event->ignore();
        return;
    }
    // The bar scrolls by its own steps; the keys held would make it scroll by pages.
    QWheelEvent plain(event->position(), event->globalPosition(), event->pixelDelta(), delta,
                      event->buttons(), Qt::NoModifier, event->phase(), event->inverted(),
                      event->source());
    QCoreApplication::sendEvent(bar, &plain);
    event->setAccepted(plain.isAccepted());
}

void PictureBox::setKeyboardReachable(bool reachable)
{
    m_keyboardReachable = reachable;
    setFocusPolicy(reachable ? Qt::StrongFocus : Qt::NoFocus);
    // A picture the player handles, not the anonymous filler a bare widget would read as.
    if (reachable)
        access::setRole(this, QAccessible::Graphic);
}

bool PictureBox::event(QEvent *event)
{
    if (m_keyboardReachable && event->type() == QEvent::KeyPress)
        cues::keyboardUsed(this);
    // Tab moves between the game's own pieces, not along Qt's chain of every control.
    if (m_keyboardReachable && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent *>(event));
            return true;
        }
    }
    return QWidget::event(event);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    if (!m_keyboardReachable) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit keyDown(event->key(), shiftCode(event->modifiers()));
}

void PictureBox::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    emit focusGained();
}

void PictureBox::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
    emit focusLost();
}

void PictureBox::drawLine(const QLineF &line)
{
    m_lines.append(line);
    update();
}

void PictureBox::clearDrawing()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    update();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    const double scale = geom::contentScale(this);
    const QRect pictureArea =
        m_picture.isNull()
            ? QRect()
            : exposed
                & QRect(0, 0, static_cast<int>(std::ceil(m_source.width() * scale)),
                        static_cast<int>(std::ceil(m_source.height() * scale)));
    if (pictureArea != exposed) {
        const QRegion background = QRegion(exposed) - pictureArea;
        for (const QRect &part : background)
            painter.fillRect(part, m_backColor);
    }
    // Only the exposed part of a large picture is drawn.
    if (!pictureArea.isEmpty()) {
        if (scale == 1) {
            const QRect from = pictureArea.translated(m_source.topLeft());
            if (!m_rows || m_rows->areFinal(from.top(), from.bottom() + 1))
                painter.drawImage(pictureArea.topLeft(), m_picture, from);
            else
                paintPending(painter, pictureArea, from);
        } else if (!m_rows || m_rows->isComplete()) {
            paintScaled(painter, pictureArea, scale);
        } else {
            // While it is decoded, a zoomed picture shows its final rows and the stand-in
            // scaled as they are drawn.
            painter.save();
            painter.scale(scale, scale);
            const QRect inPicture =
                QRectF(pictureArea.x() / scale, pictureArea.y() / scale,
                       pictureArea.width() / scale, pictureArea.height() / scale)
                    .toAlignedRect()
                & QRect(QPoint(0, 0), m_source.size());
            paintPending(painter, inPicture, inPicture.translated(m_source.topLeft()));
            painter.restore();
        }
    }
    if (!m_lines.isEmpty()) {
        painter.save();
        painter.scale(scale, scale);
        painter.setPen(QPen(m_foreColor, 0));
        painter.drawLines(m_lines);
        painter.restore();
    }
    // The focus mark: a dashed frame, white over black, that shows on any picture, while the
    // piece was reached by the keys; a piece the mouse holds needs none.
    if (m_keyboardReachable && hasFocus() && cues::shown(this)) {
        const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(frame);
    }
}

void PictureBox::paintScaled(QPainter &painter, const QRect &area, double scale)
{
    // The copy made for this scale holds the screen's own pixels: its part under the area is
    // drawn one to one.
    const double ratio = devicePixelRatioF();
    const double factor = scale * ratio;
    const QImage copy = m_scaled ? m_scaled->copyOf(m_picture, factor) : QImage();
    if (!copy.isNull()) {
        const QRectF wanted(area.x() * ratio + m_source.x() * factor,
                            area.y() * ratio + m_source.y() * factor, area.width() * ratio,
                            area.height() * ratio);
        const QRectF from = wanted & QRectF(copy.rect());
        const QRectF to((from.x() - m_source.x() * factor) / ratio,
                        (from.y() - m_source.y() * factor) / ratio, from.width() / ratio,
                        from.height() / ratio);
        painter.drawImage(to, copy, from);
        return;
    }
    // Until the copy is made, and when the picture is shown larger than its own pixels: the
    // picture itself, scaled as it is drawn; smoothly only when enlarged, as smoothing a large
    // picture made small costs a frame many times over.
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, factor > 1);
    painter.scale(scale, scale);
    const QRectF to = QRectF(area.x() / scale, area.y() / scale, area.width() / scale,
                             area.height() / scale)
        & QRectF(QPointF(0, 0), QSizeF(m_source.size()));
    painter.drawImage(to, m_picture, to.translated(m_source.topLeft()));
    painter.restore();
}

void PictureBox::paintPending(QPainter &painter, const QRect &area, const QRect &from)
{
    // Under the final rows: the coarse stand-in of the whole picture, stretched over the same
    // part of it, or the box's own colour while there is none.
    const QImage standIn = m_rows->standIn();
    if (standIn.isNull()) {
        painter.fillRect(area, m_backColor);
    } else {
        const double sx = double(standIn.width()) / m_picture.width();
        const double sy = double(standIn.height()) / m_picture.height();
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(area), standIn,
                          QRectF(from.x() * sx, from.y() * sy, from.width() * sx,
                                 from.height() * sy));
        painter.restore();
    }
    for (const auto &[top, bottom] : m_rows->finalRuns(from.top(), from.bottom() + 1))
        painter.drawImage(QPoint(area.left(), area.top() + top - from.top()), m_picture,
                          QRect(from.left(), top, from.width(), bottom - top));
    // What is in sight is decoded first.
    m_rows->request(from.top(), from.bottom() + 1);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    cues::mouseUsed(this);
    const QPointF at = event->position() / geom::contentScale(this);
    emit mouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position() / geom::contentScale(this);
    emit mouseMove(buttonCode(event->buttons()), shiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = event->position() / geom::contentScale(this);
    emit mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is reported as the double-click alone.
    if (event->button() == Qt::LeftButton)
        emit dblClick();
    else
        mousePressEvent(event);
}

} // namespace jigsaw
