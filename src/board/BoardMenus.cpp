#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/GameSession.h"

#include <QAction>
#include <QMenu>

namespace jigsaw {

namespace {

constexpr char kShowCompletedCaption[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "完成画像を表示");
constexpr char kBackToGameCaption[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ゲームに戻る");

} // namespace

// The menus of the board and of leaving it, the settings, and the bare board's mouse.
void BoardForm::connectMenuHandlers()
{
    connect(m_ui.mnuQuit, &QAction::triggered, this, &BoardForm::Quit_Click);
    connect(m_ui.mnuNewPicture, &QAction::triggered, this, &BoardForm::NewPicture_Click);
    connect(m_ui.mnuSetGameTime, &QAction::triggered, this, &BoardForm::SetGameTime_Click);
    connect(m_ui.mnuCancelGameTime, &QAction::triggered, this, &BoardForm::CancelGameTime_Click);
    connect(m_ui.mnuPlacementSound, &QAction::triggered, this, &BoardForm::PlacementSound_Click);
    for (std::size_t i = 0; i < m_ui.mnuPieceCounts.size(); ++i) {
        connect(m_ui.mnuPieceCounts[i], &QAction::triggered, this,
                [this, i] { PieceCount_Click(static_cast<int>(i)); });
    }
    connect(m_ui.Picture2, &PictureBox::mouseDown, this, &BoardForm::Picture2_MouseDown);
    connect(m_ui.Picture2, &PictureBox::mouseMove, this, &BoardForm::Picture2_MouseMove);
    connect(m_ui.mnuShowCompleted, &QAction::triggered, this, &BoardForm::ShowCompleted_Click);
    connect(m_ui.Picture3, &PictureBox::mouseDown, this, &BoardForm::Picture3_MouseDown);
}

void BoardForm::ClearPieceCountChoice()
{
    for (QAction *item : m_ui.mnuPieceCounts)
        item->setChecked(false);
    for (PictureBox *slot : m_ui.Picture6)
        slot->hide();
}

void BoardForm::PieceCount_Click(int index)
{
    GameState &s = state();
    const auto item = static_cast<std::size_t>(index);
    ClearPieceCountChoice();
    m_ui.mnuPieceCounts[item]->setChecked(true);
    s.PieceCount = kPieceCountChoices[item].count;
    s.GridSide = kPieceCountChoices[item].side;
    m_ui.StatusBar1->setPanelText(1, tr("ピース数 %1").arg(num::numberText(s.PieceCount)));
    // The box of another count needs another room beside the board.
    refitZoom();
}

void BoardForm::Picture2_MouseDown(int button, int, double, double)
{
    if (button == PictureBox::RightButton)
        ShowBoardPopup();
}

void BoardForm::Picture2_MouseMove(int, int, double, double)
{
    const GameState &s = state();
    QString hint;
    if (s.TimeIsUp == 1)
        hint = tr("時間がなくなりました。終了してください。");
    else if (s.InPlay != 1)
        hint = tr("各種設定後、スタートボタンをクリックしてください");
    else
        hint = tr("右クリックで、メニューが表示されます");
    m_ui.StatusBar1->setPanelText(4, hint);
}

void BoardForm::ShowCompleted_Click()
{
    PictureBox *view = m_ui.Picture3;
    if (m_ui.mnuShowCompleted->text() == tr(kShowCompletedCaption)) {
        geom::setGeometry(view, geom::left(m_ui.Picture9), geom::top(m_ui.Picture9),
                          geom::width(m_ui.Picture2), geom::height(m_ui.Picture2));
        showGamePicture(view);
        view->show();
        bringToFront(view);
        m_ui.mnuShowCompleted->setText(tr(kBackToGameCaption));
        m_ui.mnuSave->setEnabled(false);
    } else {
        view->clearPicture();
        view->hide();
        geom::setGeometry(view, -10, -10, 10, 10);
        DrawBoardGrid();
        m_ui.mnuSave->setEnabled(true);
        m_ui.mnuShowCompleted->setText(tr(kShowCompletedCaption));
    }
}

void BoardForm::Picture3_MouseDown(int button, int, double x, double y)
{
    if (state().InPlay != 1)
        return;
    m_ui.StatusBar1->setPanelText(4, tr("ゲームに戻るボタンで前の画面が表示されます"));
    if (button != PictureBox::RightButton)
        return;
    m_ui.mnuPieceBox->setEnabled(false);
    m_ui.mnuHideBox->setEnabled(false);
    // Not exec(): the popup runs in the form's own event loop, and this handler returns at once.
    const QPointF at = geom::map(m_ui.Picture3, QPointF(x, y), this);
    m_ui.PopupMenu->popup(mapToGlobal(at).toPoint());
    emit popupRequested();
}

} // namespace jigsaw
