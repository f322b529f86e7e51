#include "BoardTestSupport.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <QPaintEvent>
#include <QTimer>

#include <set>

using namespace jigsaw;
using boardtest::edge;
using boardtest::patternAt;

namespace {

// True when the piece's picture is exactly the pixels of the picture below its correct place.
::testing::AssertionResult showsItsCell(const QImage &piece, float left, float top, double pieceW,
                                        float pieceH)
{
    const int x0 = edge(left);
    const int y0 = edge(top);
    const QSize cell(edge(static_cast<double>(left) + static_cast<double>(static_cast<float>(pieceW))) - x0,
                     edge(static_cast<double>(top) + static_cast<double>(pieceH)) - y0);
    if (piece.size() != cell)
        return ::testing::AssertionFailure() << "size " << piece.width() << "x" << piece.height();
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width(); ++x) {
            if (piece.pixel(x, y) != patternAt(x0 + x, y0 + y))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y;
        }
    }
    return ::testing::AssertionSuccess();
}

// A source that gives the listed numbers in turn, then `rest` for ever.
std::function<double()> sequence(std::vector<double> values, std::vector<double> rest)
{
    auto index = std::make_shared<std::size_t>(0);
    return [values = std::move(values), rest = std::move(rest), index] {
        const std::size_t i = (*index)++;
        if (i < values.size())
            return values[i];
        return rest[(i - values.size()) % rest.size()];
    };
}

// The uniform number that draws the given sort key.
double keyDraw(int key)
{
    return (key - 1) / 1000.0 + 0.0004;
}

} // namespace

using BoardStart = BoardTest;

TEST_F(BoardStart, NewGameOfFortyNinePieces)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    QTRY_COMPARE(state().BoardActivated, 1.0);

    // What the player sees while the work runs: the progress frame, painted first.
    bool frameShownFirst = false;
    int progressWhileShown = -1;
    QTimer::singleShot(0, board(), [this, &frameShownFirst, &progressWhileShown] {
        frameShownFirst = ui().Frame2->isVisible();
        progressWhileShown = ui().ProgressBar1->value();
    });
    start();
    EXPECT_TRUE(frameShownFirst);
    EXPECT_EQ(progressWhileShown, 0);
    EXPECT_EQ(ui().ProgressBar1->maximum(), 15);
    EXPECT_EQ(ui().ProgressBar1->value(), 15);
    EXPECT_TRUE(ui().Frame2->isHidden());
    EXPECT_EQ(geom::left(ui().Frame2), 320 - 152.5f);
    EXPECT_EQ(geom::top(ui().Frame2), 235);

    const BoardFields &f = fields();
    EXPECT_DOUBLE_EQ(f.PieceW, 640.0 / 7);
    EXPECT_EQ(f.PieceH, 68.571426f);
    EXPECT_DOUBLE_EQ(f.PlaceTolX, 640.0 / 7 / 8);
    EXPECT_EQ(f.PlaceTolY, 9);
    EXPECT_EQ(f.CorrectPos[7][2], 68.571426f);
    EXPECT_EQ(f.CorrectPos[14][2], 137.14285f);
    EXPECT_EQ(f.CorrectPos[14][1], 0);
    EXPECT_EQ(f.CorrectPos[0][1], 0);
    EXPECT_EQ(f.CorrectPos[0][2], 0);
    EXPECT_EQ(f.CorrectPos[6][2], 0);
    EXPECT_NEAR(f.CorrectPos[6][1], 548.57, 0.01);
    EXPECT_NEAR(f.CorrectPos[48][1], 548.57, 0.01);
    EXPECT_NEAR(f.CorrectPos[48][2], 411.43, 0.01);
    EXPECT_EQ(f.CorrectPos[49][1], 0);

    // The bare board: no picture, the grid only; the form keeps the game's picture.
    EXPECT_FALSE(ui().Picture2->hasPicture());
    EXPECT_EQ(ui().Picture2->lines().size(), 12);
    EXPECT_EQ(board()->gamePicture().size(), QSize(640, 480));

    EXPECT_FALSE(ui().mnuStart->isEnabled());
    EXPECT_FALSE(ui().mnuPieceCount->isEnabled());
    EXPECT_FALSE(ui().mnuSetGameTime->isEnabled());
    EXPECT_FALSE(ui().mnuCancelGameTime->isEnabled());
    EXPECT_TRUE(ui().mnuSettings->isEnabled());
    EXPECT_TRUE(ui().mnuPlacementSound->isEnabled());
    EXPECT_TRUE(ui().mnuSave->isEnabled());
    EXPECT_EQ(state().InPlay, 1);
    EXPECT_EQ(state().TimeIsUp, 0);
    EXPECT_EQ(state().RemainingSec, 60);
    EXPECT_EQ(f.BoxMode, 1);
    EXPECT_EQ(f.Completed, 0);
    EXPECT_TRUE(ui().Timer1->isActive());
    EXPECT_TRUE(ui().Timer5->isActive());
    EXPECT_FALSE(ui().Timer2->isActive());
    EXPECT_TRUE(ui().Timer4->isActive()); // the panel slides out

    // Every piece lies in the box showing its own cell; the board pieces wait hidden at their
    // first positions inside the board.
    for (int i = 0; i < 49; ++i) {
        SCOPED_TRACE(i);
        const PictureBox *slot = ui().Picture6[static_cast<std::size_t>(i)];
        const PictureBox *piece = ui().Picture1[static_cast<std::size_t>(i)];
        EXPECT_FALSE(slot->isHidden());
        EXPECT_TRUE(piece->isHidden());
        EXPECT_FALSE(piece->hasPicture());
        EXPECT_TRUE(showsItsCell(slot->picture(), f.CorrectPos[static_cast<std::size_t>(i)][1],
                                 f.CorrectPos[static_cast<std::size_t>(i)][2], f.PieceW, f.PieceH));
        EXPECT_GE(geom::left(piece), 1);
        EXPECT_LE(geom::left(piece), 640 - f.PieceW + 1);
        EXPECT_GE(geom::top(piece), 1);
        EXPECT_LE(geom::top(piece), 480 - f.PieceH + 1);
        EXPECT_EQ(geom::width(slot), geom::width(ui().Picture1[0]));
    }
    EXPECT_TRUE(ui().Picture6[49]->isHidden());

    // The box: one column, beside the board view, the slots dealt out in a shuffle.
    EXPECT_FALSE(ui().Picture7->isHidden());
    EXPECT_FALSE(ui().Picture8->isHidden());
    EXPECT_EQ(geom::left(ui().Picture8), 660);
    EXPECT_EQ(geom::left(ui().Picture7), 660);
    EXPECT_EQ(geom::top(ui().Picture8), 0);
    EXPECT_EQ(geom::top(ui().Picture7), 33);
    EXPECT_EQ(geom::width(ui().Picture8), geom::width(ui().Picture7));
    EXPECT_EQ(geom::height(ui().Picture7), 410);
    EXPECT_EQ(geom::height(ui().VScroll1), 405);
    EXPECT_EQ(geom::left(ui().VScroll1), geom::width(ui().Picture7) - 17);
    EXPECT_EQ(ui().VScroll1->maximum(), 48);
    EXPECT_EQ(std::lround(geom::height(ui().Picture5)), 3615);

    std::set<std::pair<int, int>> dealt;
    std::set<std::pair<int, int>> expected;
    bool moved = false;
    for (int i = 0; i < 49; ++i) {
        const auto &slot = f.BoxSlot[static_cast<std::size_t>(i)];
        const PictureBox *box = ui().Picture6[static_cast<std::size_t>(i)];
        EXPECT_EQ(slot[1], geom::left(box));
        EXPECT_EQ(slot[2], geom::top(box));
        EXPECT_GE(slot[0], 1);
        EXPECT_LE(slot[0], 1000);
        dealt.insert({slot[1], slot[2]});
        const int solvedTop = *num::toInt16(i * 73.571426 + 5);
        expected.insert({5, solvedTop});
        moved = moved || slot[2] != solvedTop;
    }
    EXPECT_EQ(dealt, expected);
    EXPECT_TRUE(moved);
    EXPECT_TRUE(expected.count({5, 79}) && expected.count({5, 152}) && expected.count({5, 226}));
    EXPECT_EQ(ui().Combo2->count(), 49);
}

TEST_F(BoardStart, ShuffleWithAFixedSourceDealsTheSlotsInTextOrder)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    state().PieceCount = 16;
    state().GridSide = 4;
    const std::vector<double> keys = {1000, 2, 15, 9, 150, 1, 999, 10, 100, 3, 37, 500, 20, 7, 8, 4};
    std::vector<double> draws;
    for (double key : keys)
        draws.push_back(keyDraw(static_cast<int>(key)));
    board()->setRandomSource(sequence(draws, {0.0, 0.999}));
    start();

    const QStringList order = {"1&5=630",   "10&5=880",  "100&5=1005", "1000&5=5",
                               "15&5=255",  "150&5=505", "2&5=130",    "20&5=1505",
                               "3&5=1130",  "37&5=1255", "4&5=1880",   "500&5=1380",
                               "7&5=1630",  "8&5=1755",  "9&5=380",    "999&5=755"};
    ASSERT_EQ(ui().Combo2->count(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ui().Combo2->itemText(i), order[i]);

    const int tops[] = {630, 880, 1005, 5, 255, 505, 130, 1505,
                        1130, 1255, 1880, 1380, 1630, 1755, 380, 755};
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const auto &slot = fields().BoxSlot[static_cast<std::size_t>(i)];
        EXPECT_EQ(slot[0], keys[static_cast<std::size_t>(i)]);
        EXPECT_EQ(slot[1], 5);
        EXPECT_EQ(slot[2], tops[i]);
        EXPECT_EQ(geom::top(ui().Picture6[static_cast<std::size_t>(i)]), tops[i]);
        // First board positions from the two draws after the keys: 0 and 0.999.
        EXPECT_EQ(geom::left(ui().Picture1[static_cast<std::size_t>(i)]), 1);
        EXPECT_EQ(geom::top(ui().Picture1[static_cast<std::size_t>(i)]), 360);
    }
    EXPECT_EQ(fields().PlaceTolX, 16);
    EXPECT_EQ(fields().PlaceTolY, 12);
    EXPECT_EQ(ui().Picture2->lines().size(), 6);
}

TEST_F(BoardStart, ClockSeededStartsDealDifferently)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    start();
    const auto firstSlots = fields().BoxSlot;
    std::vector<QPointF> firstPlaces;
    for (const PictureBox *piece : ui().Picture1)
        firstPlaces.push_back(piece->pos());
    board()->Start_Click();
    std::vector<QPointF> secondPlaces;
    for (const PictureBox *piece : ui().Picture1)
        secondPlaces.push_back(piece->pos());
    EXPECT_NE(fields().BoxSlot, firstSlots);
    EXPECT_NE(secondPlaces, firstPlaces);
}

TEST_F(BoardStart, TwoColumnBoxesAndTheBoxAtTheFormsRightEdge)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    state().PieceCount = 81;
    state().GridSide = 9;
    start();
    const BoardFields &f = fields();
    EXPECT_EQ(f.PlaceTolY, 8); // 53.33 / 7 = 7.62
    int firstColumn = 0;
    int secondColumn = 0;
    for (int i = 0; i < 81; ++i) {
        const auto &slot = f.BoxSlot[static_cast<std::size_t>(i)];
        firstColumn += slot[1] == 5;
        secondColumn += slot[1] == 81; // 71.11 + 10, rounded
        EXPECT_FALSE(ui().Picture6[static_cast<std::size_t>(i)]->isHidden());
    }
    EXPECT_EQ(firstColumn, 41);
    EXPECT_EQ(secondColumn, 40);
    EXPECT_EQ(ui().VScroll1->maximum(), 40);
    const float panel = geom::width(ui().Picture7);
    EXPECT_FLOAT_EQ(panel, static_cast<float>(2 * 640.0 / 9 + 17 + 15));
    // 174.2 + 5 does not fit in the 143 pixels right of the view: against the form's edge.
    EXPECT_FLOAT_EQ(geom::left(ui().Picture8),
                    static_cast<float>(board()->scaleWidth() - static_cast<double>(panel) - 10));
}

TEST_F(BoardStart, SixtyFourAndHundredPieceGeometry)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    state().PieceCount = 64;
    state().GridSide = 8;
    start();
    EXPECT_EQ(fields().PieceW, 80);
    EXPECT_EQ(fields().PieceH, 60);
    EXPECT_EQ(fields().PlaceTolX, 10);
    EXPECT_EQ(fields().PlaceTolY, 8);
    EXPECT_EQ(ui().VScroll1->maximum(), 32);
    EXPECT_EQ(fields().CorrectPos[63][2], 420);
    EXPECT_EQ(fields().CorrectPos[63][1], 560);

    ASSERT_NE(launchNew(640, 480), nullptr);
    state().PieceCount = 100;
    state().GridSide = 10;
    board()->Start_Click();
    EXPECT_EQ(fields().PieceW, 64);
    EXPECT_EQ(fields().PieceH, 48);
    EXPECT_DOUBLE_EQ(fields().PlaceTolX, 64.0 / 7);
    EXPECT_EQ(fields().PlaceTolY, 7);
    EXPECT_EQ(ui().VScroll1->maximum(), 50);
    EXPECT_EQ(geom::height(ui().Picture5), 2660);
    EXPECT_EQ(fields().CorrectPos[99][1], 576);
    EXPECT_EQ(fields().CorrectPos[99][2], 432);
    EXPECT_EQ(fields().CorrectPos[9][1], 576);
    EXPECT_EQ(fields().CorrectPos[9][2], 0);
    EXPECT_EQ(ui().ProgressBar1->value(), 15);
}

TEST_F(BoardStart, ResumedGameLaysEveryPieceAtItsSavedPlace)
{
    ASSERT_NE(launchResumed(640, 480, 100, 10, 1), nullptr);
    for (std::size_t i = 0; i < 100; ++i) {
        state().SavedLeft[i] = static_cast<std::int16_t>((i * 37) % 560);
        state().SavedTop[i] = static_cast<std::int16_t>((i * 53) % 420 - 10);
    }
    start();
    const BoardFields &f = fields();
    for (std::size_t i = 0; i < 100; ++i) {
        SCOPED_TRACE(i);
        const PictureBox *piece = ui().Picture1[i];
        EXPECT_FALSE(piece->isHidden());
        EXPECT_EQ(geom::left(piece), state().SavedLeft[i]);
        EXPECT_EQ(geom::top(piece), state().SavedTop[i]);
        EXPECT_TRUE(showsItsCell(piece->picture(), f.CorrectPos[i][1], f.CorrectPos[i][2],
                                 f.PieceW, f.PieceH));
        EXPECT_TRUE(ui().Picture6[i]->isHidden());
        EXPECT_FALSE(ui().Picture6[i]->hasPicture());
    }
    EXPECT_TRUE(ui().Picture7->isHidden());
    EXPECT_TRUE(ui().Picture8->isHidden());
    EXPECT_EQ(f.BoxMode, 2);
    EXPECT_TRUE(ui().mnuSettings->isEnabled());
    EXPECT_FALSE(ui().mnuPieceCount->isEnabled());
    EXPECT_TRUE(ui().mnuPlacementSound->isChecked());
    EXPECT_EQ(ui().mnuPlacementSound->text(), QStringLiteral("配置が正しいときに音で知らせる(ＯＮ)"));
    EXPECT_EQ(ui().StatusBar1->panelText(3), QStringLiteral("配置音＝ＯＮ"));
    EXPECT_EQ(state().ElapsedMin, 3); // the clock goes on from the saved time
    EXPECT_FALSE(ui().Timer2->isActive());
    EXPECT_TRUE(ui().Frame1->isHidden());
    EXPECT_EQ(ui().ProgressBar1->value(), 15);
}

TEST_F(BoardStart, TimeLimitSetsUpTheTimeBar)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    state().GameTimeLimit = TimeLimit::fromTyped(QStringLiteral("2"), 2);
    start();
    EXPECT_TRUE(ui().Timer2->isActive());
    EXPECT_EQ(geom::width(ui().Label4), 225);
    EXPECT_EQ(state().TimeBarStep, 1.875f);
    EXPECT_EQ(state().RemainingMin, 1);
    EXPECT_EQ(state().RemainingTotalSec, 120);

    // Start runs once per showing of the board: the resumed game gets a fresh one.
    QPointer<BoardForm> closed = board();
    board()->close();
    QTRY_VERIFY(closed.isNull());
    ASSERT_NE(launchResumed(640, 480, 16, 4, 0, 4), nullptr);
    start();
    EXPECT_TRUE(ui().Timer2->isActive());
    EXPECT_FALSE(ui().Frame1->isHidden());
    EXPECT_EQ(geom::top(ui().Frame1), 8 + 480 + 5); // no horizontal scroll bar
    EXPECT_EQ(geom::width(ui().Label4), 90);        // .75 for each of 120 seconds left
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 4分"));
    EXPECT_FALSE(ui().mnuPlacementSound->isChecked());
    EXPECT_EQ(ui().StatusBar1->panelText(3), QStringLiteral("配置音＝ＯＦＦ"));
}

// Records the regions a widget repaints.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *watched) { watched->installEventFilter(this); }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(event)->region();
            ++paints;
        }
        return false;
    }
};

TEST_F(BoardStart, MovingAPieceRepaintsOnlyWhereItWas)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    start();
    PictureBox *piece = ui().Picture1[0];
    PaintRecorder board(ui().Picture2);
    PaintRecorder moved(piece);
    piece->setPicture(ui().Picture6[0]->picture());
    geom::move(piece, 100, 100);
    piece->show();
    QTRY_VERIFY(moved.paints > 0);
    moved.paints = 0;
    moved.painted = QRegion();
    board.paints = 0;
    board.painted = QRegion();

    const QRect before = piece->geometry();
    geom::move(piece, 300, 200);
    QTRY_VERIFY(board.paints > 0 && moved.paints > 0);
    EXPECT_TRUE((board.painted - QRegion(before)).isEmpty());
    EXPECT_EQ(moved.painted, QRegion(piece->rect()));
}

TEST_F(BoardStart, QuestionPanelSlidesInAndOut)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    QTRY_VERIFY(!ui().Timer3->isActive());
    geom::setTop(ui().Picture2, -40);
    geom::setLeft(ui().Picture4, -5110);
    ui().Timer3->start();
    for (int tick = 0; tick < 170; ++tick)
        board()->Timer3_Timer();
    EXPECT_EQ(geom::left(ui().Picture4), -10);
    EXPECT_TRUE(ui().Timer3->isActive());
    board()->Timer3_Timer();
    EXPECT_FALSE(ui().Timer3->isActive());
    EXPECT_EQ(geom::top(ui().Picture2), 0);
    EXPECT_EQ(geom::left(ui().Picture4), -10);

    state().PanelMode = 3;
    ui().Timer4->start();
    for (int tick = 0; tick < 7; ++tick)
        board()->Timer4_Timer();
    EXPECT_EQ(geom::left(ui().Picture4), -360);
    EXPECT_EQ(state().PanelMode, 3);
    board()->Timer4_Timer();
    EXPECT_FALSE(ui().Timer4->isActive());
    EXPECT_EQ(state().PanelMode, 0);
}
