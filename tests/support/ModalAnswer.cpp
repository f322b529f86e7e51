#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kPollMs = 10;
constexpr int kTries = 1000; // ten seconds before giving up on a box that never comes

} // namespace

ModalAnswer::ModalAnswer(QMessageBox::StandardButton button)
    : m_button(button)
{
    QTimer::singleShot(0, &m_context, [this] { poll(kTries); });
}

namespace {

// The box on screen: the active modal window, or a box shown inside its window (Wayland).
QMessageBox *shownBox()
{
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
        return box;
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && !box->isWindow() && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

void ModalAnswer::poll(int triesLeft)
{
    QMessageBox *box = shownBox();
    if (!box || !box->isVisible()) {
        if (triesLeft > 0)
            QTimer::singleShot(kPollMs, &m_context, [this, triesLeft] { poll(triesLeft - 1); });
        return;
    }
    m_seen.answered = true;
    m_seen.objectName = box->objectName();
    m_seen.title = box->windowTitle();
    m_seen.text = box->text();
    m_seen.buttons = box->standardButtons();
    QList<QAbstractButton *> buttons = box->buttons();
    std::sort(buttons.begin(), buttons.end(), [](const QAbstractButton *a, const QAbstractButton *b) {
        return a->x() < b->x();
    });
    for (const QAbstractButton *shown : buttons)
        m_seen.buttonTexts.append(shown->text());
    m_seen.icon = box->icon();
    if (QAbstractButton *button = box->button(m_button))
        button->click();
    else
        box->done(QMessageBox::Cancel); // the wanted button is missing: close it anyway
}
