#include "board/PlayRules.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace jigsaw;

TEST(PlayRules, PlacementTestIncludesItsBoundsAtSinglePrecision)
{
    // 16 pieces on 640 x 480: tolerances 16 and 12.
    EXPECT_TRUE(liesInPlace(160, 120, 160, 120, 16, 12));
    EXPECT_TRUE(liesInPlace(176, 132, 160, 120, 16, 12));
    EXPECT_TRUE(liesInPlace(144, 108, 160, 120, 16, 12));
    EXPECT_FALSE(liesInPlace(177, 120, 160, 120, 16, 12));
    EXPECT_FALSE(liesInPlace(143, 120, 160, 120, 16, 12));
    EXPECT_FALSE(liesInPlace(160, 133, 160, 120, 16, 12));
    EXPECT_FALSE(liesInPlace(160, 107, 160, 120, 16, 12));

    // 49 pieces on 640 x 480: one tolerance right of 91.42857 is a single that lies a hair
    // above the exact sum, so only a bound taken at single precision lets the piece count; one
    // single step further it does not.
    const double tolX = 640.0 / 7 / 8;
    const float correct = static_cast<float>(640.0 / 7);
    const float atBound = static_cast<float>(static_cast<double>(correct) + tolX);
    EXPECT_TRUE(liesInPlace(atBound, 0, correct, 0, tolX, 9));
    EXPECT_FALSE(liesInPlace(std::nextafter(atBound, 1000.0f), 0, correct, 0, tolX, 9));
}

TEST(PlayRules, DragClampsRoundHalfPiecesOfFractionalHeight)
{
    // A piece 68.571426 high: its half is 34.285713, so its top stops on -34 above the board
    // and on 446 (480 - 34.285713) below it; the grab is rounded halves to even.
    const float w = 91.42857f;
    const float h = 68.571426f;
    EXPECT_EQ(pieceDragPlace(0, 0, 0, -100, 0, 0, w, h, 640, 480).top, -34);
    EXPECT_EQ(pieceDragPlace(0, 400, 0, 100, 0, 0, w, h, 640, 480).top, 446);
    EXPECT_EQ(pieceDragPlace(600, 0, 100, 0, 0, 0, w, h, 640, 480).left, 640 - w / 2);
    EXPECT_EQ(pieceDragPlace(100, 100, 20.5, 32.5, 20.5f, 30, w, h, 640, 480).top, 102);
    EXPECT_EQ(boxDragPlace(0, 0, 0, 1000, 0, 0, 187, 33.5f, 800, 548).top, 514); // 514.5
}

TEST(PlayRules, PieceTakenOutLandsBesideTheBoxOrInsideTheBoardEdge)
{
    TakeOutInput in;
    in.boardLeft = 0;
    in.boardWidth = 640;
    in.titleWidth = 187;
    in.viewHeight = 455;
    in.pieceW = 160;
    in.pieceH = 120;

    in.titleLeft = 603; // over the right half of the board
    TakeOutPlace p = takeOutPlace(in);
    EXPECT_EQ(p.left, 603 - 160 - 10);
    EXPECT_EQ(p.top, 455 / 2.0f - 60);

    in.titleLeft = 320; // over the left half, its edge included
    EXPECT_EQ(takeOutPlace(in).left, 320 + 187 + 10);

    in.titleLeft = 660; // right of the board
    EXPECT_EQ(takeOutPlace(in).left, 640 - 160 - 10);

    // A scrolled board is compared as it stands: its right edge moves left with it.
    in.boardLeft = -100;
    in.titleLeft = 560;
    EXPECT_EQ(takeOutPlace(in).left, -100 + 640 - 160 - 10);
}

TEST(PlayRules, OutsidePicturesGetTheNextLibraryName)
{
    EXPECT_EQ(libraryNameFor(QStringLiteral("sea.jpeg"), 12), QStringLiteral("ジグソー画像13.jpeg"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("my.trip.jpg"), 0), QStringLiteral("ジグソー画像1.trip.jpg"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("noext"), 4), QStringLiteral("ジグソー画像5"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("ジグソー画像7.jpg"), 12), std::nullopt);
    EXPECT_EQ(libraryNameFor(QStringLiteral("ジグソー画像"), 12), std::nullopt);
    EXPECT_EQ(libraryNameFor(QStringLiteral("ジグソー.jpg"), 1), QStringLiteral("ジグソー画像2.jpg"));

    // A name already in the library (an earlier completion of this run) is never reused.
    const auto taken = [](const QString &name) {
        return name == QStringLiteral("ジグソー画像13.jpg") || name == QStringLiteral("ジグソー画像14.jpg");
    };
    EXPECT_EQ(libraryNameFor(QStringLiteral("sea.jpg"), 12, taken), QStringLiteral("ジグソー画像15.jpg"));
    EXPECT_EQ(libraryNameFor(QStringLiteral("sea.png"), 12, taken), QStringLiteral("ジグソー画像13.png"));
}
