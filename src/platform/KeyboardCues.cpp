#include "KeyboardCues.h"

#include <QWidget>

namespace jigsaw::cues {

namespace {

void setShown(QWidget *w, bool show)
{
    QWidget *window = w->window();
    if (window->testAttribute(Qt::WA_KeyboardFocusChange) == show)
        return;
    window->setAttribute(Qt::WA_KeyboardFocusChange, show);
    // The control with the focus draws its frame, or takes it away, at once.
    if (QWidget *focused = window->focusWidget())
        focused->update();
}

} // namespace

bool shown(const QWidget *w)
{
    return w->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void keyboardUsed(QWidget *w)
{
    setShown(w, true);
}

void mouseUsed(QWidget *w)
{
    setShown(w, false);
}

} // namespace jigsaw::cues
