#include "PanelTestSupport.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "sound/Sound.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace jigsaw;
using Cue = SoundCues::Cue;

using GameClock = PanelTest;

TEST_F(GameClock, OneMinuteLimitRunsOutInTheSixtiethTick)
{
    launch();
    ui().mnuSetGameTime->trigger();
    EXPECT_EQ(state().PanelMode, 3);
    EXPECT_EQ(ui().Label5->text(),
              QStringLiteral("ゲーム時間を選択してＯＫボタンをクリックしてください。\r"
                             "60分以上の設定はテンキーから半角で直接入力してください"));
    EXPECT_FALSE(ui().Combo1->isHidden());
    EXPECT_FALSE(ui().Label7->isHidden());
    EXPECT_FALSE(ui().Command3->isHidden());
    EXPECT_EQ(geom::width(ui().Combo1), 75);
    EXPECT_EQ(ui().Combo1->count(), 60);
    EXPECT_FALSE(ui().mnuStart->isEnabled());
    EXPECT_TRUE(ui().mnuCancelGameTime->isEnabled());
    finishSlides();

    // Picking "1" from the list announces it; OK takes it.
    ui().Combo1->setCurrentIndex(0);
    emit ui().Combo1->activated(0);
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("ゲーム時間を 1 分に設定します。"));
    game->sound().music().clearCommandLog();
    ui().Command1->click();
    EXPECT_EQ(state().PanelMode, 0);
    EXPECT_TRUE(ui().Timer4->isActive());
    EXPECT_EQ(state().GameTimeLimit.minutes(), 1);
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分"));
    EXPECT_FALSE(ui().Frame1->isHidden());
    EXPECT_TRUE(ui().mnuStart->isEnabled());
    EXPECT_EQ(musicCommands(), (QStringList{QStringLiteral("stop WaveFile"),
                                            QStringLiteral("close WaveFile")}));
    finishSlides();

    startGame();
    ASSERT_TRUE(ui().Timer2->isActive());
    const float fullBar = geom::width(ui().Label3);
    EXPECT_EQ(geom::width(ui().Label4), fullBar);
    EXPECT_EQ(state().TimeBarStep, num::toSingle(fullBar / 60.0));

    board()->Timer2_Timer();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分　　残り時間 00:59"));
    EXPECT_EQ(geom::width(ui().Label4),
              num::toSingle(static_cast<double>(fullBar) - static_cast<double>(state().TimeBarStep)));
    tick(&BoardForm::Timer2_Timer, 58);
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分　　残り時間 00:01"));
    EXPECT_EQ(state().TimeIsUp, 0);
    EXPECT_TRUE(ui().Timer2->isActive());

    const int notices = cues(Cue::Notice);
    board()->Timer2_Timer();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分　　残り時間 00:00"));
    EXPECT_EQ(state().TimeIsUp, 1);
    EXPECT_EQ(state().InPlay, 0);
    EXPECT_FALSE(ui().Timer1->isActive());
    EXPECT_FALSE(ui().Timer2->isActive());
    EXPECT_TRUE(ui().Timer5->isActive()); // the music goes on
    EXPECT_EQ(geom::width(ui().Label4), 0);
    const QString timeIsUp = QStringLiteral("時間がなくなりました。終了してください。");
    EXPECT_EQ(ui().Label5->text(), timeIsUp);
    EXPECT_EQ(panelText(4), timeIsUp);
    EXPECT_EQ(cues(Cue::Notice), notices + 1);
    EXPECT_TRUE(ui().Timer3->isActive());
    EXPECT_TRUE(ui().Command3->isHidden());
    EXPECT_TRUE(ui().Combo1->isHidden());
    EXPECT_TRUE(ui().Label7->isHidden());
    EXPECT_FALSE(ui().mnuSave->isEnabled());
    finishSlides();

    // The elapsed time shows the limit from now on.
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 01:00"));

    // No piece moves any more: a double-click on a box slot leaves the piece in the box.
    board()->Picture6_DblClick(0);
    EXPECT_TRUE(ui().Picture1[0]->isHidden());
    EXPECT_FALSE(ui().Picture6[0]->isHidden());

    // OK only takes the notice away.
    ui().Command1->click();
    finishSlides();
    EXPECT_EQ(state().PanelMode, 0);
    EXPECT_LT(geom::left(ui().Picture4), -geom::width(ui().Picture4));
}

TEST_F(GameClock, TimeUpClosesASaveQuestionThatWasOpen)
{
    launch();
    setLimit(QStringLiteral("1"));
    startGame();
    ui().mnuSave->trigger();
    ASSERT_EQ(state().PanelMode, 4);
    finishSlides();
    ui().Combo1->setCurrentText(QStringLiteral("とちゅう"));

    tick(&BoardForm::Timer2_Timer, 60);
    ASSERT_EQ(state().TimeIsUp, 1);
    EXPECT_EQ(state().PanelMode, 0);
    finishSlides();
    ui().Command1->click();
    finishSlides();
    EXPECT_TRUE(QDir(app.filePath(QStringLiteral("save"))).isEmpty());
}

TEST_F(GameClock, ElapsedTimeCountsPastAHundredMinutes)
{
    launch();
    startGame();
    ASSERT_TRUE(ui().Timer1->isActive());
    EXPECT_FALSE(ui().Timer2->isActive());
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 00:01"));
    state().ElapsedMin = 99;
    state().ElapsedSec = 59;
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 100:00"));
    EXPECT_EQ(state().ElapsedMin, 100);
    EXPECT_EQ(state().ElapsedSec, 0);
}

TEST_F(GameClock, EmptyAndUnusableLimitsAreRefusedWithTheClickCue)
{
    launch();
    ui().mnuSetGameTime->trigger();
    finishSlides();
    const QString message = ui().Label5->text();
    const QString refused = QStringLiteral("ゲーム時間が選択されていません。");
    int clicks = cues(Cue::Click);
    for (const char *typed : {"", "0.01", "abc", "0"}) {
        ui().Combo1->setCurrentText(QString::fromUtf8(typed));
        emit ui().Combo1->activated(0); // not a limit: the message stays
        EXPECT_EQ(ui().Label5->text(), typed == std::string("") ? message : refused) << typed;
        ui().Command1->click();
        EXPECT_EQ(cues(Cue::Click), ++clicks) << typed;
        EXPECT_EQ(ui().Label5->text(), refused);
        EXPECT_EQ(ui().Combo1->currentText(), QString());
        EXPECT_EQ(state().PanelMode, 3);
        EXPECT_FALSE(state().GameTimeLimit.isSet());
        EXPECT_TRUE(ui().Frame1->isHidden());
        EXPECT_FALSE(ui().Timer4->isActive());
    }
}

TEST_F(GameClock, FractionalAndLongLimitsCountTheirSeconds)
{
    launch();
    setLimit(QStringLiteral("90"));
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 90分"));
    setLimit(QStringLiteral("1.5"));
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1.5分"));

    startGame();
    board()->Timer2_Timer();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1.5分　　残り時間 01:29"));
    tick(&BoardForm::Timer2_Timer, 88);
    EXPECT_EQ(state().TimeIsUp, 0);
    board()->Timer2_Timer();
    EXPECT_EQ(state().TimeIsUp, 1);
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1.5分　　残り時間 00:00"));
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 01:30"));
}

TEST_F(GameClock, CancelAndNoWithdrawTheLimit)
{
    launch();
    setLimit(QStringLiteral("5"));
    ASSERT_FALSE(ui().Frame1->isHidden());
    ui().mnuCancelGameTime->trigger();
    EXPECT_TRUE(ui().Frame1->isHidden());
    EXPECT_FALSE(state().GameTimeLimit.isSet());
    EXPECT_FALSE(ui().mnuCancelGameTime->isEnabled());
    EXPECT_TRUE(ui().mnuStart->isEnabled());
    EXPECT_TRUE(ui().Timer4->isActive());

    setLimit(QStringLiteral("5"));
    ui().mnuSetGameTime->trigger();
    finishSlides();
    ui().Command3->click();
    EXPECT_EQ(state().PanelMode, 0);
    EXPECT_TRUE(ui().Timer4->isActive());
    EXPECT_TRUE(ui().Frame1->isHidden());
    EXPECT_FALSE(state().GameTimeLimit.isSet());
    finishSlides();

    startGame();
    EXPECT_TRUE(ui().Timer1->isActive());
    EXPECT_FALSE(ui().Timer2->isActive());
    EXPECT_FALSE(ui().mnuSetGameTime->isEnabled());
    EXPECT_FALSE(ui().mnuCancelGameTime->isEnabled());
}

TEST_F(GameClock, TimePanelFitsBelowTheBoardView)
{
    // A board higher than the form: the view scrolls it.
    ASSERT_NE(launchNew(480, 900), nullptr);
    QTRY_COMPARE(state().BoardActivated, 1.0);
    finishSlides();
    ASSERT_FALSE(ui().VScroll2->isHidden());
    setLimit(QStringLiteral("5"));
    const auto below = [this] {
        return static_cast<double>(geom::top(ui().HScroll1))
            + (ui().HScroll1->isHidden() ? 0.0 : static_cast<double>(geom::height(ui().HScroll1)))
            + 5;
    };
    EXPECT_EQ(geom::top(ui().HScroll1), geom::top(ui().Picture9) + geom::height(ui().Picture9));
    EXPECT_EQ(geom::top(ui().Frame1), below());

    // A view that leaves no room is shortened, and its board can still be scrolled.
    const float client = board()->scaleHeight();
    geom::setHeight(ui().Picture9, client - 50);
    setLimit(QStringLiteral("5"));
    const double expected = static_cast<double>(client) - geom::height(ui().StatusBar1)
        - geom::height(ui().HScroll1) - geom::height(ui().Frame1) - 5;
    EXPECT_EQ(geom::height(ui().Picture9), num::toSingle(expected));
    EXPECT_EQ(geom::height(ui().VScroll2), geom::height(ui().Picture9));
    EXPECT_EQ(ui().VScroll2->maximum(),
              num::toInt16Clamped((geom::height(ui().Picture2) - expected) / 10));
    EXPECT_GT(ui().VScroll2->maximum(), 0);
    EXPECT_EQ(geom::top(ui().Frame1), below());
}

TEST_F(GameClock, ABoardThatNoLongerFitsGetsItsScrollBar)
{
    launch();
    ASSERT_TRUE(ui().VScroll2->isHidden());
    // The player has made the form lower than the board.
    const float boardHeight = geom::height(ui().Picture2);
    BoardForm *form = board();
    form->resize(form->width(), form->height() - qRound(form->scaleHeight()) + 400);
    ASSERT_EQ(form->scaleHeight(), 400);
    setLimit(QStringLiteral("5"));
    EXPECT_LT(geom::height(ui().Picture9), boardHeight);
    EXPECT_FALSE(ui().VScroll2->isHidden());
    EXPECT_GT(ui().VScroll2->maximum(), 0);
}

TEST_F(GameClock, ResumedGameGetsItsClockAndBarBack)
{
    // Ten minutes with half of them left, a bar step of .75.
    ASSERT_NE(launchResumed(480, 360, 16, 4, 0, 10), nullptr);
    QTRY_COMPARE(state().BoardActivated, 1.0);
    finishSlides();
    startGame();
    EXPECT_FALSE(ui().Frame1->isHidden());
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 10分"));
    EXPECT_EQ(geom::width(ui().Label4), 225);
    EXPECT_EQ(geom::top(ui().Frame1),
              geom::top(ui().Picture9) + geom::height(ui().Picture9) + 5);
    ASSERT_TRUE(ui().Timer2->isActive());
    board()->Timer2_Timer();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 10分　　残り時間 05:59"));
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 03:13"));
}
