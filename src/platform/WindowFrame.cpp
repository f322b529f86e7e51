#include "WindowFrame.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace jigsaw::frame {

namespace {

QMargins measuredDecoration(const QWidget *form)
{
    if (!form->isVisible())
        return {};
    const QRect outer = form->frameGeometry();
    const QRect inner = form->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(),
            outer.right() - inner.right(), outer.bottom() - inner.bottom()};
}

// The form's size once its layout has settled: a form whose controls fix its size takes that
// size only when its layout runs, and a control whose text has just changed (a status bar's)
// asks its own layout to run later, whose new size only then reaches the form's.
QSize settledSize(QWidget *form)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (QLayout *layout = form->layout())
        layout->activate();
    return form->size();
}

QRect insideArea(QRect outer, const QRect &area)
{
    outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() - outer.width() + 1)));
    outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() - outer.height() + 1)));
    return outer;
}

} // namespace

QMargins decorationOf(const QWidget *form)
{
    if (const QMargins own = measuredDecoration(form); !own.isNull())
        return own;
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other != form && other->isWindow() && other->windowType() == Qt::Window) {
            if (const QMargins seen = measuredDecoration(other); !seen.isNull())
                return seen;
        }
    }
    return {};
}

QRect availableArea(const QWidget *form)
{
    const QScreen *screen = form && form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

FramePlace screenSpanningFrame(const QRect &screen, const QRect &available,
                               const QMargins &decoration, int marginBelow)
{
    const QSize wanted(screen.width(), screen.height() - marginBelow);
    FramePlace frame;
    frame.outer = QRect(available.topLeft(), wanted.boundedTo(available.size()));
    frame.client = frame.outer.size().shrunkBy(decoration);
    return frame;
}

void place(QWidget *form, const FramePlace &frame)
{
    form->resize(frame.client);
    // The position of a form is the position of its frame.
    form->move(frame.outer.topLeft());
}

void centreOver(QWidget *form, const QWidget *over)
{
    const QRect area = availableArea(over ? over : form);
    QRect outer(QPoint(), settledSize(form).grownBy(decorationOf(form)));
    outer.moveCenter(over && over->isVisible() ? over->frameGeometry().center() : area.center());
    form->move(insideArea(outer, area).topLeft());
}

void keepInside(QWidget *form)
{
    const QRect outer(form->frameGeometry().topLeft(),
                      settledSize(form).grownBy(decorationOf(form)));
    const QRect placed = insideArea(outer, availableArea(form));
    if (placed.topLeft() != outer.topLeft())
        form->move(placed.topLeft());
}

} // namespace jigsaw::frame
