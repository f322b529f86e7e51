#include "board/BoardView.h"

#include "board/BoardForm.h"
#include "board/PictureBox.h"
#include "board/PieceBoxLayout.h"
#include "board/PieceCutting.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/GameSession.h"

#include <QApplication>
#include <QFrame>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace jigsaw {

namespace {

// The smallest scale the fit goes to: a board of 65500 pixels still shows some 300.
constexpr double kSmallestFit = 1.0 / 200;
// The box's panel is the view's height less 70; with a margin above and below it must show
// at least one slot.
constexpr double kBoxPanelLoss = 70 + 5 + 10;
// A wheel notch scrolls a tenth of the view.
constexpr double kViewsPerNotch = 10;
// Within this many pixels of the view's edge a dragged piece scrolls the view, at most this
// many pixels a tick.
constexpr double kEdgeBand = 32;
constexpr double kEdgeStepMax = 40;

double d(float value)
{
    return static_cast<double>(value);
}

// The room the view has below the menu bar: the scroll bar, the status bar, the time panel and
// 5 pixels are kept free below it, whether they are shown or not.
double roomBelow(const BoardViewInput &in)
{
    return d(in.scaleHeight) - d(in.boardTop) - d(in.hScrollHeight) - d(in.statusBarHeight)
        - d(in.timePanelHeight) - 5.0;
}

} // namespace

BoardViewFit fitBoardView(const BoardViewInput &in)
{
    BoardViewFit fit;
    const float room = num::toSingle(d(in.scaleWidth) - 2.0 * d(in.vScrollWidth) - d(in.boardLeft));
    fit.horizontal = room < in.boardWidth;
    fit.viewWidth = fit.horizontal ? room : in.boardWidth;

    const float below = num::toSingle(roomBelow(in));
    fit.vertical = below < in.boardHeight;
    fit.viewHeight = fit.vertical ? below : in.boardHeight;
    return fit;
}

int scrollMaxFor(double boardSide, double viewSide)
{
    return std::max(0, static_cast<int>(std::ceil(boardSide - viewSide)));
}

double fitScale(const FitInput &in)
{
    const BoardViewInput &v = in.view;
    if (!(v.boardWidth > 0 && v.boardHeight > 0))
        return 1;
    const double byWidth = (d(v.scaleWidth) - 2.0 * d(v.vScrollWidth)) / d(v.boardWidth);
    const double byHeight = roomBelow(v) / d(v.boardHeight);
    double scale = std::min({1.0, byWidth, byHeight});
    if (in.boxStripWidth > 0) {
        // The box's home is right of the view's scroll bar when its title bar and 5 pixels
        // fit there; a pixel to spare keeps the rounding of the sizes on the right side.
        const double room = d(v.scaleWidth) - d(v.vScrollWidth) - d(in.boxBarWidth) - 5.0 - 1.0;
        const double beside = room / (d(v.boardWidth) + d(in.boxStripWidth));
        // A long, low picture made small enough for the box to stand beside it would leave the
        // box no height for a single slot: it is shown large enough for one, scrolled
        // sideways, with the box over it.
        const double pieceH = d(in.boxSlotHeight);
        const double slotFits =
            d(v.boardHeight) > pieceH ? kBoxPanelLoss / (d(v.boardHeight) - pieceH) : 1.0;
        scale = std::max(std::min(scale, beside), std::min({1.0, slotFits, byHeight}));
    }
    return std::clamp(scale, kSmallestFit, 1.0);
}

std::optional<double> zoomStep(double scale, bool in, double fitted)
{
    std::optional<double> next;
    const auto consider = [&](double candidate) {
        const bool beyond = in ? candidate > scale * 1.0001 : candidate < scale * 0.9999;
        if (beyond && (!next || (in ? candidate < *next : candidate > *next)))
            next = candidate;
    };
    for (double step : kZoomSteps)
        consider(step);
    consider(fitted);
    return next;
}

int zoomPercent(double scale)
{
    return std::max(1, static_cast<int>(std::lround(scale * 100)));
}

QPoint edgeScrollStep(QPointF at, QSizeF view)
{
    const auto along = [](double x, double size) {
        const double band = std::min(kEdgeBand, size / 4);
        double depth = 0;
        if (x < band)
            depth = x - band;
        else if (x > size - band)
            depth = x - (size - band);
        if (depth == 0)
            return 0;
        const double step = std::clamp(std::abs(depth) / 2, 2.0, kEdgeStepMax);
        return static_cast<int>(std::lround(depth < 0 ? -step : step));
    };
    return {along(at.x(), view.width()), along(at.y(), view.height())};
}

void BoardForm::HScroll1_Change()
{
    geom::setLeft(m_ui.Picture2, -m_ui.HScroll1->value());
}

void BoardForm::VScroll2_Change()
{
    geom::setTop(m_ui.Picture2, -m_ui.VScroll2->value());
}

BoardViewInput BoardForm::viewRoom(float boardWidth, float boardHeight)
{
    // The room the view has does not depend on where the board is scrolled to: the board lies
    // at the view's corner.
    BoardViewInput in;
    in.scaleWidth = scaleWidth();
    in.scaleHeight = scaleHeight();
    in.boardWidth = boardWidth;
    in.boardHeight = boardHeight;
    in.vScrollWidth = geom::width(m_ui.VScroll2);
    in.hScrollHeight = geom::height(m_ui.HScroll1);
    in.statusBarHeight = geom::height(m_ui.StatusBar1);
    in.timePanelHeight = geom::height(m_ui.Frame1);
    return in;
}

void BoardForm::fitViewToBoard(bool keepScroll)
{
    const BoardViewFit fit =
        fitBoardView(viewRoom(geom::shownWidth(m_ui.Picture2), geom::shownHeight(m_ui.Picture2)));

    geom::setWidth(m_ui.Picture9, fit.viewWidth);
    geom::setWidth(m_ui.HScroll1, fit.viewWidth);
    m_ui.HScroll1->setVisible(fit.horizontal);
    geom::setHeight(m_ui.Picture9, fit.viewHeight);
    geom::setHeight(m_ui.VScroll2, fit.viewHeight);
    m_ui.VScroll2->setVisible(fit.vertical);
    geom::setLeft(m_ui.VScroll2, static_cast<double>(geom::left(m_ui.Picture9))
                                     + static_cast<double>(geom::width(m_ui.Picture9)));
    geom::setTop(m_ui.HScroll1, static_cast<double>(geom::top(m_ui.Picture9))
                                    + static_cast<double>(geom::height(m_ui.Picture9)));
    setViewScrolling(keepScroll);
}

void BoardForm::setViewScrolling(bool keepScroll)
{
    const auto setUp = [keepScroll](QScrollBar *bar, double board, double view) {
        const int value = keepScroll ? bar->value() : 0;
        bar->setRange(0, bar->isHidden() ? 0 : scrollMaxFor(board, view));
        bar->setPageStep(std::max(1, static_cast<int>(view)));
        const double lines = std::max(1, QApplication::wheelScrollLines());
        bar->setSingleStep(std::max(1, static_cast<int>(view / kViewsPerNotch / lines)));
        bar->setValue(value);
    };
    setUp(m_ui.HScroll1, geom::shownWidth(m_ui.Picture2), geom::width(m_ui.Picture9));
    setUp(m_ui.VScroll2, geom::shownHeight(m_ui.Picture2), geom::height(m_ui.Picture9));
    geom::move(m_ui.Picture2, -m_ui.HScroll1->value(), -m_ui.VScroll2->value());
}

void BoardForm::followDragToViewEdge(int index, QPointF mouseInView)
{
    m_edgeDragPiece = index;
    m_edgeDragAt = mouseInView;
    const QSizeF view(geom::width(m_ui.Picture9), geom::height(m_ui.Picture9));
    if (edgeScrollStep(m_edgeDragAt, view).isNull())
        m_ui.DragScroll->stop();
    else if (!m_ui.DragScroll->isActive())
        m_ui.DragScroll->start();
}

void BoardForm::DragScroll_Timer()
{
    const int index = m_edgeDragPiece;
    if (index < 0 || m_ui.Picture1[static_cast<std::size_t>(index)]->isHidden()
        || state().TimeIsUp != 0) {
        m_ui.DragScroll->stop();
        return;
    }
    const QSizeF view(geom::width(m_ui.Picture9), geom::height(m_ui.Picture9));
    const QPoint by = edgeScrollStep(m_edgeDragAt, view);
    const QPoint before(m_ui.HScroll1->value(), m_ui.VScroll2->value());
    m_ui.HScroll1->setValue(before.x() + by.x());
    m_ui.VScroll2->setValue(before.y() + by.y());
    if (QPoint(m_ui.HScroll1->value(), m_ui.VScroll2->value()) == before) {
        m_ui.DragScroll->stop();
        return;
    }
    // The mouse has not moved, the board under it has: the piece follows as a move would
    // take it.
    const QPointF at = geom::map(m_ui.Picture9, m_edgeDragAt,
                                 m_ui.Picture1[static_cast<std::size_t>(index)]);
    Picture1_MouseMove(index, PictureBox::LeftButton, 0, at.x(), at.y());
}

} // namespace jigsaw
