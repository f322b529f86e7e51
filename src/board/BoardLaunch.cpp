#include "board/BoardForm.h"

#include "board/ClockRules.h"
#include "board/PictureBox.h"
#include "board/QuestionPanel.h"
#include "board/StatusPanels.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "platform/WindowFrame.h"
#include "records/SavedGameFile.h"
#include "state/GameState.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>

namespace jigsaw {

namespace {

// The board form's frame leaves 400 twips of the screen free below it.
constexpr double kScreenMarginTwips = 400;

} // namespace

void BoardForm::LayOutLaunchedGame(picture::PendingPicture picture,
                                   const std::optional<savedgame::Settings> &saved)
{
    GameState &s = state();
    BoardForm *board = this;
    const BoardControls &ui = board->ui();
    geom::move(ui.Picture9, 0, 8);
    geom::move(ui.Picture2, 0, 0);
    // The outer frame, title bar included, is as wide as the screen and 400 twips less high,
    // as far as the desktop's panels leave room.
    frame::place(board, frame::screenSpanningFrame(QGuiApplication::primaryScreen()->geometry(),
                                                   frame::availableArea(nullptr),
                                                   frame::decorationOf(board),
                                                   qRound(geom::twips(kScreenMarginTwips))));
    board->setGamePicture(std::move(picture));

    if (s.LaunchMode == 1) {
        s.PieceCount = 49;
        s.GridSide = 7;
        s.GameTimeLimit = TimeLimit();
        s.PanelMode = 0;
        s.PlacementSound = 0;
        QStringList minutes;
        for (int minute = 1; minute <= 60; ++minute)
            minutes.append(QString::number(minute));
        // The box stays empty: a "1" already in it would turn a typed 5 into 15 minutes.
        ui.Combo1->setItemsUnchosen(minutes);
    } else {
        s.PieceCount = saved->pieceCount;
        s.GridSide = saved->gridSide;
        s.GameTimeLimit = TimeLimit::fromNumber(saved->gameTimeLimit);
        s.PanelMode = 0;
        s.PlacementSound = saved->placementSound;
        // The clocks run on in the form they keep, so that the game saves again what it reads.
        const ResumedClock clock = resumedClock(*saved, geom::width(ui.Label3));
        s.ElapsedSec = clock.elapsed.sec;
        s.ElapsedMin = clock.elapsed.min;
        s.RemainingTotalSec = clock.countdown.totalSec;
        s.TimeBarStep = clock.barStep;
        s.RemainingSec = clock.countdown.sec;
        s.RemainingMin = clock.countdown.min;
        ui.mnuSettings->setEnabled(false);
    }

    // The view shows the whole board where it fits beside the box of the game's piece count,
    // at the largest scale up to 1 that lets it.
    m_zoomFits = true;
    m_zoom->setScale(fittedScale());
    fitViewToBoard(false);
    showZoom();

    geom::setLeft(ui.Picture4, -(static_cast<double>(geom::width(ui.Picture4)) + 10));
    ui.Frame1->hide();
    ui.StatusBar1->setPanelText(1, BoardForm::tr("ピース数 %1 枚").arg(num::numberText(s.PieceCount)));
    ui.StatusBar1->setPanelText(2, BoardForm::tr("経過時間 00:00"));
    s.BoardActivated = 0;
    s.InPlay = 0;
    s.BoardLaunchMode = s.LaunchMode;
    s.ResumedGameName = s.LaunchMode == 2 ? s.ChosenSavedGame : QString();

    board->show();
    board->raise();
    board->activateWindow();
}

} // namespace jigsaw
