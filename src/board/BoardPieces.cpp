#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "board/PlayRules.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/GameSession.h"

#include <QTimer>

namespace jigsaw {

namespace {

constexpr int kHintPanel = 4;

} // namespace

void BoardForm::connectPieceHandlers()
{
    for (int i = 0; i < kPieceControls; ++i) {
        PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(i)];
        connect(piece, &PictureBox::mouseDown, this,
                [this, i](int button, int shift, double x, double y) {
                    Picture1_MouseDown(i, button, shift, x, y);
                });
        connect(piece, &PictureBox::mouseMove, this,
                [this, i](int button, int shift, double x, double y) {
                    Picture1_MouseMove(i, button, shift, x, y);
                });
        connect(piece, &PictureBox::mouseUp, this,
                [this, i](int button, int shift, double x, double y) {
                    Picture1_MouseUp(i, button, shift, x, y);
                });
        connect(piece, &PictureBox::dblClick, this, [this, i] { Picture1_DblClick(i); });
    }
    connect(m_ui.Form, &PictureBox::mouseMove, this, &BoardForm::Form_MouseMove);
}

bool BoardForm::PieceInPlace(int index)
{
    const PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
    const BoardFields &f = fields();
    const auto &place = f.CorrectPos[static_cast<std::size_t>(index)];
    return liesInPlace(geom::left(piece), geom::top(piece), place[1], place[2], f.PlaceTolX,
                       f.PlaceTolY);
}

void BoardForm::Picture1_MouseDown(int index, int button, int, double x, double y)
{
    BoardFields &f = fields();
    if (button == PictureBox::LeftButton && state().TimeIsUp == 0) {
        f.PieceDragging = 1;
        f.GrabX = num::toSingle(x);
        f.GrabY = num::toInt16Clamped(y);
        m_ui.Picture1[static_cast<std::size_t>(index)]->raise();
    } else if (button == PictureBox::RightButton) {
        ShowBoardPopup();
    }
}

void BoardForm::Picture1_MouseMove(int index, int button, int, double x, double y)
{
    const GameState &s = state();
    BoardFields &f = fields();
    if (button == PictureBox::LeftButton && s.TimeIsUp == 0 && f.PieceDragging != 0) {
        PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
        const QPointF mouseInView = geom::map(piece, QPointF(x, y), m_ui.Picture9);
        const PictureBox *model = m_ui.Picture1[0];
        const DragPlace place = pieceDragPlace(
            geom::left(piece), geom::top(piece), x, y, f.GrabX, f.GrabY, geom::width(model),
            geom::height(model), geom::width(m_ui.Picture2), geom::height(m_ui.Picture2));
        f.DragLeft = place.left;
        f.DragTop = place.top;
        // Only the piece's old and new rectangles are repainted.
        geom::move(piece, f.DragLeft, f.DragTop);
        followDragToViewEdge(index, mouseInView);
    }

    if (s.TimeIsUp == 1)
        m_ui.StatusBar1->setPanelText(kHintPanel,
                                      tr("時間がなくなりました。終了してください。"));
    else if (s.InPlay == 1)
        m_ui.StatusBar1->setPanelText(
            kHintPanel, m_ui.Picture8->isHidden()
                            ? tr("右クリックで、メニューが表示されます")
                            : tr("ダブルクリックで画像をピースボックスに入れます"));
}

void BoardForm::Picture1_MouseUp(int index, int button, int, double, double)
{
    if (button != PictureBox::LeftButton || state().TimeIsUp != 0)
        return;
    m_edgeDragPiece = -1;
    m_ui.DragScroll->stop();
    // The release that ends a double-click comes after the piece went back into the box.
    if (m_ui.Picture1[static_cast<std::size_t>(index)]->isHidden())
        return;
    if (state().PlacementSound == 1 && PieceInPlace(index))
        m_game.PlayClickSound();
    // What a screen reader said of an earlier drop by the keys no longer holds.
    m_ui.Picture1[static_cast<std::size_t>(index)]->setAccessibleDescription(QString());
    CheckCompletion();
}

void BoardForm::Picture1_DblClick(int index)
{
    if (state().TimeIsUp != 0 || m_ui.Picture7->isHidden())
        return;
    PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
    PictureBox *slot = m_ui.Picture6[static_cast<std::size_t>(index)];
    // The board control keeps its position: taking all pieces out puts the piece back there.
    slot->showPictureOf(*piece);
    piece->clearPicture();
    piece->hide();
    slot->show();
}

void BoardForm::Form_MouseMove(int, int, double, double)
{
    m_ui.StatusBar1->setPanelText(kHintPanel, QString());
}

} // namespace jigsaw
