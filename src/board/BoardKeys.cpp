#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "board/PlayRules.h"
#include "platform/Geometry.h"
#include "state/GameSession.h"

#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace jigsaw {

namespace {

// Arrow keys move a piece by one pixel, by ten with Shift, onto the next cell of the grid with
// Ctrl.
constexpr double kSmallStep = 1;
constexpr double kLargeStep = 10;

constexpr char kInPlace[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "正しい位置にあります");
constexpr char kNotInPlace[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "正しい位置にありません");

QPoint centreOnScreen(const QWidget *control)
{
    return control->mapToGlobal(control->rect().center());
}

// The scroll value that brings [from, from + size) into a view of viewSize showing from
// shownFrom, moving as little as needed; steps of stepSize, within the bar's range.
int valueShowing(const QScrollBar *bar, double from, double size, double shownFrom,
                 double viewSize, double stepSize)
{
    int value = bar->value();
    if (from < shownFrom)
        value = static_cast<int>(std::floor(from / stepSize));
    else if (from + size > shownFrom + viewSize)
        value = static_cast<int>(std::ceil((from + size - viewSize) / stepSize));
    return std::clamp(value, bar->minimum(), bar->maximum());
}

bool isOneOf(int key, std::initializer_list<int> keys)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// Tab walks forward; Shift+Tab back, whether the window system sends it as Backtab or as a Tab
// with Shift held.
bool tabsForward(int key, int shift)
{
    return key == Qt::Key_Tab && (shift & PictureBox::ShiftKey) == 0;
}

} // namespace

void BoardForm::connectKeyHandlers()
{
    for (int i = 0; i < kPieceControls; ++i) {
        PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(i)];
        PictureBox *slot = m_ui.Picture6[static_cast<std::size_t>(i)];
        const QString name = tr("ピース%1").arg(i + 1);
        for (PictureBox *control : {piece, slot}) {
            control->setKeyboardReachable(true);
            control->setAccessibleName(name);
        }
        connect(piece, &PictureBox::keyDown, this,
                [this, i](int key, int shift) { Picture1_KeyDown(i, key, shift); });
        connect(piece, &PictureBox::focusGained, this, [this, i] { m_lastPiece = i; });
        // Leaving a piece held by the keys lets go of it, as letting go of the mouse would.
        connect(piece, &PictureBox::focusLost, this, [this, i] {
            if (m_keyDragPiece == i)
                dropPieceByKey(i);
        });
        connect(slot, &PictureBox::keyDown, this,
                [this, i](int key, int shift) { Picture6_KeyDown(i, key, shift); });
        connect(slot, &PictureBox::focusGained, this, [this, i] { m_lastSlot = i; });
    }
}

void BoardForm::Picture1_KeyDown(int index, int key, int shift)
{
    // The completed picture covers the board: the keys reach what the mouse would, the view
    // and its menu, not the pieces under it.
    if (!m_ui.Picture3->isHidden()) {
        if (key == Qt::Key_Menu) {
            Picture3_MouseDown(PictureBox::RightButton, 0, geom::width(m_ui.Picture3) / 2.0,
                               geom::height(m_ui.Picture3) / 2.0);
        } else if (key == Qt::Key_F6) {
            FocusBox();
        }
        return;
    }
    const double step = (shift & PictureBox::ShiftKey) ? kLargeStep : kSmallStep;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const bool across = key == Qt::Key_Left || key == Qt::Key_Right;
        const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
        double by = forward ? step : -step;
        if (shift & PictureBox::CtrlKey) {
            const std::optional<double> toCell = pieceToNextCell(index, across, forward);
            if (!toCell)
                break;
            by = *toCell;
        }
        movePieceByKey(index, across ? by : 0, across ? 0 : by, shift);
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        dropPieceByKey(index);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        // The double-click that sends the piece back into the box; a piece held by the keys
        // goes back without being dropped first, as the double-click's own release does.
        m_keyDragPiece = -1;
        Picture1_DblClick(index);
        if (m_ui.Picture1[static_cast<std::size_t>(index)]->isHidden())
            focusSlot(index);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const std::vector<int> pieces = piecesOnBoard();
        const auto at = std::find(pieces.begin(), pieces.end(), index);
        if (pieces.empty() || at == pieces.end())
            break;
        const auto count = static_cast<std::ptrdiff_t>(pieces.size());
        const std::ptrdiff_t position = at - pieces.begin();
        const std::ptrdiff_t next = tabsForward(key, shift) ? (position + 1) % count
                                                            : (position + count - 1) % count;
        focusPiece(pieces[static_cast<std::size_t>(next)]);
        break;
    }
    case Qt::Key_Menu:
        ShowBoardPopupAt(centreOnScreen(m_ui.Picture1[static_cast<std::size_t>(index)]));
        break;
    case Qt::Key_F6:
        FocusBox();
        break;
    default:
        break;
    }
}

void BoardForm::Picture6_KeyDown(int index, int key, int shift)
{
    if (isOneOf(key, {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Tab,
                      Qt::Key_Backtab})) {
        const std::vector<int> boxOrder = slotsInBoxOrder();
        const auto at = std::find(boxOrder.begin(), boxOrder.end(), index);
        if (at == boxOrder.end())
            return;
        const bool forward = isOneOf(key, {Qt::Key_Down, Qt::Key_Right})
            || (key == Qt::Key_Tab && tabsForward(key, shift));
        if (forward && at + 1 != boxOrder.end())
            focusSlot(*(at + 1));
        else if (!forward && at != boxOrder.begin())
            focusSlot(*(at - 1));
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        // The next slot in the box's order is where the box's focus goes back to for the next
        // piece. It is noted once the slot is empty and the focus is on the piece: the focus
        // leaving the empty slot passes along Qt's own chain, in the order of the pieces.
        const std::vector<int> boxOrder = slotsInBoxOrder();
        const auto at = std::find(boxOrder.begin(), boxOrder.end(), index);
        int next = m_lastSlot;
        if (at != boxOrder.end() && at + 1 != boxOrder.end())
            next = *(at + 1);
        else if (at != boxOrder.end() && at != boxOrder.begin())
            next = *(at - 1);
        Picture6_DblClick(index);
        if (!m_ui.Picture1[static_cast<std::size_t>(index)]->isHidden())
            focusPiece(index);
        m_lastSlot = next;
        break;
    }
    case Qt::Key_Menu:
        ShowBoardPopupAt(centreOnScreen(m_ui.Picture6[static_cast<std::size_t>(index)]));
        break;
    case Qt::Key_F6:
        FocusBoard();
        break;
    default:
        break;
    }
}

void BoardForm::FocusBox(bool reveal)
{
    const std::vector<int> boxOrder = slotsInBoxOrder();
    if (boxOrder.empty())
        return;
    const bool lastStillThere =
        std::find(boxOrder.begin(), boxOrder.end(), m_lastSlot) != boxOrder.end();
    focusSlot(lastStillThere ? m_lastSlot : boxOrder.front(), reveal);
}

void BoardForm::FocusBoard(bool reveal)
{
    const std::vector<int> pieces = piecesOnBoard();
    if (pieces.empty())
        return;
    const bool lastStillThere =
        std::find(pieces.begin(), pieces.end(), m_lastPiece) != pieces.end();
    focusPiece(lastStillThere ? m_lastPiece : pieces.front(), reveal);
}

std::vector<int> BoardForm::slotsInBoxOrder() const
{
    std::vector<int> boxOrder;
    if (m_ui.Picture7->isHidden())
        return boxOrder;
    const int count = static_cast<int>(m_game.state().PieceCount);
    for (int i = 0; i < std::min(count, kPieceControls); ++i) {
        if (!m_ui.Picture6[static_cast<std::size_t>(i)]->isHidden())
            boxOrder.push_back(i);
    }
    std::sort(boxOrder.begin(), boxOrder.end(), [this](int a, int b) {
        const PictureBox *slotA = m_ui.Picture6[static_cast<std::size_t>(a)];
        const PictureBox *slotB = m_ui.Picture6[static_cast<std::size_t>(b)];
        return std::pair(geom::top(slotA), geom::left(slotA))
            < std::pair(geom::top(slotB), geom::left(slotB));
    });
    return boxOrder;
}

std::vector<int> BoardForm::piecesOnBoard() const
{
    std::vector<int> pieces;
    const int count = static_cast<int>(m_game.state().PieceCount);
    for (int i = 0; i < std::min(count, kPieceControls); ++i) {
        if (!m_ui.Picture1[static_cast<std::size_t>(i)]->isHidden())
            pieces.push_back(i);
    }
    return pieces;
}

void BoardForm::focusSlot(int index, bool reveal)
{
    m_ui.Picture6[static_cast<std::size_t>(index)]->setFocus(Qt::OtherFocusReason);
    if (reveal)
        showSlot(index);
}

void BoardForm::focusPiece(int index, bool reveal)
{
    m_ui.Picture1[static_cast<std::size_t>(index)]->setFocus(Qt::OtherFocusReason);
    if (reveal)
        showPiece(index);
}

void BoardForm::showSlot(int index)
{
    // In the panel's pixels: the strip and its slots are picture pixels shown through the zoom.
    const PictureBox *slot = m_ui.Picture6[static_cast<std::size_t>(index)];
    const double scale = geom::contentScale(m_ui.Picture5);
    m_ui.VScroll1->setValue(valueShowing(m_ui.VScroll1, static_cast<double>(geom::top(slot)) * scale,
                                         geom::shownHeight(slot), -geom::top(m_ui.Picture5),
                                         geom::height(m_ui.Picture7),
                                         geom::shownHeight(m_ui.Picture6[0])));
}

void BoardForm::showPiece(int index)
{
    // In the view's pixels, from the board's unscrolled corner: a scroll step is a pixel.
    const PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
    const QPointF at = geom::map(piece, QPointF(0, 0), m_ui.Picture9)
        - QPointF(geom::left(m_ui.Picture2), geom::top(m_ui.Picture2));
    if (!m_ui.HScroll1->isHidden()) {
        m_ui.HScroll1->setValue(valueShowing(m_ui.HScroll1, at.x(), geom::shownWidth(piece),
                                             -geom::left(m_ui.Picture2),
                                             geom::width(m_ui.Picture9), 1));
    }
    if (!m_ui.VScroll2->isHidden()) {
        m_ui.VScroll2->setValue(valueShowing(m_ui.VScroll2, at.y(), geom::shownHeight(piece),
                                             -geom::top(m_ui.Picture2),
                                             geom::height(m_ui.Picture9), 1));
    }
}

std::optional<double> BoardForm::pieceToNextCell(int index, bool across, bool forward) const
{
    const BoardFields &f = m_game.boardFields();
    const int side = static_cast<int>(m_game.state().GridSide);
    std::vector<double> cellStarts;
    for (int i = 0; i < side && i * side < kPieceControls; ++i) {
        const auto cell = static_cast<std::size_t>(across ? i : i * side);
        cellStarts.push_back(f.CorrectPos[cell][across ? 1 : 2]);
    }
    const PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
    return toNextCell(across ? geom::left(piece) : geom::top(piece), cellStarts, forward);
}

// The keys hold the piece as a press on its middle does and move it as the mouse would, with
// the drag's own clamps.
void BoardForm::movePieceByKey(int index, double dx, double dy, int shift)
{
    PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
    if (m_keyDragPiece != index) {
        const QPointF middle(geom::width(piece) / 2.0, geom::height(piece) / 2.0);
        Picture1_MouseDown(index, PictureBox::LeftButton, shift, middle.x(), middle.y());
        if (fields().PieceDragging == 0)
            return;
        m_keyDragPiece = index;
        m_keyGrab = QPointF(fields().GrabX, fields().GrabY);
    }
    Picture1_MouseMove(index, PictureBox::LeftButton, shift, m_keyGrab.x() + dx,
                       m_keyGrab.y() + dy);
    showPiece(index);
}

// Enter lets go of the piece: the release, with its cue and the completion check.
void BoardForm::dropPieceByKey(int index)
{
    if (m_keyDragPiece != index) {
        const PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
        Picture1_MouseDown(index, PictureBox::LeftButton, 0, geom::width(piece) / 2.0,
                           geom::height(piece) / 2.0);
        m_keyGrab = QPointF(fields().GrabX, fields().GrabY);
    }
    m_keyDragPiece = -1;
    Picture1_MouseUp(index, PictureBox::LeftButton, 0, m_keyGrab.x(), m_keyGrab.y());
    if (!m_ui.Picture1[static_cast<std::size_t>(index)]->isHidden() && state().TimeIsUp == 0)
        describePiece(index);
}

// Once dropped by the keys, a piece tells a screen reader whether it lies in its place: the
// player who cannot see it has no other cue when the placement cue is off. A player who drags
// with the mouse sees where the piece lies and is not told after every drag.
void BoardForm::describePiece(int index)
{
    PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
    piece->setAccessibleDescription(tr(PieceInPlace(index) ? kInPlace : kNotInPlace));
}

void BoardForm::returnFocusToPlay()
{
    if (state().InPlay != 1)
        return;
    if (m_lastPiece >= 0 && !m_ui.Picture1[static_cast<std::size_t>(m_lastPiece)]->isHidden())
        focusPiece(m_lastPiece);
    else if (!slotsInBoxOrder().empty())
        FocusBox();
    else
        FocusBoard();
}

} // namespace jigsaw
