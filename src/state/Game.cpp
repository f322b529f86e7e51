#include "state/Game.h"

#include "board/BoardForm.h"
#include "platform/AppSetup.h"
#include "platform/UserFolders.h"
#include "records/RecordsForm.h"
#include "select/SelectForm.h"
#include "sound/Sound.h"
#include "sound/SoundCues.h"

#include <QApplication>
#include <QThread>

namespace jigsaw {

Game::Game(const QString &appDir, const QString &musicDir)
    : m_programFolder(appDir)
    , m_musicFolder(musicDir.isEmpty() ? folders::musicFolder() : musicDir)
    , m_sound(std::make_unique<Sound>(appDir))
{
}

Game::~Game()
{
    delete m_frmRecords;
    delete m_frmBoard;
    delete m_frmSelect;
}

void Game::start()
{
    app::setUpApplication();
    m_frmSelect = new SelectForm(*this);
    m_frmSelect->FormLoad();
    m_frmSelect->show();
}

SelectForm *Game::frmSelect() const
{
    return m_frmSelect;
}

BoardForm *Game::boardIfLoaded() const
{
    return m_frmBoard;
}

BoardForm *Game::frmBoard()
{
    if (!m_frmBoard) {
        m_frmBoard = new BoardForm(*this);
        m_frmBoard->setAttribute(Qt::WA_DeleteOnClose);
    }
    return m_frmBoard;
}

RecordsForm *Game::frmRecords()
{
    if (!m_frmRecords) {
        m_frmRecords = new RecordsForm(*this);
        m_frmRecords->setAttribute(Qt::WA_DeleteOnClose);
        m_frmRecords->FormLoad();
    }
    return m_frmRecords;
}

void Game::PlayNoticeSound()
{
    m_sound->cues().PlayNoticeSound();
}

void Game::PlayClickSound()
{
    m_sound->cues().PlayClickSound();
}

void Game::PlayCompleteSound()
{
    m_sound->cues().PlayCompleteSound();
}

void Game::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->hide();
    emit programEnded();
    // Outside an event loop (a test driving the forms directly) there is nothing to leave, and
    // exit() would only leave a quit request behind for the next loop to trip over.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

int runGame(const QString &appDir)
{
    Game game(appDir);
    game.start();
    return QApplication::exec();
}

} // namespace jigsaw
