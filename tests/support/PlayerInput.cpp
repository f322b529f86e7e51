#include "PlayerInput.h"

#include <QAbstractButton>
#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyleHints>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace player {

namespace {

QPoint arrowOf(const QComboBox *box)
{
    return {box->width() - 6, box->height() / 2};
}

bool openList(QComboBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, arrowOf(box));
    return QTest::qWaitFor([box] { return box->view()->isVisible(); });
}

} // namespace

void typeInto(QComboBox *box, const QString &text)
{
    QLineEdit *edit = box->lineEdit();
    ASSERT_NE(edit, nullptr) << "the box takes no typing";
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            // Japanese reaches the box from the input method as committed text.
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(widget, &commit);
        }
    }
}

void pickWithKeys(QComboBox *box, const QString &item)
{
    const int index = box->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << item.toStdString();
    ASSERT_TRUE(openList(box)) << "the list did not open";
    QAbstractItemView *list = box->view();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
}

void pickWithMouse(QComboBox *box, const QString &item)
{
    const int index = box->findText(item, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << item.toStdString();
    ASSERT_TRUE(openList(box)) << "the list did not open";
    QAbstractItemView *list = box->view();
    const QModelIndex at = list->model()->index(index, box->modelColumn(), list->rootIndex());
    list->scrollTo(at);
    // The list takes no release that ends the click which opened it, however quick the player.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    const QPoint centre = list->visualRect(at).center();
    QTest::mouseMove(list->viewport(), centre);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
}

void chooseMenu(QMainWindow *form, const QStringList &path)
{
    QWidget *menu = form->menuBar();
    for (const QString &name : path) {
        QAction *action = nullptr;
        for (QAction *candidate : menu->actions()) {
            if (candidate->objectName() == name)
                action = candidate;
        }
        ASSERT_NE(action, nullptr) << name.toStdString();
        const QRect box = menu == form->menuBar()
            ? form->menuBar()->actionGeometry(action)
            : static_cast<QMenu *>(menu)->actionGeometry(action);
        QTest::mouseClick(menu, Qt::LeftButton, {}, box.center());
        if (action->menu()) {
            menu = action->menu();
            ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }))
                << name.toStdString() << " did not open";
        }
    }
}

void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void pressKey(int key, Qt::KeyboardModifiers modifiers)
{
    // An open menu or list takes the keys, as it grabs the keyboard.
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "no window has the keyboard";
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

namespace {

void sendWheel(QWidget *widget, QPointF at, QPoint angle, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    // As from the window system: a wheel event nobody takes goes on to the control below.
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(widget, &event);
}

} // namespace

void wheel(QWidget *widget, int notches, bool horizontal)
{
    const int delta = -120 * notches;
    sendWheel(widget, QRectF(widget->rect()).center(),
              horizontal ? QPoint(delta, 0) : QPoint(0, delta), Qt::NoModifier);
}

void wheelAt(QWidget *widget, QPointF at, int notches, Qt::KeyboardModifiers modifiers)
{
    sendWheel(widget, at, QPoint(0, -120 * notches), modifiers);
}

} // namespace player
