#include "board/BoardView.h"
#include "board/ClockRules.h"
#include "board/PieceBoxLayout.h"
#include "board/PieceCutting.h"
#include "board/PlayRules.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace jigsaw;

TEST(BoardRules, BoxHomeAndTheBoardViewAtTheirLimits)
{
    // Room right of the view's scroll bar: 800 - 657 = 143, of which 5 must be spare.
    EXPECT_EQ(boxHomeLeft(800, 640, 17, 137.5f), 660);
    EXPECT_EQ(boxHomeLeft(800, 640, 17, 138), 652);

    // Exactly the room below fits; a pixel more scrolls.
    BoardViewInput in{.scaleWidth = 800, .scaleHeight = 750, .boardWidth = 640,
                      .boardHeight = 750 - 17 - 24 - 41 - 5, .vScrollWidth = 17,
                      .hScrollHeight = 17, .statusBarHeight = 24, .timePanelHeight = 41};
    EXPECT_FALSE(fitBoardView(in).vertical);
    in.boardHeight += 1;
    EXPECT_TRUE(fitBoardView(in).vertical);
    EXPECT_EQ(fitBoardView(in).viewHeight, 663);
}

TEST(PlayRules, PlacementBoundsDragClampsAndTakeOutPlaces)
{
    // One tolerance right of 91.42857 is a single a hair above the exact sum: only a bound
    // taken at single precision lets the piece count; one single step further it does not.
    const double tolX = 640.0 / 7 / 8;
    const float correct = static_cast<float>(640.0 / 7);
    const float atBound = static_cast<float>(static_cast<double>(correct) + tolX);
    EXPECT_TRUE(liesInPlace(atBound, 0, correct, 0, tolX, 9));
    EXPECT_FALSE(liesInPlace(std::nextafter(atBound, 1000.0f), 0, correct, 0, tolX, 9));

    // A piece 68.571426 high stops with its top on -34 and 446 (480 - 34.285713); the grab
    // is rounded halves to even.
    const float w = 91.42857f;
    const float h = 68.571426f;
    EXPECT_EQ(pieceDragPlace(0, 0, 0, -100, 0, 0, w, h, 640, 480).top, -34);
    EXPECT_EQ(pieceDragPlace(0, 400, 0, 100, 0, 0, w, h, 640, 480).top, 446);
    EXPECT_EQ(pieceDragPlace(100, 100, 20.5, 32.5, 20.5f, 30, w, h, 640, 480).top, 102);
    EXPECT_EQ(boxDragPlace(0, 0, 0, 1000, 0, 0, 187, 33.5f, 800, 548).top, 514); // 514.5

    // Left of a box over the right half of the board, halfway down the view.
    TakeOutInput in{.view = {0, 8, 640, 455}, .board = {0, 8, 640, 480},
                    .box = QRectF(603, 0, 187, 500), .scale = 1, .pieceW = 160, .pieceH = 120};
    ASSERT_TRUE(takeOutPlace(in));
    EXPECT_EQ(takeOutPlace(in)->left, 603 - 10 - 160);
    EXPECT_EQ(takeOutPlace(in)->top, 455 / 2.0f - 60);
    // On a board scrolled by (300, 400), with the box right of the view, the piece lands inside
    // the right edge of what the view shows, not where the unscrolled board would have been.
    in = TakeOutInput{.view = {0, 8, 1000, 600}, .board = {-300, -392, 1600, 1200},
                      .box = QRectF(1020, 0, 187, 600), .scale = 1, .pieceW = 160, .pieceH = 120};
    EXPECT_EQ(takeOutPlace(in)->left, 300 + 1000 - 10 - 160);
    EXPECT_EQ(takeOutPlace(in)->top, 400 + 300 - 60);
    // At half size, the room beside the box is measured as the player sees it; the place is in
    // picture pixels.
    in = TakeOutInput{.view = {0, 8, 600, 500}, .board = {-100, 8, 1000, 750},
                      .box = QRectF(400, 0, 187, 600), .scale = 0.5, .pieceW = 200, .pieceH = 150};
    EXPECT_EQ(takeOutPlace(in)->left, (400 - 10 - 100 + 100) / 0.5);
    EXPECT_EQ(takeOutPlace(in)->top, (250 - 37.5) / 0.5);
    // A box that leaves the piece no room on either side: no place until it moves aside.
    in.view.setWidth(300);
    in.box = QRectF(100, 0, 187, 600);
    EXPECT_FALSE(takeOutPlace(in));
}

TEST(PlayRules, OutsidePicturesGetTheNextFreeLibraryName)
{
    EXPECT_EQ(libraryNameFor(QStringLiteral("my.trip.jpg"), 0), QStringLiteral("ジグソー画像1.trip.jpg"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("noext"), 4), QStringLiteral("ジグソー画像5"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("ジグソー.jpg"), 1), QStringLiteral("ジグソー画像2.jpg"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("ジグソー画像7.jpg"), 12), std::nullopt);
    const auto taken = [](const QString &name) {
        return name == QStringLiteral("ジグソー画像13.jpg") || name == QStringLiteral("ジグソー画像14.jpg");
    };
    EXPECT_EQ(libraryNameFor(QStringLiteral("sea.jpg"), 12, taken), QStringLiteral("ジグソー画像15.jpg"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("sea.png"), 12, taken), QStringLiteral("ジグソー画像13.png"));
}

TEST(ClockRules, LimitsAndTheCountdown)
{
    // 1.1 * 60 is not exactly 66 in binary, yet 1.1 minutes run out after 66 seconds.
    EXPECT_EQ(limitSeconds(1.1), 66);
    EXPECT_NE(limitSeconds(0.0166666666667), 1);

    // Five minutes: 04:59 after the first second, 04:00 after the 60th, 03:59 after the 61st.
    Countdown countdown = countdownStart(300);
    QStringList shown;
    for (bool ranOut = false; !ranOut;) {
        const CountdownStep step = countdownTick(countdown);
        shown << remainingTimeText(QStringLiteral("5"), step.shownMin, step.shownSec);
        countdown = step.after;
        ranOut = step.timeUp;
    }
    ASSERT_EQ(shown.size(), 300);
    EXPECT_EQ(shown[0], QStringLiteral("ゲーム時間 5分　　残り時間 04:59"));
    EXPECT_EQ(shown[59], QStringLiteral("ゲーム時間 5分　　残り時間 04:00"));
    EXPECT_EQ(shown[60], QStringLiteral("ゲーム時間 5分　　残り時間 03:59"));
    EXPECT_EQ(shown.last(), QStringLiteral("ゲーム時間 5分　　残り時間 00:00"));
}
