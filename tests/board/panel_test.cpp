#include "BoardTestSupport.h"

#include "select/SelectForm.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>

#include <algorithm>

using namespace jigsaw;
using Cue = SoundCues::Cue;

namespace {

const QString kTimeIsUp = QStringLiteral("時間がなくなりました。終了してください。");

} // namespace

using QuestionPanel = BoardTest;

TEST_F(QuestionPanel, SlidesInAndOutOfViewAndAQuestionAskedMidSlideComesBack)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    // The launch parks the 340-pixel panel at -350; the activation's slide stops at -20.
    EXPECT_EQ(geom::left(ui().Picture4), -20);

    // A question asked halfway through the slide-out keeps its mode and slides back in.
    player::click(ui().Command1); // mode 0: OK only slides the panel away
    tick(&BoardForm::Timer4_Timer, 3);
    ui().mnuSetGameTime->trigger();
    finishSlides();
    EXPECT_EQ(state().PanelMode, 3);
    EXPECT_EQ(geom::left(ui().Picture4), -20);
    const QWidget *focus = board()->focusWidget();
    EXPECT_TRUE(focus == ui().Combo1 || focus == ui().Combo1->lineEdit());

    // NO slides the panel out of view, and the question is over.
    player::click(ui().Command3);
    finishSlides();
    EXPECT_LT(geom::left(ui().Picture4), -geom::width(ui().Picture4));
    EXPECT_EQ(state().PanelMode, 0);

    geom::setTop(ui().Picture2, -40); // the board scrolled down
    ui().mnuQuit->trigger();
    finishSlides();
    EXPECT_EQ(geom::left(ui().Picture4), -10);
    EXPECT_EQ(geom::top(ui().Picture2), 0); // scrolled back so that the panel is in view
    EXPECT_EQ(board()->focusWidget(), ui().Command1);
}

TEST_F(QuestionPanel, EnterPressesTheFocusedButtonAndEscapeAnswersNo)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    board()->activateWindow();
    ASSERT_SOON(board()->isActiveWindow());

    // The first hint offers only OK: Escape leaves it where it is.
    ASSERT_EQ(QApplication::focusWidget(), ui().Command1);
    player::pressKey(Qt::Key_Escape);
    EXPECT_FALSE(ui().Timer4->isActive());

    // The quit question focuses OK; Tab goes on to NO, and Enter presses it.
    ui().mnuQuit->trigger();
    finishSlides();
    ASSERT_EQ(QApplication::focusWidget(), ui().Command1);
    player::pressKey(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), ui().Command3);
    player::pressKey(Qt::Key_Return);
    finishSlides();
    EXPECT_EQ(state().PanelMode, 0);
    EXPECT_FALSE(game->hasEnded());

    // Escape answers NO: here it withdraws the limit set before and the one being typed.
    setLimit(QStringLiteral("5"));
    ASSERT_FALSE(ui().Frame1->isHidden());
    ui().mnuSetGameTime->trigger();
    finishSlides();
    player::typeText(QApplication::focusWidget(), QStringLiteral("12"));
    player::pressKey(Qt::Key_Escape);
    finishSlides();
    EXPECT_EQ(state().PanelMode, 0);
    EXPECT_FALSE(state().GameTimeLimit.isSet());
    EXPECT_TRUE(ui().Frame1->isHidden());

    // Enter on the focused OK quits.
    ui().mnuQuit->trigger();
    finishSlides();
    ASSERT_EQ(QApplication::focusWidget(), ui().Command1);
    player::pressKey(Qt::Key_Enter);
    EXPECT_TRUE(game->hasEnded());
}

TEST_F(QuestionPanel, ClosingTheBoardReturnsToTheSelectionAndQuitEndsTheProgram)
{
    game->start();
    SelectForm *select = game->frmSelect();
    auto *savedGames = select->findChild<QComboBox *>(QStringLiteral("Combo1"));
    auto *go = select->findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_TRUE(savedGames && go);

    for (const bool throughMenu : {false, true}) {
        SCOPED_TRACE(throughMenu);
        ASSERT_NO_FATAL_FAILURE(launch());
        ASSERT_NO_FATAL_FAILURE(startGame());
        board()->Timer5_Timer(); // the music is on
        ASSERT_TRUE(game->sound().music().isPlaying(QStringLiteral("WaveFile")));
        savedGames->addItem(QStringLiteral("つづき"));
        go->setEnabled(true);
        const QPointer<BoardForm> closing = board();
        QSignalSpy focusChanges(qApp, &QApplication::focusChanged);

        if (throughMenu)
            ui().mnuNewPicture->trigger();
        else
            EXPECT_TRUE(board()->close()); // the title bar's button: never refused
        EXPECT_FALSE(game->sound().music().isOpen(QStringLiteral("WaveFile")));
        EXPECT_FALSE(closing->ui().Timer1->isActive());
        EXPECT_EQ(savedGames->count(), 0);
        // The selection form comes to the front with GO focused (its reset may move the
        // focus on afterwards).
        const auto toGo = [go](const QList<QVariant> &change) {
            return change.at(1).value<QWidget *>() == go;
        };
        EXPECT_TRUE(select->focusWidget() == go
                    || std::any_of(focusChanges.cbegin(), focusChanges.cend(), toGo));
        ASSERT_SOON(closing.isNull());
        EXPECT_FALSE(game->hasEnded());
        // Back on the selection form: the library view with nothing selected.
        ASSERT_SOON(!go->isEnabled());
        EXPECT_FALSE(state().SelectedThumb.has_value());
    }

    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(startGame());
    savedGames->addItem(QStringLiteral("つづき"));
    const int notices = cues(Cue::Notice);

    // 終了 during play (its NO is in the key test): OK ends the program without the closing
    // reactions.
    ui().mnuQuit->trigger();
    EXPECT_EQ(state().PanelMode, 1);
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("ジグソーパズルを終了しますか？"));
    EXPECT_EQ(cues(Cue::Notice), notices + 1);
    finishSlides();
    EXPECT_FALSE(game->hasEnded());

    board()->Timer5_Timer();
    ASSERT_TRUE(game->sound().music().isPlaying(QStringLiteral("WaveFile")));
    player::click(ui().Command1);
    EXPECT_TRUE(game->hasEnded());
    EXPECT_FALSE(game->sound().music().isOpen(QStringLiteral("WaveFile")));
    EXPECT_FALSE(board()->isVisible());
    // The forms simply go: the selection form is not prepared for another game.
    board()->close();
    EXPECT_EQ(savedGames->count(), 1);
}

using GameClock = BoardTest;

TEST_F(GameClock, OneMinuteLimitRunsOutInTheSixtiethTickAndClosesTheOpenQuestion)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    ui().mnuSetGameTime->trigger();
    EXPECT_EQ(ui().Label5->text(),
              QStringLiteral("ゲーム時間を選択してＯＫボタンをクリックしてください。\r"
                             "60分以上の設定はテンキーから半角で直接入力してください"));
    EXPECT_FALSE(ui().mnuStart->isEnabled());
    finishSlides();

    // Picking "1" from the list announces it; OK takes it.
    player::pickWithMouse(ui().Combo1, QStringLiteral("1"));
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("ゲーム時間を 1 分に設定します。"));
    player::click(ui().Command1);
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分"));
    EXPECT_FALSE(ui().Frame1->isHidden());
    EXPECT_TRUE(ui().mnuStart->isEnabled());
    finishSlides();

    ASSERT_NO_FATAL_FAILURE(startGame());
    const float fullBar = geom::width(ui().Label3);
    EXPECT_EQ(geom::width(ui().Label4), fullBar);
    board()->Timer2_Timer();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分　　残り時間 00:59"));
    EXPECT_EQ(geom::width(ui().Label4), fullBar * 59 / 60); // a sixtieth of the bar a second
    // Half the limit gone, half the bar.
    tick(&BoardForm::Timer2_Timer, 29);
    EXPECT_NEAR(geom::width(ui().Label4), fullBar / 2, 0.01);
    tick(&BoardForm::Timer2_Timer, 29);
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分　　残り時間 00:01"));

    // The player is typing a name to save under when the time runs out.
    ui().mnuSave->trigger();
    ASSERT_EQ(state().PanelMode, 4);
    finishSlides();
    player::typeInto(ui().Combo1, QStringLiteral("とちゅう"));
    const int notices = cues(Cue::Notice);
    board()->Timer2_Timer();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 1分　　残り時間 00:00"));
    EXPECT_TRUE(state().TimeIsUp == 1 && state().InPlay == 0 && state().PanelMode == 0);
    EXPECT_FALSE(ui().Timer1->isActive() || ui().Timer2->isActive());
    EXPECT_TRUE(ui().Timer5->isActive()); // the music goes on
    EXPECT_EQ(geom::width(ui().Label4), 0);
    EXPECT_EQ(ui().Label5->text(), kTimeIsUp);
    EXPECT_EQ(cues(Cue::Notice), notices + 1);
    EXPECT_TRUE(ui().Command3->isHidden() && ui().Combo1->isHidden());
    EXPECT_FALSE(ui().mnuSave->isEnabled());
    finishSlides();

    // The elapsed time shows the limit from now on, and no piece leaves the box.
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 01:00"));
    takeOut(0);
    EXPECT_TRUE(piece(0)->isHidden() && !slot(0)->isHidden());

    // OK only takes the notice away; nothing was saved.
    player::click(ui().Command1);
    finishSlides();
    EXPECT_LT(geom::left(ui().Picture4), -geom::width(ui().Picture4));
    EXPECT_TRUE(QDir(app.filePath(QStringLiteral("save"))).isEmpty());
}

TEST_F(GameClock, TypedLimitsAreTakenAsTypedAndRunOutOnlyWhenTheSecondsReachExactlyZero)
{
    // What is not a number, or too long a limit, is refused; the question stays open.
    ASSERT_NO_FATAL_FAILURE(launch());
    ui().mnuSetGameTime->trigger();
    finishSlides();
    const QString refused = QStringLiteral("ゲーム時間が選択されていません。");
    const QString tooLong =
        QStringLiteral("ゲーム時間が長すぎます。\r999999分までの時間を入力してください。");
    int clicks = cues(Cue::Click);
    for (const auto &[typed, answer] :
         std::vector<std::pair<const char *, QString>>{{"", refused},
                                                       {"abc", refused},
                                                       {"5分", refused},
                                                       {"1,0,", refused},
                                                       {"1000000", tooLong},
                                                       {"-1000000", tooLong},
                                                       {"1e300", tooLong}}) {
        const QString text = QString::fromUtf8(typed);
        if (!text.isEmpty())
            player::typeInto(ui().Combo1, text);
        player::click(ui().Command1);
        EXPECT_EQ(cues(Cue::Click), ++clicks) << typed;
        EXPECT_EQ(ui().Label5->text(), answer) << typed;
        EXPECT_EQ(ui().Combo1->currentText(), QString());
        EXPECT_TRUE(state().PanelMode == 3 && ui().Frame1->isHidden());
    }
    // The longest limit itself is taken.
    player::typeInto(ui().Combo1, QStringLiteral("999999"));
    player::click(ui().Command1);
    finishSlides();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 999999分"));
    // Asked again, the earlier answer is selected, so what is typed replaces it; Enter in the
    // box answers OK.
    setLimit(QStringLiteral("90"));
    ui().mnuSetGameTime->trigger();
    finishSlides();
    player::typeText(QApplication::focusWidget(), QStringLiteral("5"));
    player::pressKey(Qt::Key_Return);
    finishSlides();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 5分"));
    EXPECT_EQ(state().GameTimeLimit.minutes(), 5);

    // Any number is a limit, shown as typed; it runs out in the second its seconds reach
    // exactly 0, so a limit of seconds that are not a whole number above 0 never does.
    struct Typed
    {
        const char *text;
        const char *shown; // the time left after the first second; null for no countdown
        int runsOutAt;     // the second the time runs out in; 0 for never within 700
    };
    const std::vector<Typed> table{
        {"5", "04:59", 300},   {"+5", "04:59", 300},    {"１０", "09:59", 600},
        {"1e1", "09:59", 600}, {"1,000", "999:59", 0},  {"1.5", "01:29", 90},
        {"0.5", "00:29", 30},  {"0", nullptr, 0}, // 0 is no limit after all
        {"-5", "-06:59", 0},   {"0.01", "00:00", 0},
    };
    for (const Typed &row : table) {
        const QString text = QString::fromUtf8(row.text);
        SCOPED_TRACE(text.toStdString());
        ASSERT_NO_FATAL_FAILURE(launch());
        setLimit(text);
        const QString limit = QStringLiteral("ゲーム時間 ") + text + QStringLiteral("分");
        EXPECT_EQ(ui().Label1->text(), limit);
        EXPECT_FALSE(ui().Frame1->isHidden());
        ASSERT_NO_FATAL_FAILURE(startGame());
        EXPECT_EQ(ui().Timer2->isActive(), row.shown != nullptr);
        if (!row.shown)
            continue;

        board()->Timer2_Timer();
        EXPECT_EQ(ui().Label1->text(),
                  limit + QStringLiteral("　　残り時間 ") + QString::fromUtf8(row.shown));
        int ranOut = 0;
        for (int second = 2; second <= 700 && ranOut == 0; ++second) {
            board()->Timer2_Timer();
            if (state().TimeIsUp == 1)
                ranOut = second;
        }
        EXPECT_EQ(ranOut, row.runsOutAt);
        const float bar = geom::width(ui().Label4);
        EXPECT_TRUE(bar >= 0 && bar <= geom::width(ui().Label3)) << bar;
        if (ranOut != 0) {
            EXPECT_EQ(bar, 0);
            EXPECT_TRUE(ui().Label1->text().endsWith(QStringLiteral("残り時間 00:00")));
        }
    }
}

TEST_F(GameClock, CancelWithdrawsTheLimitAndTheElapsedTimePassesAHundredMinutes)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    setLimit(QStringLiteral("5"));
    ASSERT_FALSE(ui().Frame1->isHidden());
    ui().mnuCancelGameTime->trigger();
    EXPECT_TRUE(ui().Frame1->isHidden());
    EXPECT_FALSE(state().GameTimeLimit.isSet() || ui().mnuCancelGameTime->isEnabled());

    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_TRUE(ui().Timer1->isActive());
    EXPECT_FALSE(ui().Timer2->isActive());
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 00:01"));
    state().ElapsedMin = 99;
    state().ElapsedSec = 59;
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 100:00"));
}

TEST_F(GameClock, ALimitSetOnABoardMadeLowerShortensTheViewToMakeRoomForTheTimePanel)
{
    // The player makes the board lower after the launch, until the time panel and its 5
    // pixels would miss a pixel below the view; a pixel less low, they fit.
    for (const int missing : {1, 0}) {
        SCOPED_TRACE(missing);
        ASSERT_NO_FATAL_FAILURE(launch(640, 400));
        const float room = board()->scaleHeight() - geom::height(ui().StatusBar1)
            - geom::height(ui().HScroll1) - 400;
        const float needed = geom::height(ui().Frame1) + 5;
        board()->resize(board()->width(), board()->height() - qRound(room - needed) - missing);
        ASSERT_NO_FATAL_FAILURE(setLimit(QStringLiteral("5")));
        EXPECT_EQ(ui().VScroll2->isHidden(), missing == 0);
        EXPECT_EQ(geom::height(ui().Picture9), missing == 0 ? 400 : 400 - missing);
    }
}

using BoardMenus = BoardTest;

TEST_F(BoardMenus, SettingsAndHintsBeforeStartDuringPlayAndAfterTheTimeIsUp)
{
    ASSERT_NO_FATAL_FAILURE(launch(640, 480));
    // The settings before Start: the placement cue toggled twice, 100 then 16 pieces.
    QAction *cue = ui().mnuPlacementSound;
    cue->trigger();
    EXPECT_EQ(cue->text(), QStringLiteral("配置が正しいときに音で知らせる(ＯＮ)"));
    EXPECT_EQ(state().PlacementSound, 1);
    cue->trigger();
    EXPECT_FALSE(cue->isChecked() || state().PlacementSound != 0);
    EXPECT_EQ(cue->text(), QStringLiteral("配置が正しいときに音で知らせる(ＯＦＦ)"));
    EXPECT_EQ(panelText(3), QStringLiteral("配置音＝ＯＦＦ"));

    ui().mnuPieceCounts[6]->trigger(); // 100
    ui().mnuPieceCounts[0]->trigger(); // 16
    ui().mnuPieceCounts[0]->trigger(); // the item already checked stays checked
    EXPECT_EQ(std::count_if(ui().mnuPieceCounts.begin(), ui().mnuPieceCounts.end(),
                            [](const QAction *item) { return item->isChecked(); }),
              1);
    EXPECT_TRUE(ui().mnuPieceCounts[0]->isChecked());
    EXPECT_EQ(state().GridSide, 4);
    EXPECT_EQ(panelText(1), QStringLiteral("ピース数 16"));

    QSignalSpy popups(board(), &BoardForm::popupRequested);
    moveOver(ui().Picture2, QPointF(10, 10), Qt::NoButton);
    EXPECT_EQ(panelText(4), QStringLiteral("各種設定後、スタートボタンをクリックしてください"));
    QTest::mouseClick(ui().Picture2, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(popups.count(), 0);

    setLimit(QStringLiteral("1"));
    ASSERT_NO_FATAL_FAILURE(startGame());
    const QRect barGeometry = ui().StatusBar1->geometry();
    takeOut(2);
    const std::pair<QWidget *, const char *> hints[] = {
        {ui().Picture2, "右クリックで、メニューが表示されます"},
        {piece(2), "ダブルクリックで画像をピースボックスに入れます"},
        {ui().Form, ""},
        {slot(4), "ダブルクリックで、ピースがドロップされます"},
        {ui().Picture8, "ドラッグするとボックスが移動します"}};
    for (const auto &[control, hint] : hints) {
        moveOver(control, QPointF(5, 5), Qt::NoButton);
        EXPECT_EQ(panelText(4), QString::fromUtf8(hint)) << control->objectName().toStdString();
    }
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuHideBox));
    moveOver(piece(2), QPointF(5, 5), Qt::NoButton);
    EXPECT_EQ(panelText(4), QStringLiteral("右クリックで、メニューが表示されます"));
    EXPECT_EQ(ui().StatusBar1->geometry(), barGeometry); // hints never resize the status bar
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuHideBox));
    EXPECT_EQ(popups.count(), 2);
    drag(2, 5, 5);

    // Time is up: the pieces neither move nor go back into the box; only the hints react.
    tick(&BoardForm::Timer2_Timer, 60);
    ASSERT_EQ(state().TimeIsUp, 1);
    finishSlides();
    const QPointF at = placeOf(2);
    drag(2, 40, 40);
    doubleClick(piece(2));
    EXPECT_EQ(placeOf(2), at);
    EXPECT_FALSE(piece(2)->isHidden());
    for (QWidget *control : {static_cast<QWidget *>(ui().Picture2), static_cast<QWidget *>(piece(2))}) {
        ui().StatusBar1->setPanelText(4, QString());
        moveOver(control, QPointF(5, 5), Qt::NoButton);
        EXPECT_EQ(panelText(4), kTimeIsUp);
    }
    QTest::mouseClick(piece(2), Qt::RightButton);
    QTest::mouseClick(ui().Picture2, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(popups.count(), 2);
}

TEST_F(BoardMenus, CompletedPictureCoversTheBoardAndGivesItBack)
{
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(startGame());
    const QList<QLineF> grid = ui().Picture2->lines();
    takeOut(3);
    const QPointF taken = placeOf(3);

    ui().mnuShowCompleted->trigger();
    PictureBox *view = ui().Picture3;
    EXPECT_FALSE(view->isHidden());
    EXPECT_EQ(view->geometry(), QRect(ui().Picture9->pos(), ui().Picture2->size()));
    EXPECT_EQ(view->picture(), board()->gamePicture());
    EXPECT_EQ(ui().mnuShowCompleted->text(), QStringLiteral("ゲームに戻る"));
    EXPECT_FALSE(ui().mnuSave->isEnabled());
    // A right press on the view offers only the way back.
    QSignalSpy popups(board(), &BoardForm::popupRequested);
    QTest::mouseClick(view, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(panelText(4), QStringLiteral("ゲームに戻るボタンで前の画面が表示されます"));
    EXPECT_EQ(popups.count(), 1);
    EXPECT_FALSE(ui().mnuPieceBox->isEnabled() || ui().mnuHideBox->isEnabled());
    ui().PopupMenu->hide();

    ui().mnuShowCompleted->trigger();
    EXPECT_TRUE(view->isHidden());
    EXPECT_TRUE(ui().mnuSave->isEnabled());
    EXPECT_EQ(ui().Picture2->lines(), grid);
    EXPECT_EQ(placeOf(3), taken);
}
