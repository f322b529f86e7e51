#include "BoardTestSupport.h"

#include "board/PieceBoxLayout.h"
#include "platform/Numbers.h"
#include "platform/PlatformTestSupport.h"
#include "support/ModalAnswer.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <set>

using namespace jigsaw;

namespace {

const QString kTooSmall = QStringLiteral("画像が小さすぎてジグソーパズルを表示できません。");
const QString kTooLarge = QStringLiteral("画像が大きすぎてジグソーパズルを表示できません。\n"
                                         "このコンピュータのメモリが足りません。");

// True when the piece's picture is exactly the pixels of the picture below its correct place.
::testing::AssertionResult showsItsCell(const QImage &piece, float left, float top, double pieceW,
                                        float pieceH)
{
    const auto edge = [](double value) { return static_cast<int>(std::lround(value)); };
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

} // namespace

using BoardSetup = BoardTest;

TEST_F(BoardSetup, NewGameResetsTheSettingsAndAClosedBoardIsLoadedAfresh)
{
    state().PieceCount = 81;
    state().GridSide = 9;
    state().PlacementSound = 1;
    state().PanelMode = 4;
    state().GameTimeLimit = TimeLimit::fromTyped(QStringLiteral("5"), 5);
    BoardForm *form = launchNew(640, 480);
    ASSERT_NE(form, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form->size(), QSize(screen.width(), screen.height() - 27)); // 400 twips less
    EXPECT_TRUE(state().PieceCount == 49 && state().GridSide == 7);
    EXPECT_FALSE(state().GameTimeLimit.isSet());
    EXPECT_TRUE(state().PanelMode == 0 && state().PlacementSound == 0);
    // The whole picture on the board, in a view of exactly its size without scroll bars.
    EXPECT_EQ(ui().Picture2->picture().pixel(300, 200), patternAt(300, 200));
    EXPECT_EQ(ui().Picture9->geometry(), QRect(0, 8, 640, 480));
    EXPECT_TRUE(ui().HScroll1->isHidden() && ui().VScroll2->isHidden());

    // The first activation: the hint, OK only, and the panel sliding in until it stops.
    ASSERT_SOON(state().BoardActivated == 1.0);
    EXPECT_EQ(ui().Label5->text(),
              QStringLiteral("設定ボタンで各種設定後、スタートをクリックしてください。\r"
                             "スタート後右クリックで完成画像が表示されます"));
    EXPECT_TRUE(ui().Command3->isHidden() && ui().Combo1->isHidden());
    ASSERT_SOON(!ui().Timer3->isActive());
    EXPECT_EQ(geom::left(ui().Picture4), -20);
    // Coming back from another program leaves what the player copied there alone.
    QWindow elsewhere;
    elsewhere.resize(200, 100);
    const auto comeBackFrom = [form](const auto &window) {
        window->show();
        window->requestActivate();
        ASSERT_SOON(window->isActive());
        form->activateWindow();
        ASSERT_SOON(form->isActiveWindow());
    };
    QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
    comeBackFrom(&elsewhere);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("copied"));
    // Coming back from another form of the game empties it; the first-activation steps run
    // once per launch only.
    ui().Label5->setText(QStringLiteral("x"));
    QWidget otherForm;
    otherForm.resize(200, 100);
    otherForm.show();
    comeBackFrom(otherForm.windowHandle());
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("x"));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());

    QPointer<BoardForm> closed = form;
    form->close();
    ASSERT_SOON(closed.isNull());
    ASSERT_NE(launchNew(720, 500), nullptr);
    EXPECT_TRUE(ui().mnuStart->isEnabled());
    EXPECT_EQ(geom::width(ui().Picture2), 720);
    ASSERT_SOON(state().BoardActivated == 1.0);
}

TEST_F(BoardSetup, PiecesAndBoxForEachPieceCount)
{
    // The last piece's place, the first and last horizontal grid lines, the slots of the
    // box's first column, the strip's height, the box's scroll range. On this screen the box
    // of every count fits right of the board view.
    struct Case
    {
        int count, side;
        double pieceW;
        float pieceH;
        double tolX;
        int tolY;
        QPointF last;
        int gridTop, gridBottom, firstColumn;
        double stripHeight;
        int scrollMax;
    };
    const Case cases[] = {
        {100, 10, 64, 48, 64.0 / 7, 7, {576, 432}, 48, 432, 50, 2660, 50},
        {81, 9, 640.0 / 9, 53.333332f, 640.0 / 63, 8, {568.89, 426.67}, 53, 427, 41, 2401.67, 40},
        {64, 8, 80, 60, 10, 8, {560, 420}, 60, 420, 32, 2090, 32},
        {49, 7, 640.0 / 7, 68.571426f, 640.0 / 56, 9, {548.57, 411.43}, 69, 411, 49, 3615, 48},
        {16, 4, 160, 120, 16, 12, {480, 360}, 120, 360, 16, 2010, 15},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.count);
        // GO again on the larger game of the round before: a fresh board.
        ASSERT_NE(launchNew(640, 480), nullptr);
        ASSERT_SOON(state().BoardActivated == 1.0);
        EXPECT_FALSE(ui().Timer1->isActive() || ui().Timer5->isActive() || ui().Picture7->isVisible());
        state().PieceCount = c.count;
        state().GridSide = c.side;

        // What the player sees while the work runs: the progress frame, painted first.
        bool frameShownFirst = false;
        QTimer::singleShot(0, board(), [this, &frameShownFirst] {
            frameShownFirst = ui().Frame2->isVisible();
        });
        ui().mnuStart->trigger();
        EXPECT_TRUE(frameShownFirst);
        EXPECT_TRUE(ui().Frame2->isHidden());
        EXPECT_FALSE(ui().mnuStart->isEnabled() || ui().mnuPieceCount->isEnabled()
                     || ui().mnuSetGameTime->isEnabled());
        EXPECT_TRUE(ui().Timer1->isActive() && ui().Timer5->isActive());

        const BoardFields &f = fields();
        EXPECT_DOUBLE_EQ(f.PieceW, c.pieceW);
        EXPECT_FLOAT_EQ(f.PieceH, c.pieceH);
        EXPECT_DOUBLE_EQ(f.PlaceTolX, c.tolX);
        EXPECT_EQ(f.PlaceTolY, c.tolY);
        EXPECT_EQ(correctOf(0), QPointF(0, 0));
        EXPECT_NEAR(correctOf(c.count - 1).x(), c.last.x(), 0.01);
        EXPECT_NEAR(correctOf(c.count - 1).y(), c.last.y(), 0.01);

        // The bare board: the grid only; the form keeps the game's picture.
        EXPECT_TRUE(!ui().Picture2->hasPicture() && board()->gamePicture().size() == QSize(640, 480));
        std::vector<double> xs;
        std::vector<double> ys;
        for (const QLineF &line : ui().Picture2->lines())
            (line.x1() == line.x2() ? xs : ys).push_back(line.x1() == line.x2() ? line.x1() : line.y1());
        std::sort(xs.begin(), xs.end());
        std::sort(ys.begin(), ys.end());
        ASSERT_TRUE(xs.size() == static_cast<std::size_t>(c.side - 1) && xs.size() == ys.size());
        EXPECT_NEAR(xs.front(), c.pieceW, 0.01);
        EXPECT_NEAR(xs.back(), c.last.x(), 0.01);
        EXPECT_EQ(ys.front(), c.gridTop);
        EXPECT_EQ(ys.back(), c.gridBottom);

        // Every piece lies in the box showing its own cell; the board pieces wait hidden at
        // their first positions inside the board. Nothing is left of the larger game.
        for (int i = 0; i < 100; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(slot(i)->isHidden(), i >= c.count);
            EXPECT_TRUE(piece(i)->isHidden() && !piece(i)->hasPicture());
            if (i >= c.count)
                continue;
            EXPECT_TRUE(showsItsCell(slot(i)->shownPicture(), static_cast<float>(correctOf(i).x()),
                                     static_cast<float>(correctOf(i).y()), f.PieceW, f.PieceH));
            EXPECT_TRUE(QRectF(1, 1, 640 - f.PieceW, 480 - f.PieceH).contains(placeOf(i)));
        }

        // The box: the slots of its layout dealt out to the pieces in a shuffle.
        const BoxLayout layout = boxLayout(c.count, f.PieceW, f.PieceH);
        std::multiset<std::pair<int, int>> dealt;
        std::multiset<std::pair<int, int>> laidOut;
        int firstColumn = 0;
        for (int i = 0; i < c.count; ++i) {
            const auto &boxSlot = f.BoxSlot[static_cast<std::size_t>(i)];
            EXPECT_EQ(boxSlot[1], geom::left(slot(i)));
            EXPECT_EQ(boxSlot[2], geom::top(slot(i)));
            dealt.insert({boxSlot[1], boxSlot[2]});
            const SlotPlace &place = layout.places[static_cast<std::size_t>(i)];
            laidOut.insert({*num::toInt16(place.left), *num::toInt16(place.top)});
            firstColumn += boxSlot[1] == 5;
        }
        EXPECT_EQ(dealt, laidOut);
        EXPECT_EQ(firstColumn, c.firstColumn);
        EXPECT_NEAR(geom::height(ui().Picture5), c.stripHeight, 0.01);
        EXPECT_EQ(ui().VScroll1->maximum(), c.scrollMax);
        EXPECT_FALSE(ui().Picture7->isHidden());
        EXPECT_EQ(board()->zoomScale(), 1);
        EXPECT_FLOAT_EQ(geom::left(ui().Picture8), 660);
        EXPECT_EQ(geom::left(ui().Picture7), geom::left(ui().Picture8));
    }

    // Another Start from the clock deals the slots and the pieces differently.
    const auto dealtBefore = fields().BoxSlot;
    const QPointF firstPlace = placeOf(0);
    board()->Start_Click();
    EXPECT_NE(fields().BoxSlot, dealtBefore);
    EXPECT_NE(placeOf(0), firstPlace);
}

TEST_F(BoardSetup, ShuffleWithAFixedSourceDealsTheSlotsInTextOrder)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    state().PieceCount = 16;
    state().GridSide = 4;
    const int keys[] = {1000, 2, 15, 9, 150, 1, 999, 10, 100, 3, 37, 500, 20, 7, 8, 4};
    auto draws = std::make_shared<int>(0);
    // Each key in turn, then 0 and 0.999 for ever for the board positions.
    board()->setRandomSource([&keys, draws] {
        const int i = (*draws)++;
        return i < 16 ? (keys[i] - 1) / 1000.0 + 0.0004 : (i % 2 == 0 ? 0.0 : 0.999);
    });
    ui().mnuStart->trigger();

    const QStringList order = {"1&5=630",  "10&5=880",  "100&5=1005", "1000&5=5",
                               "15&5=255", "150&5=505", "2&5=130",    "20&5=1505",
                               "3&5=1130", "37&5=1255", "4&5=1880",   "500&5=1380",
                               "7&5=1630", "8&5=1755",  "9&5=380",    "999&5=755"};
    QStringList shown;
    for (int i = 0; i < ui().Combo2->count(); ++i)
        shown << ui().Combo2->itemText(i);
    EXPECT_EQ(shown, order);
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        // Piece i gets the slot of the i-th item in text order.
        EXPECT_EQ(geom::top(slot(i)), order[i].section(QLatin1Char('='), 1).toInt());
        EXPECT_EQ(placeOf(i), QPointF(1, 360));
    }
}

TEST_F(BoardSetup, AtFullSizeAPictureLargerThanTheRoomScrollsToItsFarEdges)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    const float room = board()->scaleWidth() - 2 * geom::width(ui().VScroll2);
    for (const int extra : {300, 305}) {
        SCOPED_TRACE(extra);
        ASSERT_NE(launchNew(static_cast<int>(room) + extra, 100), nullptr);
        ui().mnuZoomSteps[2]->trigger(); // 100%
        EXPECT_TRUE(!ui().HScroll1->isHidden() && ui().VScroll2->isHidden());
        EXPECT_EQ(geom::width(ui().Picture9), room);
        EXPECT_EQ(geom::top(ui().HScroll1), 108);
        QTest::keyClick(ui().HScroll1, Qt::Key_End);
        EXPECT_EQ(geom::left(ui().Picture2) + geom::width(ui().Picture2), room);
    }

    // A tall picture: the room below keeps space for the scroll bar, the status bar, the time
    // panel and 5 pixels.
    ASSERT_NE(launchNew(640, 2000), nullptr);
    ui().mnuZoomSteps[2]->trigger();
    const double roomBelow = static_cast<double>(board()->scaleHeight()) - geom::height(ui().HScroll1)
        - geom::height(ui().StatusBar1) - geom::height(ui().Frame1) - 5;
    EXPECT_TRUE(!ui().VScroll2->isHidden() && ui().HScroll1->isHidden());
    EXPECT_EQ(geom::height(ui().Picture9), static_cast<float>(roomBelow));
    QTest::keyClick(ui().VScroll2, Qt::Key_End);
    EXPECT_NEAR(geom::top(ui().Picture2) + 2000, roomBelow, 1);
}

TEST_F(BoardSetup, RefusedLaunchesLeaveTheBoardAsItWas)
{
    const auto launchAnswering = [this](const QString &name, int width, int height) {
        if (width > 0)
            selectPicture(width, height, name);
        state().ImageFileName = name;
        state().LaunchMode = 1;
        ModalAnswer answer(QMessageBox::Ok);
        go();
        return answer.seen();
    };
    ModalAnswer::Seen seen = launchAnswering(QStringLiteral("narrow.png"), 339, 300);
    EXPECT_EQ(seen.text, kTooSmall);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(board(), nullptr);

    ASSERT_NE(launchNew(640, 480), nullptr);
    state().PieceCount = 16;
    EXPECT_EQ(launchAnswering(QStringLiteral("narrow.png"), 339, 50).text, kTooSmall);
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(640, 480));
    EXPECT_EQ(state().PieceCount, 16);

    // Exactly the panel's width passes, however low the picture.
    EXPECT_FALSE(launchAnswering(QStringLiteral("just.png"), 340, 50).answered);
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));
    EXPECT_EQ(state().PieceCount, 49);

    // A picture larger than the memory given: the player is told, and the board stays.
    {
        const MemoryCap cap(4 << 20);
        EXPECT_EQ(launchAnswering(QStringLiteral("large.png"), 1200, 1000).text, kTooLarge);
        EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));
        EXPECT_EQ(state().PieceCount, 49);
    }
    // So is a progressive photo whose 4.8 MB of pixels fit, but not with the 3.6 MB its
    // decoder keeps besides them.
    {
        QImageWriter writer(app.filePath(QStringLiteral("pictures/progressive.jpg")), "jpeg");
        writer.setProgressiveScanWrite(true);
        QImage photo(1200, 1000, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        ASSERT_TRUE(writer.write(photo));
        const MemoryCap cap(6 << 20);
        EXPECT_EQ(launchAnswering(QStringLiteral("progressive.jpg"), 0, 0).text, kTooLarge);
        EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));
    }
    // A JPEG claiming more pixels than JPEG allows at all: told too, never in silence.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && QImage(400, 300, QImage::Format_RGB32).save(&buffer, "JPG"));
    app.writeFile(QStringLiteral("pictures/beyond.jpg"), withClaimedSize(jpeg, 65535, 65535));
    EXPECT_EQ(launchAnswering(QStringLiteral("beyond.jpg"), 0, 0).text, kTooLarge);
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));

    // A file that is no picture cannot be read, however large: a vast hole named like a photo
    // is no picture too large for the memory.
    app.writeFile(QStringLiteral("pictures/broken.png"), QByteArrayLiteral("not a picture"));
    app.writeFile(QStringLiteral("pictures/x.jpg"), QByteArray());
    ASSERT_TRUE(QFile::resize(app.filePath(QStringLiteral("pictures/x.jpg")), 30LL << 30));
    state().PieceCount = 25;
    for (const QString &name : {QStringLiteral("broken.png"), QStringLiteral("x.jpg")}) {
        EXPECT_EQ(launchAnswering(name, 0, 0).text,
                  QStringLiteral("選択した画像ファイルを読み込めません。\n"
                                 "画像ではないか、壊れているファイルです。"));
    }
    EXPECT_EQ(state().PieceCount, 25);
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));

    // A minimised board asks to be restored and keeps its game.
    BoardForm *form = board();
    form->showMinimized();
    seen = launchAnswering(QStringLiteral("other.png"), 800, 600);
    EXPECT_EQ(seen.text, QStringLiteral("パズルのフォーム画面が最小化されています。\n"
                                        "元のサイズに戻してやり直してください。"));
    EXPECT_EQ(state().ImageFilePath, app.filePath(QStringLiteral("pictures/other.png")));
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));
    EXPECT_EQ(state().PieceCount, 25);
    EXPECT_EQ(board(), form);
}

TEST_F(BoardSetup, PhotoAboveQtsOwnLimitLaunchesAndIsCutIntoViewsOfIt)
{
    // 9000 × 6000 pixels take 216 MB, more than Qt's readers take by default.
    selectPhoto(9000, 6000);
    state().LaunchMode = 1;
    go();
    ASSERT_NE(board(), nullptr);
    EXPECT_TRUE(geom::width(ui().Picture2) == 9000 && geom::height(ui().Picture2) == 6000);
    ASSERT_SOON(state().BoardActivated == 1.0);
    finishSlides();
    state().PieceCount = 100;
    state().GridSide = 10;
    ASSERT_NO_FATAL_FAILURE(startGame());

    // Each piece shows its cell of the one decoded picture, down to the last rows.
    const QImage &picture = board()->gamePicture();
    for (int i = 0; i < 100; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(slot(i)->picture().cacheKey(), picture.cacheKey());
        const QImage shown = slot(i)->shownPicture();
        ASSERT_EQ(shown.size(), QSize(900, 600));
        const QPoint centre = correctOf(i).toPoint() + QPoint(450, 300);
        EXPECT_TRUE(nearlyEqual(shown.pixel(450, 300), tileAt(centre.x(), centre.y())));
    }
}

TEST_F(BoardSetup, ResumedGameLaysEveryPieceAtItsSavedPlaceAndKeepsItsClock)
{
    // Ten minutes, half of them left, 3:12 played.
    ASSERT_NE(launchResumed(640, 480, 100, 10, 1, 10), nullptr);
    EXPECT_FALSE(ui().mnuSettings->isEnabled()); // until Start
    ASSERT_SOON(state().BoardActivated == 1.0);
    EXPECT_EQ(ui().Label5->text(),
              QStringLiteral("前回の続きからはじめます。\rスタートをクリックしてください"));
    for (std::size_t i = 0; i < 100; ++i) {
        state().SavedLeft[i] = static_cast<std::int16_t>((i * 37) % 560);
        state().SavedTop[i] = static_cast<std::int16_t>((i * 53) % 420 - 10);
    }
    finishSlides();
    ASSERT_NO_FATAL_FAILURE(startGame());

    const BoardFields &f = fields();
    for (int i = 0; i < 100; ++i) {
        SCOPED_TRACE(i);
        const auto at = static_cast<std::size_t>(i);
        EXPECT_FALSE(piece(i)->isHidden());
        EXPECT_EQ(placeOf(i), QPointF(state().SavedLeft[at], state().SavedTop[at]));
        EXPECT_TRUE(showsItsCell(piece(i)->shownPicture(), f.CorrectPos[at][1], f.CorrectPos[at][2],
                                 f.PieceW, f.PieceH));
        EXPECT_TRUE(slot(i)->isHidden() && !slot(i)->hasPicture());
    }
    EXPECT_TRUE(ui().Picture7->isHidden() && ui().Picture8->isHidden());
    EXPECT_EQ(f.BoxMode, 2);
    EXPECT_TRUE(ui().mnuSettings->isEnabled());
    EXPECT_TRUE(ui().mnuPlacementSound->isChecked());
    EXPECT_EQ(panelText(3), QStringLiteral("配置音＝ＯＮ"));

    // Half the time bar for the 300 of 600 seconds left, below the view, and the clocks go
    // on from the saved times.
    EXPECT_FALSE(ui().Frame1->isHidden());
    EXPECT_EQ(geom::top(ui().Frame1), 8 + 480 + 5);
    EXPECT_EQ(geom::width(ui().Label4), 112.5);
    board()->Timer2_Timer();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("ゲーム時間 10分　　残り時間 04:59"));
    board()->Timer1_Timer();
    EXPECT_EQ(panelText(2), QStringLiteral("経過時間 03:13"));
}
