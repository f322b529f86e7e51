#include "state/Game.h"

#include <QApplication>
#include <QLabel>

namespace jigsaw {

Game::Game(const QString &appDir, const QString &musicDir)
    : m_programFolder(appDir)
    , m_musicFolder(musicDir)
{
}

Game::~Game()
{
    delete m_frmSelect;
}

void Game::start()
{
    auto *window = new QLabel(QStringLiteral("画像選択"));
    window->setObjectName(QStringLiteral("frmSelect"));
    window->setWindowTitle(QStringLiteral("画像選択"));
    window->resize(384, 580);
    m_frmSelect = window;
    window->show();
}

void Game::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->hide();
    emit programEnded();
    QCoreApplication::exit(0);
}

int runGame(const QString &appDir)
{
    Game game(appDir);
    game.start();
    return QApplication::exec();
}

} // namespace jigsaw
