#include "select/SelectForm.h"

#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Numbers.h"
#include "platform/WindowReturn.h"
#include "records/SavedGameFile.h"
#include "select/DriveList.h"
#include "select/FolderList.h"
#include "select/SelectControls.h"
#include "state/GameSession.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QTimer>

namespace jigsaw {

namespace {

constexpr int kNarrowTwips = 5760; // the folder selection out of view
constexpr int kWideTwips = 8700;   // the folder selection in view
constexpr int kHeightTwips = 8700;

const QString kMusicFile = QStringLiteral("Tesselbgm.wav");
constexpr char kClickHint[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "画像をクリックして選択してください");
constexpr char kNothingShown[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "画像が表示されていません");

} // namespace

void SelectForm::FormLoad()
{
    GameState &s = m_game.state();

    const GameFolders &folders = m_game.folders();
    s.AppDir = folders.programFolder();
    s.PictureDir = folders.libraryFolder();

    m_menuContinue->setEnabled(!savedgame::listNames(folders.saveFolder()).isEmpty());

    // The music is played from the player's own folder. Without a copy (no such folder, and
    // none can be made) there is no music and nothing else changes.
    const QString musicFolder = folders.musicFolder();
    if (!musicFolder.isEmpty() && !files::listFiles(musicFolder).contains(kMusicFile)
        && files::makeFolder(musicFolder)) {
        files::copyFile(folders.waveFolder() + QLatin1Char('/') + kMusicFile,
                        musicFolder + QLatin1Char('/') + kMusicFile, files::Overwrite::Yes);
    }

    setFormHeightTwips(kHeightTwips);
    ShowLibraryView();
    // The library is shown: the form's first activation need not list and decode it again.
    m_return->takeReturn();
    s.LibraryPictureCount = num::toInt16Clamped(s.PictureCount);
}

void SelectForm::ShowLibraryView()
{
    GameState &s = m_game.state();
    s.LaunchMode = 1;
    ClearThumbnails();
    OpenPictureLibrary();
    s.PictureDir = m_game.folders().libraryFolder();
    m_Frame3->hide();
    m_Command6->hide();
    setStatusText(tr(kClickHint));
}

void SelectForm::ShowFolderView()
{
    m_game.state().LaunchMode = 1;
    ClearThumbnails();
    setFormWidthTwips(kWideTwips);
    m_Command4->setEnabled(false);
    m_Command1->setEnabled(false);
    m_Frame3->hide();
    setStatusText(tr(kNothingShown));
    m_Command6->hide();
    // Volumes come and go while the program runs, and asking each whether it is ready can take
    // a sleeping disk's time: listed here, never while the game starts. The first time, the
    // list shows the drive of the folder where browsing starts: the program's own, or the
    // player's home for an installed game.
    const bool first = m_Drive1->count() == 0;
    m_Drive1->setDrives(drives::listDrives());
    if (first) {
        m_Drive1->showRoot(
            drives::driveOf(m_game.folders().browseStart(), m_Drive1->driveEntries()));
    }
    Drive1_Change();
    m_Dir1->setFocus();
}

void SelectForm::ShowSavedGameView()
{
    m_game.state().LaunchMode = 2;
    setFormWidthTwips(kNarrowTwips);
    ClearThumbnails();
    // The view shows one saved game's picture, never a page of the library: paging here would
    // let a library picture be launched with a saved game's pieces and clock.
    m_Command2->hide();
    m_Command3->hide();
    m_Label3->hide();
    m_Label4->hide();
    m_Label5->hide();
    ListSavedGames();
    m_Frame3->show();
    m_Command6->hide();
    setStatusText(tr(kNothingShown));
}

void SelectForm::AskToExit()
{
    GameState &s = m_game.state();
    s.ExitAnswer = msg::askYesNo(this, tr("ジグソーパズルを終了しますか？"));
    if (s.ExitAnswer == msg::kYes)
        m_game.endProgram();
}

void SelectForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_game.endProgram();
}

void SelectForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || m_game.hasEnded())
        return;
    // Back from the board or the records, the form starts over with the library.
    if (m_return->takeReturn())
        ShowLibraryView();
}

void SelectForm::takeOverFromBoard()
{
    // Without a window manager to hand it the focus, the form would not learn that the player
    // came back and would keep the old selection.
    activateWindow();
    m_Command1->setFocus();
    // The list of saved games is filled again when the player asks for it.
    m_Combo1->clear();
}

void SelectForm::backFromRecords()
{
    for (MarkerShape *marker : m_Shape1)
        marker->hide();
    m_Command6->hide();
}

void SelectForm::Timer1_Timer()
{
    int &phase = m_game.selectFields().BlinkPhase;
    if (phase == 0) {
        m_Command5->setFaceColor(QColor(0, 255, 0));
        phase = 1;
    } else {
        m_Command5->setFaceColor(QColor(255, 0, 0));
        phase = 0;
    }
}

void SelectForm::stopBlinking()
{
    m_Timer1->stop();
    m_Command5->useSystemFace();
}

} // namespace jigsaw
