#include "state/Game.h"

#include "board/BoardForm.h"
#include "platform/AppSetup.h"
#include "records/RecordsForm.h"
#include "select/SelectForm.h"
#include "sound/Sound.h"
#include "sound/SoundCues.h"

#include <QApplication>
#include <QThread>

namespace jigsaw {

namespace {

GameFolders portableFolders(const QString &appDir, const QString &musicDir)
{
    if (!musicDir.isEmpty())
        return GameFolders::portable(appDir, musicDir);
    app::setUpApplication(); // the application's name names the player's data folder
    return GameFolders::portable(appDir, GameFolders::playerDataFolder());
}

} // namespace

Game::Game(const QString &appDir, const QString &musicDir)
    : Game(portableFolders(appDir, musicDir))
{
}

Game::Game(const GameFolders &folders)
    : m_folders(folders)
    , m_sound(std::make_unique<Sound>(folders.waveFolder()))
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
        connect(m_frmBoard, &BoardForm::savedGamesChanged, this, [this] {
            if (m_frmSelect)
                m_frmSelect->offerSavedGames();
        });
        connect(m_frmBoard, &BoardForm::closed, this, [this] {
            if (m_frmSelect)
                m_frmSelect->takeOverFromBoard();
        });
    }
    return m_frmBoard;
}

RecordsForm *Game::frmRecords()
{
    if (!m_frmRecords) {
        m_frmRecords = new RecordsForm(*this);
        m_frmRecords->setAttribute(Qt::WA_DeleteOnClose);
        m_frmRecords->FormLoad();
        connect(m_frmRecords, &RecordsForm::pictureRecordsLookedUp, this, [this](bool found) {
            if (m_frmSelect)
                m_frmSelect->showPictureRecords(found);
        });
        connect(m_frmRecords, &RecordsForm::backToSelection, this, [this] {
            if (m_frmSelect)
                m_frmSelect->backFromRecords();
        });
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

int runGame(const QString &executableFolder)
{
    app::setUpApplication();
    Game game(GameFolders::forExecutable(executableFolder));
    game.start();
    return QApplication::exec();
}

} // namespace jigsaw
