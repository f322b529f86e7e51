#include "app/Game.h"

#include "board/BoardForm.h"
#include "platform/AppSetup.h"
#include "platform/PictureRows.h"
#include "sound/Sound.h"
#include "records/RecordsForm.h"
#include "select/SelectForm.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

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
    : m_session(folders)
    , m_board([this] { return loadBoard(); })
    , m_records([this] { return loadRecords(); })
{
    // A cue holds up the game while it sounds; a picture being decoded still fills in on the
    // screen meanwhile: its rows' reports and the repaints they ask for, nothing else.
    m_session.sound().cues().setWhilePlaying([] {
        picture::PictureRows::deliverReports();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    });
}

Game::~Game()
{
    m_records.unload();
    m_board.unload();
    delete m_frmSelect;
}

void Game::start()
{
    app::setUpApplication();
    m_frmSelect = new SelectForm(m_session, m_board, m_records);
    m_frmSelect->FormLoad();
    // The sound libraries are loaded once the form has painted: loading them takes the dynamic
    // linker's lock, which the toolkit needs for its own plug-ins on the way to that paint. The
    // windows' icon waits for that paint too.
    m_frmSelect->installEventFilter(this);
    m_frmSelect->show();
}

bool Game::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frmSelect && event->type() == QEvent::Paint) {
        m_frmSelect->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            app::setWindowIcon();
            m_session.sound().loadLibrariesSoon();
        });
    }
    return QObject::eventFilter(watched, event);
}

SelectForm *Game::frmSelect() const
{
    return m_frmSelect;
}

BoardForm *Game::boardIfLoaded() const
{
    return m_board.ifLoaded();
}

RecordsForm *Game::frmRecords()
{
    return m_records.get();
}

BoardForm *Game::loadBoard()
{
    auto *board = new BoardForm(m_session, m_records);
    board->setAttribute(Qt::WA_DeleteOnClose);
    connect(board, &BoardForm::savedGamesChanged, this, [this] {
        if (m_frmSelect)
            m_frmSelect->offerSavedGames();
    });
    connect(board, &BoardForm::closed, this, [this] {
        if (m_frmSelect)
            m_frmSelect->takeOverFromBoard();
    });
    return board;
}

RecordsForm *Game::loadRecords()
{
    auto *records = new RecordsForm(m_session);
    records->setAttribute(Qt::WA_DeleteOnClose);
    records->FormLoad();
    connect(records, &RecordsForm::pictureRecordsLookedUp, this, [this](bool found) {
        if (m_frmSelect)
            m_frmSelect->showPictureRecords(found);
    });
    connect(records, &RecordsForm::backToSelection, this, [this] {
        if (m_frmSelect)
            m_frmSelect->backFromRecords();
    });
    return records;
}

int runGame(const QString &executableFolder)
{
    app::setUpApplication();
    Game game(GameFolders::forExecutable(executableFolder));
    game.start();
    return QApplication::exec();
}

} // namespace jigsaw
