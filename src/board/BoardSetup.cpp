#include "board/BoardForm.h"

#include "board/CaptionLabel.h"
#include "board/PictureBox.h"
#include "board/PieceCutting.h"
#include "board/StatusPanels.h"
#include "platform/Clipboard.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Geometry.h"
#include "state/GameSession.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace jigsaw {

namespace {

constexpr char kNewGameHint[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "設定ボタンで各種設定後、スタートをクリックしてください。\rスタート後右クリックで完成画像が表示されます");
constexpr char kResumedGameHint[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "前回の続きからはじめます。\rスタートをクリックしてください");

// Paints what has changed and runs the timers that are due. A window repaints on the window
// system's next frame, which would come only after Start, so the form is painted here and now.
// Input waits until Start is done, so that no click can start a second set-up inside the first.
void processPendingEvents(QWidget *changed)
{
    changed->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

void BoardForm::advanceProgress(int steps)
{
    m_ui.ProgressBar1->setValue(m_ui.ProgressBar1->value() + steps);
}

void BoardForm::Form_Activate()
{
    GameState &s = state();
    clipboard::clearClipboard();
    if (s.BoardActivated != 0)
        return;
    s.BoardActivated = 1;
    m_ui.Command3->hide();
    m_ui.Combo1->hide();
    m_ui.Label7->hide();
    m_ui.Picture4->raise();
    const bool newGame = s.BoardLaunchMode == 1 && s.InPlay == 0;
    m_ui.Label5->setCaption(tr(newGame ? kNewGameHint : kResumedGameHint));
    m_game.PlayNoticeSound();
    m_ui.Timer3->start();
    m_ui.VScroll1->setValue(0);
}

void BoardForm::Start_Click()
{
    GameState &s = state();
    BoardFields &f = fields();
    if (!isPlayableGrid(s.PieceCount, s.GridSide))
        return;

    // A panel still sliding in would fight the slide-out and come back after Start.
    SlideOutPanel();
    m_ui.ProgressBar1->setRange(0, 15);
    m_ui.ProgressBar1->setValue(0);
    geom::move(m_ui.Frame2,
               static_cast<double>(geom::width(m_ui.Picture9)) / 2
                   - static_cast<double>(geom::width(m_ui.Frame2)) / 2,
               static_cast<double>(geom::height(m_ui.Picture9)) / 2 - 5);
    m_ui.Frame2->show();
    bringToFront(m_ui.Frame2);
    processPendingEvents(m_ui.Frame2);

    s.TimeIsUp = 0;
    f.Completed = 0;
    f.MusicTick = 0;
    for (std::size_t i = 0; i < kPieceControls; ++i) {
        f.CorrectPos[i][1] = 0;
        f.CorrectPos[i][2] = 0;
    }
    advanceProgress(1);

    LayoutBoardPieces();
    LayoutPieceBox();
    PlaceBoxAtHome();
    ShuffleBoxSlots();
    CutPicture();
    DrawBoardGrid();
    advanceProgress(1);

    m_ui.mnuStart->setEnabled(false);
    m_ui.mnuPieceCount->setEnabled(false);
    m_ui.mnuSetGameTime->setEnabled(false);
    m_ui.mnuCancelGameTime->setEnabled(false);
    m_ui.mnuSave->setEnabled(true);
    s.InPlay = 1;
    advanceProgress(1);
    m_ui.Frame2->hide();

    const int count = static_cast<int>(s.PieceCount);
    if (s.BoardLaunchMode == 1) {
        s.ElapsedSec = 0;
        s.ElapsedMin = 0;
        s.RemainingTotalSec = 0;
        s.TimeBarStep = 0;
        s.RemainingMin = 0;
        s.RemainingSec = 60;
        f.BoxMode = 1;
        for (int i = 0; i < count; ++i)
            m_ui.Picture6[static_cast<std::size_t>(i)]->show();
        if (s.GameTimeLimit.isSet())
            SetUpTimeBar();
        m_ui.Picture7->show();
        m_ui.Picture8->show();
    } else {
        for (int i = 0; i < count; ++i)
            m_ui.Picture1[static_cast<std::size_t>(i)]->show();
        const bool soundOn = s.PlacementSound == 1;
        m_ui.mnuPlacementSound->setChecked(soundOn);
        m_ui.mnuPlacementSound->setText(soundOn
                                            ? tr("配置が正しいときに音で知らせる(ＯＮ)")
                                            : tr("配置が正しいときに音で知らせる(ＯＦＦ)"));
        m_ui.StatusBar1->setPanelText(3, soundOn ? tr("配置音＝ＯＮ")
                                                 : tr("配置音＝ＯＦＦ"));
        if (s.GameTimeLimit.isSet())
            RestoreTimePanel();
        f.BoxMode = 2;
        m_ui.mnuSettings->setEnabled(true);
        m_ui.Picture7->hide();
        m_ui.Picture8->hide();
    }
    m_ui.Timer1->start();
    m_ui.Timer5->start();
    clipboard::clearClipboard();
    processPendingEvents(this);
    m_game.PlayNoticeSound();
    // The keyboard starts where the pieces are: in the box, or on the board of a resumed game;
    // the view stays where the player sees it.
    if (s.BoardLaunchMode == 1)
        FocusBox(false);
    else
        FocusBoard(false);
}

} // namespace jigsaw
