#include "BoardTestSupport.h"

#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <cmath>
#include <set>

using namespace jigsaw;
using Cue = SoundCues::Cue;

namespace {

// Where a control lies as the player sees it, in the form's pixels.
QRectF onForm(const BoardControls &ui, const QWidget *control)
{
    return QRectF(control->mapTo(ui.Form, QPoint(0, 0)), QSizeF(control->size()));
}

// The board's point under a point of the view, in picture pixels.
QPointF boardPointAt(const BoardControls &ui, QPointF inView)
{
    return geom::map(ui.Picture9, inView, ui.Picture2);
}

} // namespace

// Camera photos and library pictures on a laptop's screen, played with the mouse at the scale
// the board is shown at.
class ZoomView : public BoardTest
{
protected:
    // GO on a tiled photo, the panel read, the piece count chosen.
    void launchPhoto(int width, int height, int pieceCountItem)
    {
        selectPhoto(width, height);
        state().LaunchMode = 1;
        go();
        ASSERT_NE(board(), nullptr);
        holdTheClocks();
        ASSERT_SOON(state().BoardActivated == 1.0);
        finishSlides();
        ui().mnuPieceCounts[static_cast<std::size_t>(pieceCountItem)]->trigger();
    }

    // Scrolls the box with the wheel until the slot shows, then double-clicks it.
    void takeOutSeen(int i)
    {
        const QRectF panel = onForm(ui(), ui().Picture7);
        for (int turns = 0; turns < 200; ++turns) {
            const QRectF at = onForm(ui(), slot(i));
            if (panel.contains(at.center()))
                break;
            player::wheel(ui().Picture7, at.center().y() > panel.center().y() ? 1 : -1);
        }
        doubleClick(slot(i));
    }

    // Drags a piece by its middle so that it lands at target, in picture pixels: the mouse
    // moves by what that is on the screen.
    void dragOnScreen(int i, QPointF target)
    {
        const QPoint grab = piece(i)->rect().center();
        const QPointF by = (target - placeOf(i)) * board()->zoomScale();
        const QPoint to = grab + QPoint(qRound(by.x()), qRound(by.y()));
        QTest::mousePress(piece(i), Qt::LeftButton, {}, grab);
        QTest::mouseMove(piece(i), to);
        QTest::mouseRelease(piece(i), Qt::LeftButton, {}, to);
    }

    void answer(const QString &text)
    {
        player::typeInto(ui().Combo1, text);
        player::click(ui().Command1);
    }
};

TEST_F(ZoomView, PhotosFitBesideTheBoxAndSixteenPiecesAreCompletedByDragsAtThatScale)
{
    // A landscape and a portrait photo fit by their height; a panorama by its width and the
    // box's beside it.
    for (const QSize photo : {QSize(4000, 3000), QSize(3000, 4000), QSize(6000, 2000)}) {
        SCOPED_TRACE(photo.width());
        ASSERT_NO_FATAL_FAILURE(launchPhoto(photo.width(), photo.height(), 0));
        ASSERT_NO_FATAL_FAILURE(startGame());
        const double scale = board()->zoomScale();
        EXPECT_LT(scale, 1);
        EXPECT_EQ(panelText(5), QStringLiteral("表示倍率 %1%").arg(qRound(scale * 100)));

        // The whole board in the view, the box beside it, all of it on the form.
        const QRectF view = onForm(ui(), ui().Picture9);
        const QRectF box = onForm(ui(), ui().Picture8) | onForm(ui(), ui().Picture7);
        EXPECT_TRUE(ui().HScroll1->isHidden() && ui().VScroll2->isHidden());
        EXPECT_EQ(onForm(ui(), ui().Picture2), view);
        EXPECT_GT(box.left(), view.right());
        EXPECT_LE(box.right(), ui().Form->width());
        EXPECT_LE(box.bottom(), onForm(ui(), ui().StatusBar1).top());

        // Every piece taken out lands in the view, clear of the box.
        for (int i = 0; i < 16; ++i) {
            ASSERT_NO_FATAL_FAILURE(takeOutSeen(i));
            const QRectF at = onForm(ui(), piece(i));
            EXPECT_TRUE(view.contains(at) && !at.intersects(box)) << i;
        }

        // The placement tolerance is a tenth of a piece in picture pixels, as at full size: a
        // few screen pixels more or less decide.
        const int clicks = cues(Cue::Click);
        const int completed = cues(Cue::Complete);
        state().PlacementSound = 1;
        const QPointF tolerance(fields().PieceW / 10, fields().PieceH / 10);
        const QPointF mouseStep = QPointF(1, 1) / scale;
        dragOnScreen(0, correctOf(0) + tolerance + 2 * mouseStep);
        EXPECT_EQ(cues(Cue::Click), clicks);
        dragOnScreen(0, correctOf(0) + tolerance - 2 * mouseStep);
        EXPECT_EQ(cues(Cue::Click), clicks + 1);
        for (int i = 1; i < 16; ++i)
            dragOnScreen(i, correctOf(i) + QPointF(i % 3 - 1, i % 2) * 20);
        EXPECT_EQ(fields().Completed, 1);
        EXPECT_EQ(cues(Cue::Complete), completed + 4);
    }
}

TEST_F(ZoomView, AGameSavedAtFitZoomResumesAtFullSizeWhereItLayAndSavesTheSameFile)
{
    QDir().mkpath(app.filePath(QStringLiteral("gazou")));
    ASSERT_TRUE(writeTiledJpeg(app.filePath(QStringLiteral("gazou/山.jpg")), 4000, 3000));
    game->start();
    SelectForm *form = game->frmSelect();
    ASSERT_SOON(form->isActiveWindow());
    auto *goButton = form->findChild<QPushButton *>(QStringLiteral("Command1"));
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    player::click(goButton);
    ASSERT_NE(board(), nullptr);
    holdTheClocks();
    ui().mnuPieceCounts[0]->trigger();
    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_LT(board()->zoomScale(), 1);
    for (int i = 0; i < 16; ++i) {
        ASSERT_NO_FATAL_FAILURE(takeOutSeen(i));
        dragOnScreen(i, QPointF(137 + 211 * i, 2900 - 163 * i));
    }
    ui().mnuSave->trigger();
    answer(QStringLiteral("縮小"));
    ASSERT_EQ(state().PanelMode, 1);
    player::click(ui().Command3);
    // The same game saved at full size writes the same file: the places on the picture,
    // whatever the scale they were dropped at.
    ui().mnuZoomSteps[2]->trigger(); // 100%
    ui().mnuSave->trigger();
    answer(QStringLiteral("等倍"));
    ASSERT_EQ(state().PanelMode, 1);
    player::click(ui().Command3);
    QFile fitted(app.filePath(QStringLiteral("save/縮小.txt")));
    QFile full(app.filePath(QStringLiteral("save/等倍.txt")));
    ASSERT_TRUE(fitted.open(QIODevice::ReadOnly) && full.open(QIODevice::ReadOnly));
    EXPECT_EQ(full.readAll(), fitted.readAll());
    const QStringList lines = text::readLines(fitted.fileName()).lines;
    ASSERT_EQ(lines.size(), 11 + 16);
    std::vector<QPoint> saved;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(lines[11 + i], num::singleText(geom::left(piece(i))) + QLatin1Char('&')
                                     + num::singleText(geom::top(piece(i))))
            << i;
        saved.push_back(QPoint(qRound(placeOf(i).x()), qRound(placeOf(i).y())));
    }

    board()->close();
    ASSERT_SOON(board() == nullptr);
    form->activateWindow();
    ASSERT_SOON(form->isActiveWindow());
    form->findChild<QAction *>(QStringLiteral("ゲームの続き"))->trigger();
    player::pickWithKeys(form->findChild<QComboBox *>(QStringLiteral("Combo1")),
                         QStringLiteral("縮小"));
    player::click(goButton);
    ASSERT_NE(board(), nullptr);
    holdTheClocks();
    ASSERT_NO_FATAL_FAILURE(startGame());
    ui().mnuZoomSteps[2]->trigger(); // 100%
    EXPECT_EQ(board()->zoomScale(), 1);
    EXPECT_TRUE(panelText(5).isEmpty());
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(placeOf(i), QPointF(saved[i])) << i;
        // Shown one screen pixel to a picture pixel, at that place on the board.
        EXPECT_EQ(piece(i)->geometry(),
                  QRect(saved[i], QSize(qRound(geom::width(piece(i))), qRound(geom::height(piece(i))))))
            << i;
    }
}

TEST_F(ZoomView, CtrlWheelAndKeysZoomAroundTheMouseOrTheFocusedPiece)
{
    ASSERT_NO_FATAL_FAILURE(launchPhoto(4000, 3000, 3));
    ASSERT_NO_FATAL_FAILURE(startGame());
    const double fitted = board()->zoomScale();
    ASSERT_TRUE(ui().mnuZoomFit->isChecked());

    // From full size, scrolled by the wheel to about the middle, each notch is the next step in
    // or out, the point under the mouse staying wherever the board can be scrolled.
    ui().mnuZoomSteps[2]->trigger();
    for (const bool sideways : {false, true}) {
        QScrollBar *bar = sideways ? ui().HScroll1 : ui().VScroll2;
        QTest::keyClick(bar, Qt::Key_Home);
        player::wheel(ui().Picture9, 1, sideways);
        ASSERT_GT(bar->value(), 0);
        const int notch = bar->value();
        while (bar->value() + notch <= bar->maximum() / 2)
            player::wheel(ui().Picture9, 1, sideways);
    }
    const QPointF mouse = QRectF(ui().Picture9->rect()).center();
    for (const double step : {2.0, 1.0, 0.5, 0.25}) {
        SCOPED_TRACE(step);
        const QPointF before = boardPointAt(ui(), mouse);
        player::wheelAt(ui().Picture9, mouse, step > board()->zoomScale() ? -1 : 1,
                        Qt::ControlModifier);
        EXPECT_EQ(board()->zoomScale(), step);
        const QPointF after = boardPointAt(ui(), mouse);
        if (!ui().HScroll1->isHidden()) {
            EXPECT_NEAR(after.x(), before.x(), 1 / step);
        }
        if (!ui().VScroll2->isHidden()) {
            EXPECT_NEAR(after.y(), before.y(), 1 / step);
        }
    }
    EXPECT_TRUE(ui().mnuZoomSteps[0]->isChecked());
    EXPECT_EQ(panelText(5), QStringLiteral("表示倍率 25%"));
    // Over a piece the wheel zooms as over the board.
    takeOutSeen(0);
    player::wheelAt(piece(0), piece(0)->rect().center(), -1, Qt::ControlModifier);
    EXPECT_EQ(board()->zoomScale(), 0.5);

    // The keys zoom around the piece with the focus.
    piece(0)->setFocus();
    const QPointF middle = onForm(ui(), piece(0)).center();
    player::pressKey(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(board()->zoomScale(), 1);
    EXPECT_TRUE(panelText(5).isEmpty());
    EXPECT_NEAR(onForm(ui(), piece(0)).center().x(), middle.x(), 1);
    EXPECT_NEAR(onForm(ui(), piece(0)).center().y(), middle.y(), 1);
    for (int i = 0; i < 3; ++i)
        player::pressKey(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(board()->zoomScale(), fitted) << "below the last step lies the fit";
    EXPECT_TRUE(ui().mnuZoomFit->isChecked());
    player::pressKey(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(board()->zoomScale(), 0.25);
    player::pressKey(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(board()->zoomScale(), fitted);
}

TEST_F(ZoomView, APictureThatFitsIsShownAsItsOwnPixels)
{
    ASSERT_NO_FATAL_FAILURE(launch(640, 480));
    EXPECT_EQ(board()->zoomScale(), 1);
    EXPECT_TRUE(ui().mnuZoomFit->isChecked());
    EXPECT_TRUE(panelText(5).isEmpty());
    EXPECT_EQ(ui().Picture9->geometry(), QRect(0, 8, 640, 480));
    const QImage shown = ui().Picture9->grab().toImage();
    for (const QPoint at : {QPoint(0, 0), QPoint(339, 17), QPoint(639, 479), QPoint(400, 300)})
        EXPECT_EQ(shown.pixel(at), patternAt(at.x(), at.y())) << at.x() << "," << at.y();
}

TEST_F(ZoomView, TheThumbScrollsWhileDraggedAndAPieceHeldAtTheEdgeScrollsTheView)
{
    ASSERT_NO_FATAL_FAILURE(launchPhoto(4000, 3000, 0));
    ASSERT_NO_FATAL_FAILURE(startGame());
    ui().mnuZoomSteps[2]->trigger(); // 100%
    QScrollBar *bar = ui().HScroll1;
    ASSERT_FALSE(bar->isHidden());
    QTest::keyClick(bar, Qt::Key_Home);
    ASSERT_EQ(bar->value(), 0);

    // The board follows the thumb before it is let go.
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->value();
    option.sliderValue = bar->value();
    option.pageStep = bar->pageStep();
    const QPoint thumb = bar->style()
                             ->subControlRect(QStyle::CC_ScrollBar, &option,
                                              QStyle::SC_ScrollBarSlider, bar)
                             .center();
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(bar, thumb + QPoint(200, 0));
    EXPECT_GT(bar->value(), 0);
    EXPECT_EQ(geom::left(ui().Picture2), -bar->value());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(200, 0));

    // A piece held at the view's right edge scrolls the view on, staying under the mouse.
    ASSERT_NO_FATAL_FAILURE(takeOutSeen(5));
    const int scrolled = bar->value();
    const QPoint grab = piece(5)->rect().center();
    const QPointF edge(geom::width(ui().Picture9) - 4, geom::height(ui().Picture9) / 2);
    const QPoint to = grab + (edge - piece(5)->mapTo(ui().Picture9, grab)).toPoint();
    QTest::mousePress(piece(5), Qt::LeftButton, {}, grab);
    QTest::mouseMove(piece(5), to);
    ASSERT_SOON(bar->value() > scrolled + 100);
    const QPointF under = piece(5)->mapTo(ui().Picture9, grab);
    EXPECT_NEAR(under.x(), edge.x(), 2);
    QTest::mouseRelease(piece(5), Qt::LeftButton, {}, to);
    const int released = bar->value();
    QTest::qWait(100);
    EXPECT_EQ(bar->value(), released);
}

TEST_F(ZoomView, AGiantPhotoShowsItsFarCornerAndAHundredPiecesEachHaveTheirSlotAndPlace)
{
    // 60000 x 8000: scroll offsets and the box's lower slots lie beyond 16 bits.
    ASSERT_NO_FATAL_FAILURE(launchPhoto(60000, 8000, 6));
    ui().mnuZoomSteps[2]->trigger(); // 100%
    QTest::keyClick(ui().HScroll1, Qt::Key_End);
    QTest::keyClick(ui().VScroll2, Qt::Key_End);
    EXPECT_EQ(geom::left(ui().Picture2) + 60000, geom::width(ui().Picture9));
    EXPECT_EQ(geom::top(ui().Picture2) + 8000, geom::height(ui().Picture9));
    // The rows in sight are decoded first, and shown once they are.
    const auto cornerShown = [this] {
        const QImage shown = ui().Picture9->grab().toImage();
        return nearlyEqual(shown.pixel(shown.width() - 1, shown.height() - 1), tileAt(59999, 7999))
            && nearlyEqual(shown.pixel(0, 0),
                           tileAt(60000 - shown.width(), 8000 - shown.height()));
    };
    EXPECT_SOON(cornerShown());

    ASSERT_NO_FATAL_FAILURE(startGame());
    std::set<std::pair<int, int>> places;
    int lowest = 0;
    for (int i = 0; i < 100; ++i) {
        const auto &boxSlot = fields().BoxSlot[static_cast<std::size_t>(i)];
        EXPECT_EQ(QPointF(boxSlot[1], boxSlot[2]), QPointF(geom::left(slot(i)), geom::top(slot(i))).toPoint()) << i;
        places.insert({boxSlot[1], boxSlot[2]});
        lowest = std::max(lowest, boxSlot[2]);
    }
    EXPECT_EQ(places.size(), 100u);
    EXPECT_GT(lowest, 32767);

    // Every piece out, each dragged onto its place at the scale that fits the screen.
    ui().mnuZoomFit->trigger();
    ui().mnuPieceBox->trigger();
    for (int i = 0; i < 100; ++i)
        dragOnScreen(i, correctOf(i));
    EXPECT_EQ(fields().Completed, 1);
}

TEST_F(ZoomView, ABoxLaidOverTheWholeViewMovesAsideForAPieceTakenOut)
{
    // A strip of a picture fitted to the screen's height leaves a view narrower than the box.
    ASSERT_NO_FATAL_FAILURE(launch(400, 8000));
    ui().mnuPieceCounts[0]->trigger();
    ASSERT_NO_FATAL_FAILURE(startGame());
    const QRectF view = onForm(ui(), ui().Picture9);
    PictureBox *title = ui().Picture8;
    const QPoint grab(2, 2);
    const QPoint over(qRound(view.center().x() - title->width() / 2.0) - title->x(), -title->y());
    QTest::mousePress(title, Qt::LeftButton, {}, grab);
    QTest::mouseMove(title, grab + over);
    QTest::mouseRelease(title, Qt::LeftButton, {}, grab + over);
    ASSERT_TRUE(onForm(ui(), title).contains(view.center().x(), 2));

    takeOutSeen(0);
    const QRectF box = onForm(ui(), title) | onForm(ui(), ui().Picture7);
    EXPECT_TRUE(view.contains(onForm(ui(), piece(0))));
    EXPECT_FALSE(box.intersects(view));
}

TEST_F(ZoomView, TheKeysKeepTheFocusedSlotOfAShrunkenBoxInSight)
{
    ASSERT_NO_FATAL_FAILURE(launchPhoto(4000, 3000, 6)); // 100 pieces
    ASSERT_LT(board()->zoomScale(), 0.5);
    board()->activateWindow();
    ASSERT_SOON(board()->isActiveWindow());
    // スタート from the menu bar, the focus still on the panel: once the panel has slid away
    // the keys are in the box, which still shows its top.
    ASSERT_NO_FATAL_FAILURE(startWithTheKeys());
    EXPECT_EQ(ui().VScroll1->value(), 0);

    // Down walks the box in its order; the slot with the focus is always where the player sees
    // it, inside the box's panel, and the box moves only as far as it takes to show it.
    const QRectF panel = onForm(ui(), ui().Picture7);
    const double step = geom::shownHeight(slot(0));
    int scrolled = ui().VScroll1->value();
    for (int n = 0; n < 30; ++n) {
        SCOPED_TRACE(n);
        const auto *focused = qobject_cast<PictureBox *>(QApplication::focusWidget());
        ASSERT_TRUE(focused && focused->objectName().startsWith(QStringLiteral("Picture6(")));
        const QRectF at = onForm(ui(), focused);
        EXPECT_GE(at.top(), panel.top());
        EXPECT_LE(at.bottom(), panel.bottom() + 1);
        if (ui().VScroll1->value() != scrolled) {
            EXPECT_GT(at.bottom(), panel.bottom() - step);
        }
        scrolled = ui().VScroll1->value();
        player::pressKey(Qt::Key_Down);
    }
    EXPECT_GT(ui().VScroll1->value(), 0);

    // Saved through the question panel, closed with its button: the keys are back on the slot
    // they were on, and the box is where it was.
    const QWidget *before = QApplication::focusWidget();
    const int value = ui().VScroll1->value();
    ui().mnuSave->trigger();
    finishSlides();
    answer(QStringLiteral("途中"));
    ASSERT_EQ(state().PanelMode, 1);
    player::click(ui().Command3);
    finishSlides();
    EXPECT_EQ(QApplication::focusWidget(), before);
    EXPECT_EQ(ui().VScroll1->value(), value);
}
