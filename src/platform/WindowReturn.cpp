#include "WindowReturn.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace jigsaw {

WindowReturn::WindowReturn(QWidget *form)
    : QObject(form)
    , m_form(form)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &WindowReturn::noteFocusWindow);
}

bool WindowReturn::takeReturn()
{
    const bool returned = m_returned;
    m_returned = false;
    return returned;
}

void WindowReturn::noteFocusWindow(QWindow *window)
{
    if (!window || window == m_form->windowHandle())
        return;
    for (const QWidget *candidate : QApplication::topLevelWidgets()) {
        if (candidate->windowHandle() != window)
            continue;
        // The form's own popups and message boxes have the form among their parents.
        for (const QWidget *w = candidate; w; w = w->parentWidget()) {
            if (w == m_form)
                return;
        }
        m_returned = true;
        return;
    }
}

} // namespace jigsaw
