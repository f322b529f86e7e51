#pragma once

#include <QObject>

class QWidget;
class QWindow;

namespace jigsaw {

// Tells a form whether its activation brings the player back from another of the program's own
// forms, which is when a form reacts to being activated. Coming back from another program, or
// from the form's own menus, lists and message boxes, is no such return.
class WindowReturn : public QObject
{
    Q_OBJECT

public:
    // The form's first activation counts as a return.
    explicit WindowReturn(QWidget *form);

    // Whether another form of the program had the focus since the last call (or since the
    // form was made, for the first call).
    bool takeReturn();

private:
    void noteFocusWindow(QWindow *window);

    QWidget *m_form;
    bool m_returned = true;
};

} // namespace jigsaw
