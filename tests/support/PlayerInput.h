#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <Qt>

class QAbstractButton;
class QComboBox;
class QMainWindow;
class QWidget;

// What a player does with the keyboard and the mouse, sent as real input events to the real
// controls, so that Qt's own reactions (a list that picks its first item, a button deaf to
// Enter) take part in every test that uses them.
namespace player {

// Clicks into the box's text and types over whatever it held.
void typeInto(QComboBox *box, const QString &text);
// Types at the control: letters, digits and signs as keys, Japanese as the input method's
// committed text.
void typeText(QWidget *widget, const QString &text);

// Opens the list with a click on its arrow and picks the item with the arrow keys and Enter.
void pickWithKeys(QComboBox *box, const QString &item);
// Opens the list with a click on its arrow and clicks the item.
void pickWithMouse(QComboBox *box, const QString &item);

// Chooses a menu item with the mouse: the item of the first object name on the form's menu bar,
// each next one in the menu the one before it opened.
void chooseMenu(QMainWindow *form, const QStringList &path);

// A left click in the middle of the button.
void click(QAbstractButton *button);

// A key pressed and released where the keyboard goes: an open menu or list, else the control
// with the focus, else the active window.
void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Notches of the mouse wheel over the middle of the widget: towards the player (positive,
// down) or away (up), along the other axis with horizontal set.
void wheel(QWidget *widget, int notches, bool horizontal = false);
// The same at a point of the widget, with keys held.
void wheelAt(QWidget *widget, QPointF at, int notches, Qt::KeyboardModifiers modifiers);

} // namespace player
