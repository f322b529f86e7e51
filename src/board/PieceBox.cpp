#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "board/PlayRules.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/GameSession.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QScrollBar>

namespace jigsaw {

namespace {

constexpr int kHintPanel = 4;

constexpr char kPutBackCaption[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ピースをボックスに入れる");
constexpr char kTakeOutCaption[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ピースをボックスから出す");
constexpr char kShowBoxCaption[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ピースボックスを表示する");
constexpr char kHideBoxCaption[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ピースボックスを表示しない");

// Moves a piece's picture from one of its two controls to the other.
void movePicture(PictureBox *from, PictureBox *to)
{
    to->showPictureOf(*from);
    from->clearPicture();
}

// The hint of the box's contents, while a game is in play.
void showDropHint(const GameState &s, StatusPanels *statusBar)
{
    if (s.InPlay == 1)
        statusBar->setPanelText(kHintPanel,
                                BoardForm::tr("ダブルクリックで、ピースがドロップされます"));
}

} // namespace

void BoardForm::connectBoxHandlers()
{
    connect(m_ui.Picture5, &PictureBox::mouseDown, this, &BoardForm::Picture5_MouseDown);
    connect(m_ui.Picture5, &PictureBox::mouseMove, this, &BoardForm::Picture5_MouseMove);
    for (int i = 0; i < kPieceControls; ++i) {
        PictureBox *slot = m_ui.Picture6[static_cast<std::size_t>(i)];
        connect(slot, &PictureBox::mouseDown, this,
                [this, i](int button, int shift, double x, double y) {
                    Picture6_MouseDown(i, button, shift, x, y);
                });
        connect(slot, &PictureBox::mouseMove, this,
                [this, i](int button, int shift, double x, double y) {
                    Picture6_MouseMove(i, button, shift, x, y);
                });
        connect(slot, &PictureBox::dblClick, this, [this, i] { Picture6_DblClick(i); });
    }
    connect(m_ui.Picture7, &PictureBox::mouseMove, this, &BoardForm::Picture7_MouseMove);
    connect(m_ui.Picture8, &PictureBox::mouseDown, this, &BoardForm::Picture8_MouseDown);
    connect(m_ui.Picture8, &PictureBox::mouseMove, this, &BoardForm::Picture8_MouseMove);
    connect(m_ui.Picture8, &PictureBox::mouseUp, this, &BoardForm::Picture8_MouseUp);
    connect(m_ui.VScroll1, &QScrollBar::valueChanged, this, &BoardForm::VScroll1_Change);
    connect(m_ui.mnuPieceBox, &QAction::triggered, this, &BoardForm::mnuPieceBox_Click);
    connect(m_ui.mnuHideBox, &QAction::triggered, this, &BoardForm::mnuHideBox_Click);
}

void BoardForm::Picture6_DblClick(int index)
{
    if (state().TimeIsUp != 0)
        return;
    PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(index)];
    PictureBox *slot = m_ui.Picture6[static_cast<std::size_t>(index)];
    const auto inForm = [this](const QWidget *control) {
        const QPointF at = geom::map(control, QPointF(0, 0), m_ui.Form);
        return QRectF(at, QSizeF(geom::shownWidth(control), geom::shownHeight(control)));
    };
    TakeOutInput in;
    in.view = inForm(m_ui.Picture9);
    in.board = inForm(m_ui.Picture2);
    in.scale = geom::contentScale(m_ui.Picture2);
    in.pieceW = geom::width(piece);
    in.pieceH = geom::height(piece);
    const auto box = [&] {
        return m_ui.Picture8->isHidden()
            ? std::optional<QRectF>()
            : std::optional<QRectF>(inForm(m_ui.Picture8) | inForm(m_ui.Picture7));
    };
    in.box = box();
    std::optional<TakeOutPlace> place = takeOutPlace(in);
    if (!place) {
        // The box covers the view: it moves aside first, to its home or to the form's left
        // edge, and on a view too narrow for both the piece lands under it.
        PlaceBoxAtHome();
        in.box = box();
        place = takeOutPlace(in);
    }
    if (!place) {
        geom::setLeft(m_ui.Picture8, 0);
        geom::setLeft(m_ui.Picture7, 0);
        in.box = box();
        place = takeOutPlace(in);
    }
    if (!place) {
        in.box.reset();
        place = takeOutPlace(in);
    }
    const TakeOutPlace at = *place;
    geom::move(piece, at.left, at.top);
    movePicture(slot, piece);
    piece->show();
    piece->raise();
    slot->hide();
}

void BoardForm::ShowBoardPopup()
{
    ShowBoardPopupAt(QCursor::pos());
}

void BoardForm::ShowBoardPopupAt(const QPoint &globalPos)
{
    if (state().InPlay != 1)
        return;
    m_ui.mnuPieceBox->setEnabled(true);
    m_ui.mnuHideBox->setEnabled(true);
    m_ui.mnuPieceBox->setText(tr(fields().BoxMode == 2 ? kPutBackCaption : kTakeOutCaption));
    m_ui.mnuHideBox->setText(tr(m_ui.Picture8->isHidden() ? kShowBoxCaption : kHideBoxCaption));
    // Not exec(): the popup runs in the form's own event loop, and the handler that opened it
    // returns at once.
    m_ui.PopupMenu->popup(globalPos);
    emit popupRequested();
}

void BoardForm::mnuPieceBox_Click()
{
    BoardFields &f = fields();
    const int count = static_cast<int>(state().PieceCount);
    PlaceBoxAtHome();
    if (f.BoxMode == 2) {
        // Misplaced pieces go back into the box; pieces already in it stay where they are.
        for (int i = 0; i < count; ++i) {
            PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(i)];
            PictureBox *slot = m_ui.Picture6[static_cast<std::size_t>(i)];
            if (piece->isHidden())
                continue;
            if (PieceInPlace(i)) {
                slot->hide();
            } else {
                movePicture(piece, slot);
                piece->hide();
                slot->show();
            }
        }
        m_ui.Picture7->show();
        m_ui.Picture8->show();
        m_ui.mnuSave->setEnabled(false);
        f.BoxMode = 1;
    } else {
        m_ui.Picture8->hide();
        m_ui.Picture7->hide();
        // Each piece still in the box appears where its board control was left: its starting
        // place, or where it lay when it was sent back.
        for (int i = 0; i < count; ++i) {
            PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(i)];
            PictureBox *slot = m_ui.Picture6[static_cast<std::size_t>(i)];
            if (!piece->isHidden())
                continue;
            movePicture(slot, piece);
            slot->hide();
            piece->show();
            piece->raise();
        }
        m_ui.mnuSave->setEnabled(true);
        f.BoxMode = 2;
    }
}

void BoardForm::mnuHideBox_Click()
{
    if (m_ui.mnuHideBox->text() != tr(kShowBoxCaption)) {
        m_ui.Picture8->hide();
        m_ui.Picture7->hide();
    } else {
        m_ui.Picture7->show();
        m_ui.Picture8->show();
        bringToFront(m_ui.Picture7);
        bringToFront(m_ui.Picture8);
    }
}

void BoardForm::Picture8_MouseDown(int button, int, double x, double y)
{
    BoardFields &f = fields();
    if (button == PictureBox::LeftButton) {
        f.BoxDragging = 1;
        f.BoxGrabX = num::toSingle(x);
        f.BoxGrabY = num::toInt16Clamped(y);
    } else {
        ShowBoardPopup();
    }
}

void BoardForm::Picture8_MouseMove(int, int, double x, double y)
{
    BoardFields &f = fields();
    if (f.BoxDragging != 0) {
        PictureBox *title = m_ui.Picture8;
        const DragPlace place =
            boxDragPlace(geom::left(title), geom::top(title), x, y, num::toSingle(f.BoxGrabX),
                         f.BoxGrabY, geom::width(title), geom::height(title), scaleWidth(),
                         scaleHeight());
        f.BoxLeft = place.left;
        f.BoxTop = num::toInt16Clamped(place.top);
        geom::move(title, f.BoxLeft, f.BoxTop);
        geom::move(m_ui.Picture7, geom::left(title),
                   static_cast<double>(geom::top(title)) + static_cast<double>(geom::height(title)));
    }
    if (state().TimeIsUp == 0)
        m_ui.StatusBar1->setPanelText(kHintPanel, tr("ドラッグするとボックスが移動します"));
}

void BoardForm::Picture8_MouseUp(int, int, double, double)
{
    fields().BoxDragging = 0;
}

void BoardForm::VScroll1_Change()
{
    // A step is a piece's height as the panel shows it.
    const double pieceHeight = geom::shownHeight(m_ui.Picture6[0]);
    geom::setTop(m_ui.Picture5, num::toSingle(-pieceHeight * m_ui.VScroll1->value()));
}

void BoardForm::Picture5_MouseDown(int button, int, double, double)
{
    if (button == PictureBox::RightButton)
        ShowBoardPopup();
}

void BoardForm::Picture6_MouseDown(int, int button, int, double, double)
{
    if (button == PictureBox::RightButton)
        ShowBoardPopup();
}

void BoardForm::Picture5_MouseMove(int, int, double, double)
{
    showDropHint(state(), m_ui.StatusBar1);
}

void BoardForm::Picture6_MouseMove(int, int, int, double, double)
{
    showDropHint(state(), m_ui.StatusBar1);
}

void BoardForm::Picture7_MouseMove(int, int, double, double)
{
    showDropHint(state(), m_ui.StatusBar1);
}

} // namespace jigsaw
