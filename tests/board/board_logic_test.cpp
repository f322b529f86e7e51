#include "board/BoardView.h"
#include "board/PieceBoxLayout.h"
#include "board/PieceCutting.h"
#include "board/QuestionPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace jigsaw;

TEST(PieceCutting, ToleranceClassesAndPieceSize)
{
    EXPECT_EQ(toleranceDivisor(16), 10);
    EXPECT_EQ(toleranceDivisor(36), 10);
    EXPECT_EQ(toleranceDivisor(49), 8);
    EXPECT_EQ(toleranceDivisor(64), 8);
    EXPECT_EQ(toleranceDivisor(81), 7);
    EXPECT_EQ(toleranceDivisor(100), 7);
    // Counts between the classes keep the last game's tolerances.
    EXPECT_FALSE(toleranceDivisor(40));
    EXPECT_FALSE(toleranceDivisor(101));
    EXPECT_FALSE(placeTolerance(80, 60, 40));

    const PieceSize size = pieceSizeFor(640, 480, 7);
    EXPECT_DOUBLE_EQ(size.pieceW, 640.0 / 7);
    EXPECT_EQ(size.pieceH, 68.571426f);
    EXPECT_EQ(placeTolerance(80, 60, 64)->y, 8); // 7.5 goes to the even 8
}

TEST(PieceCutting, GridLinesOfASevenBySevenBoard)
{
    const PieceSize size = pieceSizeFor(640, 480, 7);
    const QList<QLineF> lines = boardGridLines(size.pieceW, size.pieceH, 7, 640, 480);
    std::vector<double> xs;
    std::vector<double> ys;
    for (const QLineF &line : lines) {
        if (line.x1() == line.x2()) {
            EXPECT_EQ(line.y1(), 0);
            EXPECT_EQ(line.y2(), 480);
            xs.push_back(line.x1());
        } else {
            EXPECT_EQ(line.y1(), line.y2());
            EXPECT_EQ(line.x1(), 0);
            EXPECT_EQ(line.x2(), 640);
            ys.push_back(line.y1());
        }
    }
    EXPECT_EQ(ys, (std::vector<double>{69, 137, 206, 274, 343, 411}));
    ASSERT_EQ(xs.size(), 6u);
    const double expectedX[] = {91.43, 182.86, 274.29, 365.71, 457.14, 548.57};
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_NEAR(xs[i], expectedX[i], 0.005);
}

TEST(PieceCutting, CellsTileThePictureAndStartsStayOnTheBoard)
{
    // Cells of a row laid edge to edge at the single-precision positions cover the picture
    // without gaps or overlaps.
    const double pieceW = 640.0 / 7;
    float left = 0;
    int covered = 0;
    for (int c = 0; c < 7; ++c) {
        const QRect cell = pieceCell(left, 0, pieceW, 68.571426f);
        EXPECT_EQ(cell.left(), covered);
        covered = cell.right() + 1;
        left = static_cast<float>(static_cast<double>(left) + static_cast<double>(static_cast<float>(pieceW)));
    }
    EXPECT_EQ(covered, 640);

    EXPECT_EQ(randomStart(640, pieceW, 0.0), 1);
    EXPECT_EQ(randomStart(640, pieceW, 0.999999), 549); // Int(548.57) + 1
    EXPECT_EQ(randomStart(480, 68.571426f, 0.5), 206);
}

TEST(PieceBoxLayout, OneColumnOfFortyNineSlots)
{
    const BoxLayout layout = boxLayout(49, 640.0 / 7, 68.571426f, 17);
    ASSERT_TRUE(layout.arranged);
    ASSERT_EQ(layout.places.size(), 49u);
    EXPECT_EQ(layout.places[0].top, 5);
    EXPECT_NEAR(layout.places[1].top, 78.57, 0.005);
    EXPECT_NEAR(layout.places[2].top, 152.14, 0.005);
    EXPECT_NEAR(layout.places[48].top, 3536.43, 0.005);
    for (const SlotPlace &place : layout.places)
        EXPECT_EQ(place.left, 5);
    EXPECT_EQ(std::lround(layout.stripHeight), 3615);
    EXPECT_EQ(layout.scrollMax, 48);
    EXPECT_FLOAT_EQ(layout.panelWidth, static_cast<float>(640.0 / 7 + 27));
    EXPECT_FLOAT_EQ(layout.stripWidth, static_cast<float>(640.0 / 7 + 10));
}

TEST(PieceBoxLayout, TwoColumnsFor64And81And100Pieces)
{
    const BoxLayout hundred = boxLayout(100, 64, 48, 17);
    ASSERT_TRUE(hundred.arranged);
    ASSERT_EQ(hundred.places.size(), 100u);
    EXPECT_EQ(hundred.places[49].top, 2602);
    EXPECT_EQ(hundred.places[99].top, 2602);
    EXPECT_EQ(hundred.places[50].left, 74);
    EXPECT_EQ(hundred.places[50].top, 5);
    EXPECT_EQ(hundred.stripHeight, 2660);
    EXPECT_EQ(hundred.scrollMax, 50);
    EXPECT_EQ(hundred.panelWidth, 2 * 64 + 17 + 15);
    EXPECT_EQ(hundred.stripWidth, 2 * 64 + 15);

    const BoxLayout eightyOne = boxLayout(81, 640.0 / 9, 480.0f / 9, 17);
    ASSERT_EQ(eightyOne.places.size(), 81u);
    const auto firstColumn = std::count_if(eightyOne.places.begin(), eightyOne.places.end(),
                                           [](const SlotPlace &p) { return p.left == 5; });
    EXPECT_EQ(firstColumn, 41);
    EXPECT_EQ(eightyOne.places[41].top, 5); // the second column starts at the top again
    EXPECT_EQ(eightyOne.scrollMax, 40);     // 40.5 goes to the even 40
    EXPECT_EQ(eightyOne.stripHeight,
              static_cast<float>(static_cast<double>(eightyOne.places[40].top) + 480.0f / 9 + 10));

    EXPECT_EQ(boxLayout(64, 80, 60, 17).scrollMax, 32);
    EXPECT_FALSE(boxLayout(70, 80, 60, 17).arranged);
}

TEST(PieceBoxLayout, ListBoxTextOrder)
{
    // Signs before digits, a text before the longer texts it begins, keys compared as text.
    EXPECT_TRUE(listBoxLess(u"1000&5=5", u"2&5=130"));
    EXPECT_TRUE(listBoxLess(u"15&5=5", u"9&5=5"));
    EXPECT_TRUE(listBoxLess(u"15&5=5", u"150&5=5"));
    EXPECT_TRUE(listBoxLess(u"1&5=5", u"10&5=5"));
    EXPECT_TRUE(listBoxLess(u"7&5=1039", u"7&51=5"));   // "=" before "1"
    EXPECT_TRUE(listBoxLess(u"7&5=1039", u"7&5=104"));  // equal keys: the rest decides
    EXPECT_TRUE(listBoxLess(u"&", u"="));
    EXPECT_TRUE(listBoxLess(u"=", u"0"));
    EXPECT_FALSE(listBoxLess(u"2&5=5", u"2&5=5"));

    QStringList items;
    for (const char *item : {"2", "1000", "=9", "15", "1", "&3", "150", "9", "10"})
        insertSorted(items, QString::fromLatin1(item));
    EXPECT_EQ(items, (QStringList{"&3", "=9", "1", "10", "1000", "15", "150", "2", "9"}));
}

TEST(PieceBoxLayout, ShuffleItemsAndKeys)
{
    EXPECT_EQ(shuffleItem(537, 5, 1039), QStringLiteral("537&5=1039"));
    const auto place = parseShuffleItem(u"537&5=1039");
    ASSERT_TRUE(place);
    EXPECT_EQ(place->left, 5);
    EXPECT_EQ(place->top, 1039);
    EXPECT_FALSE(parseShuffleItem(u"537"));
    EXPECT_EQ(shuffleKey(0.0), 1);
    EXPECT_EQ(shuffleKey(0.9999999), 1000);
    EXPECT_EQ(shuffleKey(0.5364), 537);
}

TEST(PieceBoxLayout, BoxHomeBesideTheViewOrAtTheRightEdge)
{
    // Room right of the view's scroll bar: 800 - 657 = 143.
    EXPECT_EQ(boxHomeLeft(800, 640, 17, 118.42857f), 660);
    EXPECT_EQ(boxHomeLeft(800, 640, 17, 137.5f), 660);
    EXPECT_EQ(boxHomeLeft(800, 640, 17, 138), 652); // needs more than 5 pixels to spare
    EXPECT_EQ(boxHomeLeft(800, 766, 17, 160), 630);
}

TEST(BoardView, ScrollRangesAndTheViewFit)
{
    EXPECT_EQ(scrollMaxFor(766 + 300, 766), 30);
    EXPECT_EQ(scrollMaxFor(766 + 305, 766), 30);
    EXPECT_EQ(scrollMaxFor(766 + 315, 766), 32);
    EXPECT_EQ(boardOffsetFor(31), -310);

    BoardViewInput in;
    in.scaleWidth = 800;
    in.scaleHeight = 750;
    in.boardWidth = 640;
    in.boardHeight = 480;
    in.vScrollWidth = 17;
    in.hScrollHeight = 17;
    in.statusBarHeight = 24;
    in.timePanelHeight = 41;
    BoardViewFit fit = fitBoardView(in);
    EXPECT_FALSE(fit.horizontal);
    EXPECT_FALSE(fit.vertical);
    EXPECT_EQ(fit.viewWidth, 640);
    EXPECT_EQ(fit.viewHeight, 480);

    in.boardWidth = 1081;
    in.boardHeight = 750 - 17 - 24 - 41 - 5; // exactly the room: fits
    fit = fitBoardView(in);
    EXPECT_TRUE(fit.horizontal);
    EXPECT_EQ(fit.viewWidth, 766);
    EXPECT_EQ(fit.hMax, 32);
    EXPECT_FALSE(fit.vertical);
    in.boardHeight += 1;
    fit = fitBoardView(in);
    EXPECT_TRUE(fit.vertical);
    EXPECT_EQ(fit.viewHeight, 663);
    EXPECT_EQ(fit.vMax, 0);
}

TEST(QuestionPanel, SlideStepsEndAtTheirLimits)
{
    float left = -5110;
    int ticks = 0;
    while (const auto next = slideInStep(left)) {
        left = *next;
        ++ticks;
    }
    EXPECT_EQ(ticks, 170);
    EXPECT_EQ(left, -10);

    ticks = 0;
    while (const auto next = slideOutStep(left, kQuestionPanelWidth)) {
        left = *next;
        ++ticks;
    }
    EXPECT_EQ(left, -360);
    EXPECT_EQ(ticks, 7);

    const QImage picture = questionPanelPicture();
    EXPECT_EQ(picture.size(), QSize(340, 120));
    EXPECT_NE(picture.pixel(10, 10), picture.pixel(330, 110)); // a gradient, not a flat fill
}

TEST(PieceCutting, PlayableGrids)
{
    EXPECT_TRUE(isPlayableGrid(49, 7));
    EXPECT_TRUE(isPlayableGrid(40, 7)); // an edited saved game still lays out
    EXPECT_FALSE(isPlayableGrid(100, 11));
    EXPECT_FALSE(isPlayableGrid(0, 7));
    EXPECT_FALSE(isPlayableGrid(101, 10));
    EXPECT_FALSE(isPlayableGrid(49.5, 7));
}
