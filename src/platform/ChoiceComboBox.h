#pragma once

#include <QComboBox>

namespace jigsaw {

// A drop-down list whose choice is a pick the player makes in its open list, with the mouse or
// with the arrow keys and Enter, as the game's lists have always behaved: Qt's own ways of
// changing the item of a closed box (the mouse wheel over it, arrow keys, Enter on typed text)
// would each count as a choice the player never made. On the closed box the arrow keys open
// the list instead, and the wheel is left to the controls around it.
class ChoiceComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ChoiceComboBox(QWidget *parent = nullptr);

    // Fills the list without choosing anything: the box shows no item (and, when editable, an
    // empty text) until the player picks one.
    void setItemsUnchosen(const QStringList &items);

signals:
    // The player picked the item at index from the open list.
    void chosen(int index);
    // Enter on the closed box; the box itself does nothing with it.
    void entered();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};

} // namespace jigsaw
