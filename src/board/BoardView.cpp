#include "board/BoardView.h"

#include "board/BoardForm.h"
#include "board/PictureBox.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"

#include <QScrollBar>

namespace jigsaw {

BoardViewFit fitBoardView(const BoardViewInput &in)
{
    BoardViewFit fit;
    const float room = num::toSingle(static_cast<double>(in.scaleWidth)
                                     - 2.0 * static_cast<double>(in.vScrollWidth)
                                     - static_cast<double>(in.boardLeft));
    fit.horizontal = room < in.boardWidth;
    fit.viewWidth = fit.horizontal ? room : in.boardWidth;

    const float roomBelow = num::toSingle(
        static_cast<double>(in.scaleHeight) - static_cast<double>(in.boardTop)
        - static_cast<double>(in.hScrollHeight) - static_cast<double>(in.statusBarHeight)
        - static_cast<double>(in.timePanelHeight) - 5.0);
    fit.vertical = roomBelow < in.boardHeight;
    fit.viewHeight = fit.vertical ? roomBelow : in.boardHeight;

    if (fit.horizontal)
        fit.hMax = scrollMaxFor(in.boardWidth, fit.viewWidth);
    if (fit.vertical)
        fit.vMax = scrollMaxFor(in.boardHeight, fit.viewHeight);
    return fit;
}

std::int16_t scrollMaxFor(double boardSide, double viewSide)
{
    return num::toInt16Clamped((boardSide - viewSide) / 10.0);
}

std::int16_t boardOffsetFor(int scrollValue)
{
    return num::toInt16Clamped(-10.0 * scrollValue);
}

void BoardForm::HScroll1_Change()
{
    geom::setLeft(m_ui.Picture2, boardOffsetFor(m_ui.HScroll1->value()));
}

void BoardForm::VScroll2_Change()
{
    geom::setTop(m_ui.Picture2, boardOffsetFor(m_ui.VScroll2->value()));
}

} // namespace jigsaw
