#include "ChoiceComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QWheelEvent>

namespace jigsaw {

ChoiceComboBox::ChoiceComboBox(QWidget *parent)
    : QComboBox(parent)
{
    // Once the wheel, the keys and Enter on the closed box are kept from changing the item,
    // what is left to raise activated() is a pick in the open list.
    connect(this, &QComboBox::activated, this, &ChoiceComboBox::chosen);
}

void ChoiceComboBox::setItemsUnchosen(const QStringList &items)
{
    clear();
    addItems(items);
    // Qt makes the first item current when a list is filled.
    setCurrentIndex(-1);
    if (isEditable())
        clearEditText();
}

void ChoiceComboBox::keyPressEvent(QKeyEvent *event)
{
    if (view()->isVisible()) {
        QComboBox::keyPressEvent(event);
        return;
    }
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (plain) {
            showPopup();
            return;
        }
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!isEditable()) {
            showPopup();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (isEditable()) {
            event->accept();
            emit entered();
            return;
        }
        break;
    case Qt::Key_Escape:
        event->ignore(); // for the form around the box
        return;
    default:
        // Typing on a closed list that cannot be edited would pick the item it matches.
        if (!isEditable() && !event->text().isEmpty()) {
            event->ignore();
            return;
        }
        break;
    }
    QComboBox::keyPressEvent(event);
}

void ChoiceComboBox::wheelEvent(QWheelEvent *event)
{
    if (view()->isVisible()) {
        QComboBox::wheelEvent(event);
        return;
    }
    event->ignore();
}

} // namespace jigsaw
