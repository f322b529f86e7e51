#include "BoardTestSupport.h"

#include "platform/TextFile.h"
#include "records/RecordFile.h"
#include "records/SavedGameFile.h"
#include "select/SelectForm.h"

#include <QFile>
#include <QSignalSpy>

using namespace jigsaw;
using Cue = SoundCues::Cue;

using Play = BoardTest;

TEST_F(Play, WheelScrollsTheViewAndTheBoxAndAPieceTakenOutLandsInSight)
{
    ASSERT_NO_FATAL_FAILURE(launch(2000, 1500));
    ASSERT_NO_FATAL_FAILURE(startGame());
    ui().mnuZoomSteps[2]->trigger(); // 100%
    ASSERT_FALSE(ui().HScroll1->isHidden() || ui().VScroll2->isHidden());
    QTest::keyClick(ui().HScroll1, Qt::Key_Home);
    QTest::keyClick(ui().VScroll2, Qt::Key_Home);

    // A notch over the board, or over anything on it, moves the view by about a tenth, as a
    // notch over its scroll bar does.
    player::wheel(ui().Picture2, 1);
    const int step = ui().VScroll2->value();
    EXPECT_NEAR(step, geom::height(ui().Picture9) / 10, 3);
    EXPECT_EQ(geom::top(ui().Picture2), -step);
    player::wheel(ui().VScroll2, 1);
    EXPECT_EQ(ui().VScroll2->value(), 2 * step);
    player::wheel(ui().Picture2, 1, true);
    EXPECT_NEAR(ui().HScroll1->value(), geom::width(ui().Picture9) / 10, 3);
    EXPECT_EQ(geom::left(ui().Picture2), -ui().HScroll1->value());

    // Over the box, the box's strip moves.
    player::wheel(slot(0), 1);
    const int boxStep = ui().VScroll1->value();
    EXPECT_GT(boxStep, 0);
    player::wheel(ui().VScroll1, 1);
    EXPECT_EQ(ui().VScroll1->value(), 2 * boxStep);

    // On the scrolled board, a piece taken out of the box lands where the player looks.
    for (int i : {0, 1}) {
        takeOut(i);
        const QRectF shown(-geom::left(ui().Picture2), -geom::top(ui().Picture2),
                           geom::width(ui().Picture9), geom::height(ui().Picture9));
        const QRectF at(placeOf(i), QSizeF(geom::width(piece(i)), geom::height(piece(i))));
        EXPECT_TRUE(shown.contains(at)) << i;
        player::wheel(ui().Picture2, 3); // further down for the next one
    }
}

TEST_F(Play, DraggingStopsAtTheEdgesAndReleasingInPlaceSoundsTheCue)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    takeOut(3);
    takeOut(7);

    // The press grabs the piece where it was pressed, halves rounded to even, and brings it
    // in front of everything on the board.
    const QPointF from = placeOf(3);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10.5, 20.5), QPointF(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(piece(3), &press);
    EXPECT_EQ(ui().Picture2->children().last(), piece(3));
    moveOver(piece(3), QPointF(15.5, 27), Qt::LeftButton);
    EXPECT_EQ(placeOf(3), from + QPointF(5, 7));
    // Only the left button alone drags.
    moveOver(piece(3), QPointF(40, 40), Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(placeOf(3), from + QPointF(5, 7));
    QTest::mouseRelease(piece(3), Qt::LeftButton);

    // Past each edge the piece stops with its centre on the edge: half of 160 x 120 outside.
    drag(3, -2000, -2000);
    EXPECT_EQ(placeOf(3), QPointF(-80, -60));
    drag(3, 4000, 4000);
    EXPECT_EQ(placeOf(3), QPointF(640 - 80, 480 - 60));

    const QPointF before = placeOf(7);
    drag(7, 50, 50, Qt::RightButton);
    ui().PopupMenu->hide();
    EXPECT_EQ(placeOf(7), before);

    // A release exactly at the tolerance sounds the placement cue; a pixel outside, not.
    ui().mnuPlacementSound->trigger();
    takeOut(5);
    const QPointF correct = correctOf(5);
    int clicks = cues(Cue::Click);
    for (const QPointF off : {QPointF(16, 12), QPointF(-16, -12)}) {
        dragTo(5, correct + off);
        EXPECT_EQ(cues(Cue::Click), ++clicks) << off.x() << "," << off.y();
    }
    for (const QPointF off : {QPointF(17, 12), QPointF(16, 13), QPointF(-17, 0), QPointF(0, -13)}) {
        dragTo(5, correct + off);
        EXPECT_EQ(placeOf(5), correct + off);
        EXPECT_EQ(cues(Cue::Click), clicks) << off.x() << "," << off.y();
    }

    // Right and middle releases sound nothing; without the placement cue nothing does.
    dragTo(5, correct);
    clicks = cues(Cue::Click);
    QTest::mouseRelease(piece(5), Qt::RightButton);
    QTest::mouseRelease(piece(5), Qt::MiddleButton);
    EXPECT_EQ(cues(Cue::Click), clicks);
    ui().mnuPlacementSound->trigger();
    drag(5, 0, 0);
    EXPECT_EQ(cues(Cue::Click), clicks);
}

TEST_F(Play, DoubleClicksTheBoxMenusAndDraggingTheBox)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    takeOut(9);
    EXPECT_FALSE(slot(9)->hasPicture());
    const QImage picture = piece(9)->shownPicture();
    drag(9, 33, -21);
    const QPointF at = placeOf(9);

    // With the box hidden a double-click does nothing; with it shown the piece goes back. The
    // popup names what each choice will do.
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuHideBox));
    EXPECT_EQ(ui().mnuHideBox->text(), QStringLiteral("ピースボックスを表示しない"));
    ASSERT_TRUE(ui().Picture7->isHidden());
    doubleClick(piece(9));
    EXPECT_FALSE(piece(9)->isHidden());
    EXPECT_TRUE(piece(9)->hasPicture());
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(piece(9), ui().mnuHideBox));
    EXPECT_EQ(ui().mnuHideBox->text(), QStringLiteral("ピースボックスを表示する"));
    ASSERT_FALSE(ui().Picture7->isHidden());
    doubleClick(piece(9));
    EXPECT_TRUE(piece(9)->isHidden());
    EXPECT_EQ(slot(9)->shownPicture(), picture);
    EXPECT_EQ(placeOf(9), at);

    // All out: every piece on the board where its control was left, no slot, no box.
    std::vector<QPointF> stored;
    for (int i = 0; i < 16; ++i)
        stored.push_back(placeOf(i));
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuPieceBox));
    EXPECT_EQ(ui().mnuPieceBox->text(), QStringLiteral("ピースをボックスから出す"));
    EXPECT_TRUE(ui().Picture7->isHidden() && ui().Picture8->isHidden());
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(!piece(i)->isHidden() && piece(i)->hasPicture() && slot(i)->isHidden()) << i;
        EXPECT_EQ(placeOf(i), stored[static_cast<std::size_t>(i)]) << i;
    }

    // Put back with every piece but 11 in its place: only 11 goes back, with its picture.
    for (int i = 0; i < 16; ++i)
        geom::move(piece(i), correctOf(i).x() + (i == 11 ? 17 : 3), correctOf(i).y() - 2);
    const QImage eleven = piece(11)->shownPicture();
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuPieceBox));
    EXPECT_EQ(ui().mnuPieceBox->text(), QStringLiteral("ピースをボックスに入れる"));
    EXPECT_FALSE(ui().mnuSave->isEnabled());
    EXPECT_FALSE(ui().Picture7->isHidden());
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(piece(i)->isHidden() == (i == 11) && slot(i)->isHidden() == (i != 11)) << i;
    EXPECT_EQ(slot(11)->shownPicture(), eleven);
    // Taken out again, the game can be saved again, and the popup offers to put back.
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuPieceBox));
    EXPECT_EQ(ui().mnuPieceBox->text(), QStringLiteral("ピースをボックスから出す"));
    EXPECT_TRUE(ui().mnuSave->isEnabled());
    EXPECT_FALSE(piece(11)->isHidden() || !slot(11)->isHidden());
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuPieceBox));
    EXPECT_EQ(ui().mnuPieceBox->text(), QStringLiteral("ピースをボックスに入れる"));

    // The box's title bar drags the box, half of it out sideways at most, all of it inside.
    PictureBox *title = ui().Picture8;
    const float width = geom::width(title);
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(title, QPoint(-3000, -3000));
    EXPECT_EQ(geom::left(title), -width / 2);
    EXPECT_EQ(geom::top(title), 0);
    QTest::mouseMove(title, QPoint(5000, 5000));
    EXPECT_EQ(geom::left(title), board()->scaleWidth() - width / 2);
    EXPECT_EQ(geom::top(title), std::round(board()->scaleHeight() - 33));
    EXPECT_EQ(QPointF(geom::left(ui().Picture7), geom::top(ui().Picture7)),
              QPointF(geom::left(title), geom::top(title) + 33));
    // Down there the box goes under the status bar, which stays whole in front of it.
    const QRect bar = ui().StatusBar1->geometry();
    QWidget *atBar = ui().Form->childAt(qRound(geom::left(title) + width / 4), bar.center().y());
    EXPECT_TRUE(atBar == ui().StatusBar1 || ui().StatusBar1->isAncestorOf(atBar));
    QTest::mouseRelease(title, Qt::LeftButton);
    const QPointF dropped(geom::left(title), geom::top(title));
    moveOver(title, QPointF(300, 300), Qt::LeftButton);
    EXPECT_EQ(QPointF(geom::left(title), geom::top(title)), dropped);

    // A piece taken out lands beside the box when the box lies over the board.
    doubleClick(piece(0));
    ASSERT_TRUE(piece(0)->isHidden());
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(title, QPoint(10 + 100 - qRound(geom::left(title)), 10 - qRound(geom::top(title))));
    QTest::mouseRelease(title, Qt::LeftButton);
    ASSERT_NEAR(geom::left(title), 100, 1);
    takeOut(0);
    EXPECT_EQ(geom::left(piece(0)), geom::left(title) + width + 10);
    ui().VScroll1->setValue(2);
    EXPECT_EQ(geom::top(ui().Picture5), -240);
}

TEST_F(Play, TheLastPieceInPlaceCompletesATimedGameOnceAndNothingAfterwardsUndoesIt)
{
    state().LibraryPictureCount = 12;
    app.writeFile(QStringLiteral("gazou/ジグソー画像13.png"), QByteArrayLiteral("taken"));
    ASSERT_NO_FATAL_FAILURE(launch(640, 480, QStringLiteral("sea.png")));
    ui().mnuPieceCounts[0]->trigger();
    ASSERT_NO_FATAL_FAILURE(setLimit(QStringLiteral("1")));
    ASSERT_NO_FATAL_FAILURE(startGame());
    const QString congratulation =
        QStringLiteral("おめでとう！完成です。\rこの記録を保存して、順位表に登録できます。\r"
                       "保存する場合はプレーヤー名を入力してＯＫボタンをクリックしてください。");

    // The music plays for 20 ticks, is stopped on the 21st and starts again on the next.
    const auto music = [this] { return game->sound().music().isPlaying(QStringLiteral("WaveFile")); };
    board()->Timer5_Timer();
    EXPECT_TRUE(music());
    tick(&BoardForm::Timer5_Timer, 19);
    EXPECT_TRUE(music());
    board()->Timer5_Timer();
    EXPECT_FALSE(music());
    board()->Timer5_Timer();
    EXPECT_TRUE(music());

    // One piece a pixel outside its tolerance: nothing happens.
    placeAllBut(10, QPoint(9, -7));
    dragTo(10, correctOf(10) + QPointF(17, 0));
    EXPECT_EQ(cues(Cue::Complete), 0);
    // A piece sent back into the box from its place does not count.
    ASSERT_NO_FATAL_FAILURE(chooseFromPopup(ui().Picture2, ui().mnuHideBox)); // show the box
    doubleClick(piece(4));
    ASSERT_TRUE(piece(4)->isHidden());
    dragTo(10, correctOf(10) + QPointF(16, 12));
    EXPECT_EQ(cues(Cue::Complete), 0);
    EXPECT_NE(ui().Label5->text(), congratulation);

    takeOut(4);
    dragTo(4, correctOf(4) + QPointF(-16, -12));
    EXPECT_EQ(cues(Cue::Complete), 4); // one per row
    EXPECT_FALSE(game->sound().music().isOpen(QStringLiteral("WaveFile")));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(placeOf(i), correctOf(i)) << i;
        EXPECT_FALSE(piece(i)->isHidden()) << i;
    }
    EXPECT_TRUE(ui().Picture7->isHidden());
    EXPECT_FALSE(ui().mnuSave->isEnabled());
    EXPECT_EQ(ui().Label5->text(), congratulation);
    EXPECT_FALSE(ui().Command3->isHidden() || ui().Combo1->isHidden());
    EXPECT_EQ(ui().Combo1->count(), 0);
    finishSlides();

    // The clocks have stopped: whatever time passes, the elapsed time stays and the limit
    // never runs out over the question.
    const QString elapsed = panelText(2);
    drive(ui().Timer1, &BoardForm::Timer1_Timer);
    drive(ui().Timer2, &BoardForm::Timer2_Timer);
    EXPECT_EQ(panelText(2), elapsed);
    EXPECT_EQ(ui().Label5->text(), congratulation);
    // A press and release on a piece in its place is no second completion, and no popup is
    // offered any more.
    QSignalSpy popups(board(), &BoardForm::popupRequested);
    QTest::mouseClick(piece(3), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(piece(5), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(cues(Cue::Complete), 4);
    EXPECT_EQ(popups.count(), 0);
    EXPECT_EQ(ui().Label5->text(), congratulation);

    // The outside picture joins the library under the next free number, with its record.
    player::typeInto(ui().Combo1, QStringLiteral("花子"));
    player::click(ui().Command1);
    QFile copy(app.filePath(QStringLiteral("gazou/ジグソー画像14.png")));
    QFile original(app.filePath(QStringLiteral("pictures/sea.png")));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), original.readAll());
    const QStringList records =
        text::readLines(app.filePath(QStringLiteral("datasave/ジグソー画像14.png&16枚.txt"))).lines;
    ASSERT_EQ(records.size(), 2);
    EXPECT_TRUE(records[1].endsWith(QStringLiteral("%16\\0*花子"))) << records[1].toStdString();
}

TEST_F(Play, CompletingAResumedLibraryGameDeletesItsFileAndOffersEachPlayerOnce)
{
    const QString name = QStringLiteral("ジグソー画像7.png");
    QStringList lines{QStringLiteral(" 120 ")};
    const QStringList players{QStringLiteral("太郎"), QStringLiteral("ﾀﾛｳ"), QStringLiteral("taro"),
                              QStringLiteral("Taro"), QStringLiteral("太郎"), QStringLiteral("a*b")};
    for (int i = 0; i < 120; ++i) {
        lines << recordfile::makeLine(QDate(2024, 1, 2), name, 16, 100 + i,
                                      players[i % players.size()]);
    }
    ASSERT_EQ(text::writeLinesAtomically(
                  recordfile::filePath(app.filePath(QStringLiteral("datasave")), name, 16), lines),
              files::WriteStatus::Ok);

    game->start();
    state().AppDir = app.path();
    state().LibraryPictureCount = 12;
    ASSERT_SOON(game->frmSelect()->isActiveWindow());
    const QString saved = QStringLiteral("続き");
    app.writeFile(QStringLiteral("save/続き.txt"), QByteArrayLiteral("saved\r\n"));
    app.writeFile(QStringLiteral("save/あとの一局.txt"), QByteArrayLiteral("saved\r\n"));
    ASSERT_NE(launchResumed(640, 480, 16, 4, 0, 0, name), nullptr);
    ASSERT_SOON(state().BoardActivated == 1.0);

    // Looking at the saved games again chooses none of them for the game in play.
    auto *resume = game->frmSelect()->findChild<QAction *>(QStringLiteral("ゲームの続き"));
    resume->setEnabled(true);
    resume->trigger();
    board()->activateWindow();
    ASSERT_SOON(board()->isActiveWindow());
    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_EQ(fields().BoxMode, 2);
    for (int i = 0; i < 16; ++i)
        dragTo(i, correctOf(i) + QPointF(1, 1));

    ASSERT_EQ(fields().Completed, 1);
    EXPECT_FALSE(QFile::exists(savedgame::filePath(app.filePath(QStringLiteral("save")), saved)));
    EXPECT_TRUE(QFile::exists(app.filePath(QStringLiteral("save/あとの一局.txt"))));
    EXPECT_EQ(state().ImageFileName, name);
    EXPECT_EQ(state().PanelMode, 7);
    QStringList offered;
    for (int i = 0; i < ui().Combo1->count(); ++i)
        offered << ui().Combo1->itemText(i);
    EXPECT_EQ(offered, QStringList({"太郎", "ﾀﾛｳ", "taro", "Taro", "a*b"}));
    EXPECT_EQ(ui().Combo1->currentText(), saved);
}
