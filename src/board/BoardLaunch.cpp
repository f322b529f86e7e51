#include "board/BoardForm.h"

#include "board/BoardView.h"
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

// Sizes the board view to the board and sets up its scroll bars.
void fitView(BoardForm &board)
{
    const BoardControls &ui = board.ui();
    BoardViewInput in;
    in.scaleWidth = board.scaleWidth();
    in.scaleHeight = board.scaleHeight();
    in.boardLeft = geom::left(ui.Picture2);
    in.boardTop = geom::top(ui.Picture2);
    in.boardWidth = geom::width(ui.Picture2);
    in.boardHeight = geom::height(ui.Picture2);
    in.vScrollWidth = geom::width(ui.VScroll2);
    in.hScrollHeight = geom::height(ui.HScroll1);
    in.statusBarHeight = geom::height(ui.StatusBar1);
    in.timePanelHeight = geom::height(ui.Frame1);
    const BoardViewFit fit = fitBoardView(in);

    geom::setWidth(ui.Picture9, fit.viewWidth);
    geom::setWidth(ui.HScroll1, fit.viewWidth);
    ui.HScroll1->setVisible(fit.horizontal);
    geom::setHeight(ui.Picture9, fit.viewHeight);
    geom::setHeight(ui.VScroll2, fit.viewHeight);
    ui.VScroll2->setVisible(fit.vertical);
    if (fit.horizontal) {
        ui.HScroll1->setRange(0, fit.hMax);
        ui.HScroll1->setValue(0);
    }
    if (fit.vertical) {
        ui.VScroll2->setRange(0, fit.vMax);
        ui.VScroll2->setValue(0);
    }
    geom::setLeft(ui.VScroll2, static_cast<double>(geom::left(ui.Picture9))
                                   + static_cast<double>(geom::width(ui.Picture9)));
    geom::setTop(ui.HScroll1, static_cast<double>(geom::top(ui.Picture9))
                                  + static_cast<double>(geom::height(ui.Picture9)));
}

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
    fitView(*board);

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
