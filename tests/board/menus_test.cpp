#include "PanelTestSupport.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "sound/Sound.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

using namespace jigsaw;

using BoardMenus = PanelTest;

TEST_F(BoardMenus, MusicRestartsEveryTwentyOneTicksAndStopsWithCompletion)
{
    launch();
    ui().mnuPieceCounts[0]->trigger(); // 16 pieces, so that completion is quick
    startGame();
    ASSERT_TRUE(ui().Timer5->isActive());
    EXPECT_EQ(fields().MusicTick, 0);
    game->sound().music().clearCommandLog();

    const QStringList started{
        QStringLiteral("open ") + musicDir.path() + QStringLiteral("/Tesselbgm.wav type waveaudio alias WaveFile"),
        QStringLiteral("play WaveFile")};
    const QStringList stopped{QStringLiteral("stop WaveFile"), QStringLiteral("close WaveFile")};
    board()->Timer5_Timer();
    EXPECT_EQ(musicCommands(), started);
    EXPECT_TRUE(game->sound().music().isPlaying(QStringLiteral("WaveFile")));
    tick(&BoardForm::Timer5_Timer, 19);
    EXPECT_EQ(musicCommands(), started);
    board()->Timer5_Timer(); // the 21st
    EXPECT_EQ(musicCommands(), started + stopped);
    EXPECT_EQ(fields().MusicTick, 0);
    board()->Timer5_Timer();
    EXPECT_EQ(musicCommands(), started + stopped + started);

    // Every piece in its place: completion stops the music for good.
    for (std::size_t i = 0; i < 16; ++i) {
        PictureBox *piece = ui().Picture1[i];
        piece->setPicture(ui().Picture6[i]->picture());
        ui().Picture6[i]->clearPicture();
        ui().Picture6[i]->hide();
        geom::move(piece, fields().CorrectPos[i][1], fields().CorrectPos[i][2]);
        piece->show();
    }
    board()->CheckCompletion();
    ASSERT_EQ(fields().Completed, 1);
    EXPECT_FALSE(ui().Timer5->isActive());
    EXPECT_EQ(musicCommands(), started + stopped + started + stopped);
    EXPECT_FALSE(game->sound().music().isOpen(QStringLiteral("WaveFile")));
}

TEST_F(BoardMenus, PlacementCueTogglesAndTogglesBack)
{
    launch();
    QAction *menu = ui().mnuPlacementSound;
    menu->trigger();
    EXPECT_TRUE(menu->isChecked());
    EXPECT_EQ(menu->text(), QStringLiteral("配置が正しいときに音で知らせる(ＯＮ)"));
    EXPECT_EQ(panelText(3), QStringLiteral("配置音＝ＯＮ"));
    EXPECT_EQ(state().PlacementSound, 1);
    menu->trigger();
    EXPECT_FALSE(menu->isChecked());
    EXPECT_EQ(menu->text(), QStringLiteral("配置が正しいときに音で知らせる(ＯＦＦ)"));
    EXPECT_EQ(panelText(3), QStringLiteral("配置音＝ＯＦＦ"));
    EXPECT_EQ(state().PlacementSound, 0);
}

TEST_F(BoardMenus, LastPieceCountChosenIsTheOnlyOneChecked)
{
    launch();
    ui().mnuPieceCounts[6]->trigger(); // 100
    ui().mnuPieceCounts[0]->trigger(); // 16
    int checked = 0;
    for (QAction *item : ui().mnuPieceCounts)
        checked += item->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(ui().mnuPieceCounts[0]->isChecked());
    EXPECT_EQ(state().PieceCount, 16);
    EXPECT_EQ(state().GridSide, 4);
    EXPECT_EQ(panelText(1), QStringLiteral("ピース数 16"));
    // Choosing the item already checked keeps it checked.
    ui().mnuPieceCounts[0]->trigger();
    EXPECT_TRUE(ui().mnuPieceCounts[0]->isChecked());

    startGame();
    EXPECT_FALSE(ui().mnuPieceCount->isEnabled());
    EXPECT_FALSE(ui().Picture6[15]->isHidden());
    EXPECT_TRUE(ui().Picture6[16]->isHidden());
}

TEST_F(BoardMenus, BareBoardHintsFollowTheGame)
{
    launch();
    QSignalSpy popups(board(), &BoardForm::popupRequested);
    emit ui().Picture2->mouseMove(0, 0, 10, 10);
    EXPECT_EQ(panelText(4), QStringLiteral("各種設定後、スタートボタンをクリックしてください"));
    emit ui().Picture2->mouseDown(PictureBox::RightButton, 0, 10, 10);
    EXPECT_EQ(popups.count(), 0);

    setLimit(QStringLiteral("1"));
    startGame();
    emit ui().Picture2->mouseMove(0, 0, 10, 10);
    EXPECT_EQ(panelText(4), QStringLiteral("右クリックで、メニューが表示されます"));
    emit ui().Picture2->mouseDown(PictureBox::LeftButton, 0, 10, 10);
    EXPECT_EQ(popups.count(), 0);
    emit ui().Picture2->mouseDown(PictureBox::RightButton, 0, 10, 10);
    EXPECT_EQ(popups.count(), 1);
    ui().PopupMenu->hide();

    tick(&BoardForm::Timer2_Timer, 60);
    ASSERT_EQ(state().TimeIsUp, 1);
    ui().StatusBar1->setPanelText(4, QString());
    emit ui().Picture2->mouseMove(0, 0, 10, 10);
    EXPECT_EQ(panelText(4), QStringLiteral("時間がなくなりました。終了してください。"));
    emit ui().Picture2->mouseDown(PictureBox::RightButton, 0, 10, 10);
    EXPECT_EQ(popups.count(), 1);
}

TEST_F(BoardMenus, CompletedPictureCoversTheBoardAndGivesItBack)
{
    launch();
    setLimit(QStringLiteral("1"));
    startGame();
    const QList<QLineF> grid = ui().Picture2->lines();
    ASSERT_FALSE(grid.isEmpty());
    board()->Picture6_DblClick(3);
    const QPointF piece(geom::left(ui().Picture1[3]), geom::top(ui().Picture1[3]));

    ui().mnuShowCompleted->trigger();
    PictureBox *view = ui().Picture3;
    EXPECT_FALSE(view->isHidden());
    EXPECT_EQ(geom::left(view), geom::left(ui().Picture9));
    EXPECT_EQ(geom::top(view), geom::top(ui().Picture9));
    EXPECT_EQ(geom::width(view), geom::width(ui().Picture2));
    EXPECT_EQ(geom::height(view), geom::height(ui().Picture2));
    EXPECT_EQ(view->picture(), board()->gamePicture());
    EXPECT_EQ(ui().mnuShowCompleted->text(), QStringLiteral("ゲームに戻る"));
    EXPECT_FALSE(ui().mnuSave->isEnabled());

    // A right press on the view offers only the way back.
    QSignalSpy popups(board(), &BoardForm::popupRequested);
    emit view->mouseDown(PictureBox::RightButton, 0, 5, 5);
    EXPECT_EQ(panelText(4), QStringLiteral("ゲームに戻るボタンで前の画面が表示されます"));
    EXPECT_EQ(popups.count(), 1);
    EXPECT_FALSE(ui().mnuPieceBox->isEnabled());
    EXPECT_FALSE(ui().mnuHideBox->isEnabled());
    EXPECT_TRUE(ui().mnuShowCompleted->isEnabled());
    ui().PopupMenu->hide();

    ui().mnuShowCompleted->trigger();
    EXPECT_TRUE(view->isHidden());
    EXPECT_FALSE(view->hasPicture());
    EXPECT_EQ(geom::left(view), -10);
    EXPECT_EQ(geom::width(view), 10);
    EXPECT_EQ(ui().mnuShowCompleted->text(), QStringLiteral("完成画像を表示"));
    EXPECT_TRUE(ui().mnuSave->isEnabled());
    EXPECT_EQ(ui().Picture2->lines(), grid);
    EXPECT_EQ(QPointF(geom::left(ui().Picture1[3]), geom::top(ui().Picture1[3])), piece);

    // The time runs out while the picture is shown: the view stays and no longer answers.
    ui().mnuShowCompleted->trigger();
    tick(&BoardForm::Timer2_Timer, 60);
    ASSERT_EQ(state().InPlay, 0);
    EXPECT_FALSE(view->isHidden());
    ui().StatusBar1->setPanelText(4, QString());
    emit view->mouseDown(PictureBox::RightButton, 0, 5, 5);
    EXPECT_EQ(panelText(4), QString());
    EXPECT_EQ(popups.count(), 1);
}
