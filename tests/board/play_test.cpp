#include "PlayTestSupport.h"

#include "board/StatusPanels.h"
#include "platform/Geometry.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace jigsaw;
using Cue = SoundCues::Cue;

using Play = PlayTest;

TEST_F(Play, DraggingFollowsTheLeftButtonAndStopsWithTheCentreOnEachEdge)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    takeOut(3);
    ASSERT_FALSE(piece(3)->isHidden());
    takeOut(7);

    // The press grabs the piece where it was pressed, halves of pixels rounded to even, and
    // brings it in front of everything on the board.
    const QPointF from = placeOf(3);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10.5, 20.5), QPointF(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(piece(3), &press);
    EXPECT_EQ(fields().PieceDragging, 1);
    EXPECT_EQ(fields().GrabX, 10.5f);
    EXPECT_EQ(fields().GrabY, 20);
    EXPECT_EQ(ui().Picture2->children().last(), piece(3));

    moveOver(piece(3), QPointF(15.5, 27), Qt::LeftButton);
    EXPECT_EQ(placeOf(3), from + QPointF(5, 7));
    EXPECT_EQ(fields().DragLeft, from.x() + 5);
    EXPECT_EQ(fields().DragTop, from.y() + 7);
    // Only the left button alone drags.
    moveOver(piece(3), QPointF(40, 40), Qt::LeftButton | Qt::RightButton);
    moveOver(piece(3), QPointF(40, 40), Qt::NoButton);
    EXPECT_EQ(placeOf(3), from + QPointF(5, 7));
    QTest::mouseRelease(piece(3), Qt::LeftButton);

    // Past each edge the piece stops with its centre on the edge: half of 160 x 120 outside.
    drag(3, -2000, -2000);
    EXPECT_EQ(placeOf(3), QPointF(-80, -60));
    drag(3, 4000, 4000);
    EXPECT_EQ(placeOf(3), QPointF(640 - 80, 480 - 60));
    drag(3, -4000, 0);
    EXPECT_EQ(placeOf(3), QPointF(-80, 420));
    drag(3, 0, -4000);
    EXPECT_EQ(placeOf(3), QPointF(-80, -60));

    // A right-button drag moves nothing (and opens the popup on its press).
    const QPointF before = placeOf(7);
    drag(7, 50, 50, Qt::RightButton);
    ui().PopupMenu->hide();
    EXPECT_EQ(placeOf(7), before);

    // Scrolling the board carries the pieces with it; their places on the board stay.
    ui().VScroll2->setValue(3);
    EXPECT_EQ(geom::top(ui().Picture2), -30);
    EXPECT_EQ(placeOf(7), before);
}

TEST_F(Play, ReleaseAtTheToleranceSoundsThePlacementCueAndAPixelOutsideDoesNot)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    state().PlacementSound = 1;
    takeOut(5);
    takeOut(6);
    const QPointF correct = correctOf(5);
    int clicks = cues(Cue::Click);

    for (const QPointF off : {QPointF(16, 12), QPointF(-16, -12), QPointF(16, -12)}) {
        dragTo(5, correct + off);
        EXPECT_EQ(placeOf(5), correct + off);
        EXPECT_EQ(cues(Cue::Click), ++clicks) << off.x() << "," << off.y();
    }
    for (const QPointF off : {QPointF(17, 12), QPointF(16, 13), QPointF(-17, 0), QPointF(0, -13)}) {
        dragTo(5, correct + off);
        EXPECT_EQ(placeOf(5), correct + off);
        EXPECT_EQ(cues(Cue::Click), clicks) << off.x() << "," << off.y();
    }

    // Pressed and released in place without moving: the cue again, and the check runs.
    dragTo(5, correct);
    ++clicks;
    fields().CorrectCount = -1;
    drag(5, 0, 0);
    EXPECT_EQ(cues(Cue::Click), ++clicks);
    EXPECT_EQ(fields().CorrectCount, 1);

    // Right and middle releases do nothing: no cue, no check.
    fields().CorrectCount = -1;
    QTest::mouseRelease(piece(5), Qt::RightButton);
    QTest::mouseRelease(piece(5), Qt::MiddleButton);
    EXPECT_EQ(cues(Cue::Click), clicks);
    EXPECT_EQ(fields().CorrectCount, -1);

    // Without the placement cue the check still runs, silently.
    state().PlacementSound = 0;
    drag(5, 0, 0);
    EXPECT_EQ(cues(Cue::Click), clicks);
    EXPECT_EQ(fields().CorrectCount, 1);
    EXPECT_EQ(fields().Completed, 0);
}

TEST_F(Play, DoubleClickSendsAPieceBackOnlyWhileTheBoxIsShown)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    takeOut(9);
    EXPECT_TRUE(slot(9)->isHidden());
    EXPECT_FALSE(slot(9)->hasPicture());
    ASSERT_TRUE(piece(9)->hasPicture());
    const QImage picture = piece(9)->picture();
    drag(9, 33, -21);
    const QPointF at = placeOf(9);

    ui().mnuHideBox->trigger();
    ASSERT_TRUE(ui().Picture7->isHidden());
    doubleClick(piece(9));
    EXPECT_FALSE(piece(9)->isHidden());
    EXPECT_TRUE(piece(9)->hasPicture());

    // The popup offers the box again; with it shown the double-click sends the piece back.
    QSignalSpy popups(board(), &BoardForm::popupRequested);
    QTest::mouseClick(piece(9), Qt::RightButton);
    ASSERT_EQ(popups.size(), 1);
    EXPECT_TRUE(ui().PopupMenu->isVisible());
    EXPECT_EQ(ui().mnuPieceBox->text(), QStringLiteral("ピースをボックスから出す"));
    EXPECT_EQ(ui().mnuHideBox->text(), QStringLiteral("ピースボックスを表示する"));
    ui().PopupMenu->hide();
    ui().mnuHideBox->trigger();
    ASSERT_FALSE(ui().Picture7->isHidden());
    ASSERT_FALSE(ui().Picture8->isHidden());

    doubleClick(piece(9));
    EXPECT_TRUE(piece(9)->isHidden());
    EXPECT_FALSE(piece(9)->hasPicture());
    EXPECT_FALSE(slot(9)->isHidden());
    EXPECT_EQ(slot(9)->picture(), picture);
    EXPECT_EQ(placeOf(9), at);

    // The box's strip, its slots and its title bar offer the popup too; a left press does not.
    QTest::mouseClick(ui().Picture5, Qt::RightButton);
    QTest::mouseClick(slot(9), Qt::RightButton);
    QTest::mouseClick(ui().Picture8, Qt::MiddleButton);
    QTest::mouseClick(slot(9), Qt::LeftButton);
    EXPECT_EQ(popups.size(), 4);
    EXPECT_EQ(ui().mnuHideBox->text(), QStringLiteral("ピースボックスを表示しない"));
    ui().PopupMenu->hide();
}

TEST_F(Play, HintsAndTheTimeOutFreezeThePieces)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    StatusPanels *bar = ui().StatusBar1;
    const QRect barGeometry = bar->geometry();
    takeOut(2);

    moveOver(piece(2), QPointF(5, 5), Qt::NoButton);
    EXPECT_EQ(bar->panelText(4), QStringLiteral("ダブルクリックで画像をピースボックスに入れます"));
    moveOver(ui().Form, QPointF(5, 5), Qt::NoButton);
    EXPECT_EQ(bar->panelText(4), QString());
    moveOver(slot(4), QPointF(5, 5), Qt::NoButton);
    EXPECT_EQ(bar->panelText(4), QStringLiteral("ダブルクリックで、ピースがドロップされます"));
    moveOver(ui().Picture8, QPointF(5, 5), Qt::NoButton);
    EXPECT_EQ(bar->panelText(4), QStringLiteral("ドラッグするとボックスが移動します"));
    ui().mnuHideBox->trigger();
    moveOver(piece(2), QPointF(5, 5), Qt::LeftButton);
    EXPECT_EQ(bar->panelText(4), QStringLiteral("右クリックで、メニューが表示されます"));
    // Writing hints never resizes the status bar.
    EXPECT_EQ(bar->geometry(), barGeometry);

    // Time is up: the pieces neither move nor go back into the box; only the hint reacts.
    ui().mnuHideBox->setText(QStringLiteral("ピースボックスを表示する"));
    ui().mnuHideBox->trigger();
    state().TimeIsUp = 1;
    state().InPlay = 0;
    const QPointF at = placeOf(2);
    fields().PieceDragging = 0;
    drag(2, 40, 40);
    doubleClick(piece(2));
    doubleClick(slot(4));
    EXPECT_EQ(placeOf(2), at);
    EXPECT_FALSE(piece(2)->isHidden());
    EXPECT_TRUE(piece(4)->isHidden());
    EXPECT_EQ(fields().PieceDragging, 0);
    EXPECT_EQ(bar->panelText(4), QStringLiteral("時間がなくなりました。終了してください。"));

    // Without a game in play the popup is not offered.
    QSignalSpy popups(board(), &BoardForm::popupRequested);
    QTest::mouseClick(piece(2), Qt::RightButton);
    QTest::mouseClick(ui().Picture8, Qt::RightButton);
    EXPECT_EQ(popups.size(), 0);
}

TEST_F(Play, TakingAllOutAndPuttingTheMisplacedBack)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    takeOut(1);
    doubleClick(piece(1)); // back into the box, its board control where it landed
    std::vector<QPointF> stored;
    for (int i = 0; i < 16; ++i)
        stored.push_back(placeOf(i));

    // All out: every piece on the board where its control was left, no slot, no box.
    ui().mnuPieceBox->trigger();
    EXPECT_EQ(fields().BoxMode, 2);
    QTest::mouseClick(piece(0), Qt::RightButton);
    EXPECT_EQ(ui().mnuPieceBox->text(), QStringLiteral("ピースをボックスに入れる"));
    ui().PopupMenu->hide();
    EXPECT_TRUE(ui().mnuSave->isEnabled());
    EXPECT_TRUE(ui().Picture7->isHidden());
    EXPECT_TRUE(ui().Picture8->isHidden());
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(piece(i)->isHidden());
        EXPECT_TRUE(piece(i)->hasPicture());
        EXPECT_TRUE(slot(i)->isHidden());
        EXPECT_FALSE(slot(i)->hasPicture());
        EXPECT_EQ(placeOf(i), stored[static_cast<std::size_t>(i)]);
    }

    // Every piece in its place: putting back leaves an empty box.
    for (int i = 0; i < 16; ++i)
        geom::move(piece(i), correctOf(i).x() + 3, correctOf(i).y() - 2);
    ui().mnuPieceBox->trigger();
    EXPECT_EQ(fields().BoxMode, 1);
    EXPECT_FALSE(ui().mnuSave->isEnabled());
    EXPECT_FALSE(ui().Picture7->isHidden());
    EXPECT_FALSE(ui().Picture8->isHidden());
    EXPECT_EQ(geom::top(ui().Picture8), 0);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FALSE(piece(i)->isHidden());
        EXPECT_TRUE(slot(i)->isHidden());
    }

    // Misplaced pieces go back with their pictures; a piece already in the box stays there,
    // even when its hidden board control lies in its place.
    ui().mnuPieceBox->trigger();
    ui().mnuHideBox->setText(QStringLiteral("ピースボックスを表示する"));
    ui().mnuHideBox->trigger();
    doubleClick(piece(8));
    ASSERT_TRUE(piece(8)->isHidden());
    geom::move(piece(11), correctOf(11).x() + 17, correctOf(11).y());
    const QImage eleven = piece(11)->picture();
    ui().mnuPieceBox->trigger();
    EXPECT_EQ(fields().BoxMode, 1);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const bool inBox = i == 8 || i == 11;
        EXPECT_EQ(piece(i)->isHidden(), inBox);
        EXPECT_EQ(piece(i)->hasPicture(), !inBox);
        EXPECT_EQ(slot(i)->isHidden(), !inBox);
        EXPECT_EQ(slot(i)->hasPicture(), inBox);
    }
    EXPECT_EQ(slot(11)->picture(), eleven);
}

TEST_F(Play, TheBoxIsDraggedByItsTitleBarAndScrolledByPieceHeights)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    PictureBox *title = ui().Picture8;
    const float width = geom::width(title);
    const QPointF home(geom::left(title), geom::top(title));

    // A click without moving leaves the box in place.
    QTest::mouseClick(title, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(QPointF(geom::left(title), geom::top(title)), home);

    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(fields().BoxDragging, 1);
    QTest::mouseMove(title, QPoint(-3000, -3000));
    EXPECT_EQ(geom::left(title), -width / 2);
    EXPECT_EQ(geom::top(title), 0);
    QTest::mouseMove(title, QPoint(5000, 5000));
    EXPECT_EQ(geom::left(title), board()->scaleWidth() - width / 2);
    EXPECT_EQ(geom::top(title), std::round(board()->scaleHeight() - 33));
    EXPECT_EQ(geom::left(ui().Picture7), geom::left(title));
    EXPECT_EQ(geom::top(ui().Picture7), geom::top(title) + 33);
    QTest::mouseMove(title, QPoint(-40, -50));
    const QPointF dropped(geom::left(title), geom::top(title));
    QTest::mouseRelease(title, Qt::LeftButton);
    EXPECT_EQ(fields().BoxDragging, 0);
    moveOver(title, QPointF(300, 300), Qt::LeftButton);
    EXPECT_EQ(QPointF(geom::left(title), geom::top(title)), dropped);

    // A piece taken out lands beside the box when the box lies over the board.
    geom::move(title, 100, 0);
    takeOut(0);
    EXPECT_EQ(geom::left(piece(0)), 100 + width + 10);
    EXPECT_EQ(geom::top(piece(0)), geom::height(ui().Picture9) / 2 - 60);

    ui().VScroll1->setValue(2);
    EXPECT_EQ(geom::top(ui().Picture5), -240);
    ui().VScroll1->setValue(0);
    EXPECT_EQ(geom::top(ui().Picture5), 0);
}
