#include "BoardTestSupport.h"

#include <QAccessible>
#include <QApplication>

#include <cmath>
#include <functional>
#include <numeric>

using namespace jigsaw;
using Cue = SoundCues::Cue;

namespace {

// Presses a key n times.
void press(int key, int times, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    for (int i = 0; i < times; ++i)
        player::pressKey(key, modifiers);
}

// Walks a piece by dx, dy whole pixels: tens with Shift, then ones.
void walk(double dx, double dy)
{
    const auto along = [](double by, int less, int more) {
        const int pixels = static_cast<int>(std::lround(std::abs(by)));
        const int key = by < 0 ? less : more;
        press(key, pixels / 10, Qt::ShiftModifier);
        press(key, pixels % 10);
    };
    along(dx, Qt::Key_Left, Qt::Key_Right);
    along(dy, Qt::Key_Up, Qt::Key_Down);
}

// The names of every accessible object below the interface.
void collectNames(QAccessibleInterface *node, QStringList &names)
{
    if (!node)
        return;
    names.append(node->text(QAccessible::Name));
    for (int i = 0; i < node->childCount(); ++i)
        collectNames(node->child(i), names);
}

// Whether a piece shows the dashed focus frame, black along its very edge.
bool showsFocusFrame(QWidget *piece)
{
    const QImage shown = piece->grab().toImage();
    return shown.pixel(0, shown.height() / 2) == qRgb(0, 0, 0)
        && shown.pixel(shown.width() / 2, 0) == qRgb(0, 0, 0);
}

} // namespace

using KeyboardPlay = BoardTest;

TEST_F(KeyboardPlay, SixteenPiecesFromTheMenusToCompletionWithTheKeysAlone)
{
    ASSERT_NO_FATAL_FAILURE(launch(640, 480));
    board()->activateWindow();
    ASSERT_SOON(board()->isActiveWindow());
    player::pressKey(Qt::Key_Return); // the first hint's OK
    finishSlides();

    // 設定 > ピース数 > 16枚, then スタート, from the menu bar.
    player::pressKey(Qt::Key_Alt);
    player::pressKey(Qt::Key_Right);
    player::pressKey(Qt::Key_Down);
    player::pressKey(Qt::Key_Right);
    player::pressKey(Qt::Key_Return);
    ASSERT_EQ(state().PieceCount, 16);
    ASSERT_NO_FATAL_FAILURE(startWithTheKeys());

    // The focus starts in the box; each piece is taken out with Enter, walked to its place,
    // dropped with Enter, and F6 goes back to the box for the next.
    for (int n = 0; n < 16; ++n) {
        SCOPED_TRACE(n);
        auto *slotFocused = qobject_cast<PictureBox *>(QApplication::focusWidget());
        ASSERT_NE(slotFocused, nullptr);
        const int i = static_cast<int>(std::find(ui().Picture6.begin(), ui().Picture6.end(),
                                                 slotFocused)
                                       - ui().Picture6.begin());
        ASSERT_LT(i, 16) << "the focus is on a slot of the box";
        player::pressKey(Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), piece(i));
        const QPointF by = correctOf(i) - placeOf(i);
        walk(by.x(), by.y());
        player::pressKey(Qt::Key_Return);
        EXPECT_EQ(piece(i)->accessibleDescription(), QStringLiteral("正しい位置にあります"));
        if (n < 15)
            player::pressKey(Qt::Key_F6);
    }
    EXPECT_EQ(fields().Completed, 1);
    EXPECT_EQ(cues(Cue::Complete), 4);
    EXPECT_TRUE(state().PanelMode == 6 || state().PanelMode == 7);
}

TEST_F(KeyboardPlay, KeysKeepThePieceOnTheBoardSendItBackAndNameEveryPiece)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    ASSERT_SOON(board()->isActiveWindow());
    player::pressKey(Qt::Key_Return);
    auto *taken = qobject_cast<PictureBox *>(QApplication::focusWidget());
    ASSERT_TRUE(taken && !taken->isHidden());

    // Past the board's edges the piece stops with its middle on the edge, as a drag does.
    press(Qt::Key_Left, 100, Qt::ShiftModifier);
    press(Qt::Key_Up, 100, Qt::ShiftModifier);
    EXPECT_EQ(geom::left(taken), -80);
    EXPECT_EQ(geom::top(taken), -60);
    player::pressKey(Qt::Key_Return);
    EXPECT_EQ(taken->accessibleDescription(), QStringLiteral("正しい位置にありません"));

    // Delete sends it back into the box, and the focus with it.
    const int i = static_cast<int>(std::find(ui().Picture1.begin(), ui().Picture1.end(), taken)
                                   - ui().Picture1.begin());
    player::pressKey(Qt::Key_Delete);
    EXPECT_TRUE(taken->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), slot(i));

    // Down walks the box in its order from top to bottom, scrolling it.
    const int before = ui().VScroll1->value();
    press(Qt::Key_Down, 12);
    EXPECT_GT(ui().VScroll1->value(), before);
    const QWidget *focused = QApplication::focusWidget();
    EXPECT_GE(geom::top(focused) + geom::top(ui().Picture5), 0);
    EXPECT_LE(geom::top(focused) + geom::top(ui().Picture5) + geom::height(focused),
              geom::height(ui().Picture7));

    // A screen reader finds every piece by its name, and GO-like buttons read as words.
    QStringList names;
    collectNames(QAccessible::queryAccessibleInterface(board()), names);
    for (int n = 1; n <= 16; ++n)
        EXPECT_TRUE(names.contains(QStringLiteral("ピース%1").arg(n))) << n;
    EXPECT_TRUE(names.contains(QStringLiteral("OK")));
    EXPECT_TRUE(names.contains(QStringLiteral("ボード")));
    EXPECT_TRUE(names.contains(QStringLiteral("ピースボックス")));
    QAccessibleInterface *piece0 = QAccessible::queryAccessibleInterface(slot(0));
    EXPECT_EQ(piece0->role(), QAccessible::Graphic);

    // The menu key on a piece opens the right-click menu; while the completed picture covers
    // the board, the keys reach the picture and its menu, not the piece under it.
    player::pressKey(Qt::Key_Return);
    PictureBox *out = qobject_cast<PictureBox *>(QApplication::focusWidget());
    ASSERT_TRUE(out && !out->isHidden() && out->parentWidget() == ui().Picture2);
    player::pressKey(Qt::Key_Menu);
    ASSERT_TRUE(ui().PopupMenu->isVisible());
    player::pressKey(Qt::Key_Down);
    player::pressKey(Qt::Key_Return); // 完成画像を表示
    ASSERT_FALSE(ui().Picture3->isHidden());
    const QPointF where = placeOf(static_cast<int>(
        std::find(ui().Picture1.begin(), ui().Picture1.end(), out) - ui().Picture1.begin()));
    ASSERT_EQ(QApplication::focusWidget(), out);
    press(Qt::Key_Right, 3);
    EXPECT_EQ(QPointF(geom::left(out), geom::top(out)), where);
    player::pressKey(Qt::Key_Menu);
    ASSERT_TRUE(ui().PopupMenu->isVisible());
    EXPECT_FALSE(ui().mnuPieceBox->isEnabled());
    player::pressKey(Qt::Key_Down);
    player::pressKey(Qt::Key_Return); // ゲームに戻る
    EXPECT_TRUE(ui().Picture3->isHidden());
}

TEST_F(KeyboardPlay, FocusFrameAndPlacementWordsOnlyForPiecesTheKeysReach)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    ASSERT_SOON(board()->isActiveWindow());
    // Start hands the box the focus, unmarked while the player has not used the keys.
    auto *first = qobject_cast<PictureBox *>(QApplication::focusWidget());
    ASSERT_TRUE(first && first->parentWidget() == ui().Picture5);
    EXPECT_FALSE(showsFocusFrame(first));
    player::pressKey(Qt::Key_Down);
    auto *second = qobject_cast<PictureBox *>(QApplication::focusWidget());
    ASSERT_NE(second, first);
    EXPECT_TRUE(showsFocusFrame(second));

    // Taken out and dropped in its place by the keys, the piece is marked and says so.
    player::pressKey(Qt::Key_Return);
    auto *byKeys = qobject_cast<PictureBox *>(QApplication::focusWidget());
    ASSERT_TRUE(byKeys && byKeys->parentWidget() == ui().Picture2);
    const int k = static_cast<int>(std::find(ui().Picture1.begin(), ui().Picture1.end(), byKeys)
                                   - ui().Picture1.begin());
    const QPointF by = correctOf(k) - placeOf(k);
    walk(by.x(), by.y());
    player::pressKey(Qt::Key_Return);
    EXPECT_EQ(byKeys->accessibleDescription(), QStringLiteral("正しい位置にあります"));
    EXPECT_TRUE(showsFocusFrame(byKeys));

    // Dragged by the mouse, even into its place, a piece is neither marked nor described, and
    // the piece the keys left behind says nothing stale.
    const int m = k == 0 ? 1 : 0;
    takeOut(m);
    dragTo(m, correctOf(m));
    ASSERT_EQ(placeOf(m), correctOf(m));
    EXPECT_EQ(QApplication::focusWidget(), piece(m));
    EXPECT_FALSE(showsFocusFrame(piece(m)));
    EXPECT_EQ(piece(m)->accessibleDescription(), QString());
    dragTo(k, correctOf(k) + QPointF(40, 0));
    EXPECT_EQ(piece(k)->accessibleDescription(), QString());
    EXPECT_FALSE(showsFocusFrame(piece(k)));

    // A key on the piece brings the mark back.
    player::pressKey(Qt::Key_Left);
    EXPECT_TRUE(showsFocusFrame(piece(k)));
}

TEST_F(KeyboardPlay, TabWrapsBothWaysAndTheTwoColumnBoxIsWalkedRowByRow)
{
    ASSERT_NO_FATAL_FAILURE(launch(640, 480));
    ui().mnuPieceCounts[4]->trigger(); // 64 pieces: the box has two columns
    ASSERT_NO_FATAL_FAILURE(startGame());
    board()->activateWindow();
    ASSERT_SOON(board()->isActiveWindow());
    const auto focusedSlot = []() -> QPointF {
        const QWidget *focused = QApplication::focusWidget();
        return focused ? QPointF(geom::left(focused), geom::top(focused)) : QPointF(-1, -1);
    };

    // The box's first row, then the next: Down goes to the slot beside, then below.
    float secondColumn = 0;
    for (int i = 0; i < 64; ++i)
        secondColumn = std::max(secondColumn, geom::left(slot(i)));
    ASSERT_GT(secondColumn, 5);
    EXPECT_EQ(focusedSlot(), QPointF(5, 5));
    player::pressKey(Qt::Key_Down);
    EXPECT_EQ(focusedSlot(), QPointF(secondColumn, 5));
    player::pressKey(Qt::Key_Down);
    EXPECT_EQ(focusedSlot().x(), 5);
    EXPECT_GT(focusedSlot().y(), 5);
    player::pressKey(Qt::Key_Up);
    EXPECT_EQ(focusedSlot(), QPointF(secondColumn, 5));

    // Three pieces out on the board; Tab walks them by number and wraps both ways.
    std::vector<int> out;
    for (int n = 0; n < 3; ++n) {
        player::pressKey(Qt::Key_Return);
        const auto *taken = qobject_cast<const PictureBox *>(QApplication::focusWidget());
        ASSERT_TRUE(taken && taken->parentWidget() == ui().Picture2);
        out.push_back(static_cast<int>(
            std::find(ui().Picture1.begin(), ui().Picture1.end(), taken) - ui().Picture1.begin()));
        player::pressKey(Qt::Key_F6);
    }
    std::sort(out.begin(), out.end());
    player::pressKey(Qt::Key_F6);
    while (QApplication::focusWidget() != piece(out.front()))
        player::pressKey(Qt::Key_Tab);
    // Shift+Tab as the window system sends it, and as a Tab with Shift held.
    player::pressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), piece(out.back()));
    player::pressKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), piece(out.front()));
    player::pressKey(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), piece(out.back()));

    // A question answered with the keys gives the keyboard back to the piece it came from.
    ui().mnuQuit->trigger();
    finishSlides();
    ASSERT_EQ(QApplication::focusWidget(), ui().Command1);
    player::pressKey(Qt::Key_Escape);
    finishSlides();
    EXPECT_EQ(QApplication::focusWidget(), piece(out.back()));
}

TEST_F(KeyboardPlay, F6BringsTheBoxsNextPieceAndCtrlArrowsGoCellByCell)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    ASSERT_SOON(board()->isActiveWindow());
    // The box's order, as the player sees it: its slots from the top down.
    std::vector<int> order(16);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [this](int a, int b) { return geom::top(slot(a)) < geom::top(slot(b)); });

    int presses = 0;
    const auto press = [&presses](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        player::pressKey(key, modifiers);
        ++presses;
    };
    for (int n = 0; n < 16; ++n) {
        SCOPED_TRACE(n);
        const int i = order[static_cast<std::size_t>(n)];
        ASSERT_EQ(QApplication::focusWidget(), slot(i));
        press(Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), piece(i));
        // Ctrl and an arrow take the piece onto the next cell that way, until it lies on its own.
        for (int moves = 0; moves < 8; ++moves) {
            const QPointF by = correctOf(i) - placeOf(i);
            if (std::abs(by.x()) > 0.5)
                press(by.x() < 0 ? Qt::Key_Left : Qt::Key_Right, Qt::ControlModifier);
            else if (std::abs(by.y()) > 0.5)
                press(by.y() < 0 ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
        }
        EXPECT_EQ(placeOf(i), correctOf(i));
        press(Qt::Key_Return);
        if (n < 15)
            press(Qt::Key_F6);
    }
    EXPECT_EQ(fields().Completed, 1);
    EXPECT_LT(presses, 16 * 10);
}
