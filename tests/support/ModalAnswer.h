#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

// Answers the next message box a test is about to open. Create it before the call that blocks
// in the box's event loop: it waits (polling the event loop) for the box to become the active
// modal widget (or to show inside its window, as it does on Wayland), records what the box
// showed and presses the chosen button. Destroying it cancels an answer not yet given.
class ModalAnswer
{
public:
    struct Seen
    {
        bool answered = false;
        QString objectName;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QStringList buttonTexts; // as the player reads them, left to right
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    explicit ModalAnswer(QMessageBox::StandardButton button);

    ModalAnswer(const ModalAnswer &) = delete;
    ModalAnswer &operator=(const ModalAnswer &) = delete;

    // What the box showed; answered stays false when no box appeared.
    const Seen &seen() const { return m_seen; }

private:
    void poll(int triesLeft);

    QMessageBox::StandardButton m_button;
    QObject m_context; // receiver of the pending timer, so destruction cancels it
    Seen m_seen;
};
