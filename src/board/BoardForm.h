#pragma once

#include <QMainWindow>

namespace jigsaw {

class Game;

// The puzzle-board form ジグソーパズル.
class BoardForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit BoardForm(Game &game, QWidget *parent = nullptr);

private:
    Game &m_game;
};

} // namespace jigsaw
