#pragma once

#include <QMainWindow>

namespace jigsaw {

class Game;

// The start-up form 画像選択: picture library, folder browser and saved-game list.
class SelectForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit SelectForm(Game &game, QWidget *parent = nullptr);

private:
    Game &m_game;
};

} // namespace jigsaw
