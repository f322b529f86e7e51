#include "board/BoardForm.h"

#include "board/BoardView.h"
#include "board/PictureBox.h"
#include "board/PieceBoxLayout.h"
#include "board/PieceCutting.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/ScaledPicture.h"
#include "state/GameSession.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>

#include <cmath>

namespace jigsaw {

namespace {

// The status bar's panel that shows the scale while it is not 100 %.
constexpr int kZoomPanel = 5;
// How often a scaled copy waits for the picture's last rows.
constexpr int kPictureWaitMs = 30;

bool sameScale(double a, double b)
{
    return std::abs(a - b) <= 1e-6 * std::max(a, b);
}

QAction *makeZoomItem(QObject *parent, QActionGroup *group, const QString &name,
                      const QString &caption)
{
    auto *item = new QAction(caption, parent);
    item->setObjectName(name);
    item->setCheckable(true);
    group->addAction(item);
    return item;
}

} // namespace

void BoardForm::createZoomMenu(QMenu *settings)
{
    auto *menu = new QMenu(tr("表示倍率"), settings);
    menu->setObjectName(QStringLiteral("表示倍率"));
    menu->menuAction()->setObjectName(QStringLiteral("表示倍率"));
    m_ui.mnuZoom = menu->menuAction();
    settings->addAction(m_ui.mnuZoom);
    auto *group = new QActionGroup(this);
    m_ui.mnuZoomFit =
        makeZoomItem(this, group, QStringLiteral("画面に合わせる"), tr("画面に合わせる"));
    m_ui.mnuZoomFit->setChecked(true);
    menu->addAction(m_ui.mnuZoomFit);
    menu->addSeparator();
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i) {
        const int percent = zoomPercent(kZoomSteps[i]);
        m_ui.mnuZoomSteps[i] =
            makeZoomItem(this, group, QStringLiteral("表示倍率%1").arg(percent),
                         tr("%1%").arg(percent));
        menu->addAction(m_ui.mnuZoomSteps[i]);
    }
}

void BoardForm::connectZoomHandlers()
{
    m_zoom = new geom::Zoom(this);
    m_zoom->show(m_ui.Picture2);
    m_zoom->show(m_ui.Picture5);
    m_zoom->show(m_ui.Picture3);

    m_scaledPicture = new picture::ScaledPicture(this);
    for (PictureBox *box : {m_ui.Picture2, m_ui.Picture3})
        box->setScaledPicture(m_scaledPicture);
    for (std::size_t i = 0; i < kPieceControls; ++i) {
        m_ui.Picture1[i]->setScaledPicture(m_scaledPicture);
        m_ui.Picture6[i]->setScaledPicture(m_scaledPicture);
    }
    connect(m_scaledPicture, &picture::ScaledPicture::ready, this, [this] {
        for (PictureBox *shown : {m_ui.Picture9, m_ui.Picture7, m_ui.Picture3})
            shown->update();
    });
    m_scaledPictureWait = new QTimer(this);
    m_scaledPictureWait->setSingleShot(true);
    m_scaledPictureWait->setInterval(kPictureWaitMs);
    connect(m_scaledPictureWait, &QTimer::timeout, this, &BoardForm::makeScaledPicture);

    connect(m_ui.mnuZoomFit, &QAction::triggered, this, &BoardForm::ZoomFit_Click);
    for (std::size_t i = 0; i < m_ui.mnuZoomSteps.size(); ++i) {
        connect(m_ui.mnuZoomSteps[i], &QAction::triggered, this,
                [this, i] { ZoomStep_Click(static_cast<int>(i)); });
    }
    // The keys work wherever the board form is active, not only through the menu.
    const auto addKeys = [this](const char *name, QList<QKeySequence> keys, auto handler) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };
    addKeys("表示拡大",
            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus)},
            &BoardForm::ZoomIn_Key);
    addKeys("表示縮小",
            {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
            &BoardForm::ZoomOut_Key);
    addKeys("表示を画面に合わせる", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &BoardForm::ZoomFit_Click);

    m_ui.Picture9->setWheelScrollBars(m_ui.VScroll2, m_ui.HScroll1, true);
    connect(m_ui.Picture9, &PictureBox::wheelZoom, this, [this](double notches, double x, double y) {
        // A wheel that turns in small steps zooms once the steps add up to a notch.
        m_wheelTurn += notches;
        while (std::abs(m_wheelTurn) >= 1) {
            const bool in = m_wheelTurn > 0;
            m_wheelTurn += in ? -1 : 1;
            stepZoom(in, QPointF(x, y));
        }
    });
    connect(m_ui.DragScroll, &QTimer::timeout, this, &BoardForm::DragScroll_Timer);
}

double BoardForm::zoomScale() const
{
    return m_zoom->scale();
}

double BoardForm::fittedScale()
{
    const GameState &s = state();
    FitInput in;
    in.view = viewRoom(geom::width(m_ui.Picture2), geom::height(m_ui.Picture2));
    // The box the piece count chosen will have: at Start its pieces are cut to this size.
    if (isPlayableGrid(s.PieceCount, s.GridSide)) {
        const PieceSize piece = pieceSizeFor(in.view.boardWidth, in.view.boardHeight, s.GridSide);
        const BoxLayout box = boxLayout(s.PieceCount, piece.pieceW, piece.pieceH);
        if (box.arranged) {
            in.boxStripWidth = box.stripWidth;
            in.boxBarWidth = geom::width(m_ui.VScroll1);
            in.boxSlotHeight = piece.pieceH;
        }
    }
    return fitScale(in);
}

void BoardForm::setZoom(double scale, QPointF anchor)
{
    const QPointF onBoard = geom::map(m_ui.Picture9, anchor, m_ui.Picture2);
    const bool boxWasHome = boxAtHome();
    m_zoom->setScale(scale);
    fitViewToBoard(true);
    m_ui.HScroll1->setValue(static_cast<int>(std::lround(onBoard.x() * scale - anchor.x())));
    m_ui.VScroll2->setValue(static_cast<int>(std::lround(onBoard.y() * scale - anchor.y())));
    sizeBoxPanel();
    if (boxWasHome)
        PlaceBoxAtHome();
    if (!m_ui.Frame1->isHidden())
        PlaceTimePanel(true);
    showZoom();
}

void BoardForm::refitZoom()
{
    if (m_zoomFits)
        setZoom(fittedScale(), QPointF(0, 0));
}

void BoardForm::stepZoom(bool in, QPointF anchor)
{
    const double fitted = fittedScale();
    if (const std::optional<double> next = zoomStep(m_zoom->scale(), in, fitted)) {
        m_zoomFits = sameScale(*next, fitted);
        setZoom(*next, anchor);
    }
}

QPointF BoardForm::zoomAnchor() const
{
    const QWidget *focused = QApplication::focusWidget();
    for (const PictureBox *piece : m_ui.Picture1) {
        if (piece == focused && !piece->isHidden())
            return geom::map(piece, QPointF(geom::width(piece) / 2.0, geom::height(piece) / 2.0),
                             m_ui.Picture9);
    }
    const QPoint mouse = m_ui.Picture9->mapFromGlobal(QCursor::pos());
    if (m_ui.Picture9->rect().contains(mouse))
        return mouse;
    return {geom::width(m_ui.Picture9) / 2.0, geom::height(m_ui.Picture9) / 2.0};
}

void BoardForm::ZoomFit_Click()
{
    m_zoomFits = true;
    setZoom(fittedScale(), zoomAnchor());
}

void BoardForm::ZoomStep_Click(int index)
{
    m_zoomFits = false;
    setZoom(kZoomSteps[static_cast<std::size_t>(index)], zoomAnchor());
}

void BoardForm::ZoomIn_Key()
{
    stepZoom(true, zoomAnchor());
}

void BoardForm::ZoomOut_Key()
{
    stepZoom(false, zoomAnchor());
}

void BoardForm::showZoom()
{
    const double scale = m_zoom->scale();
    m_ui.mnuZoomFit->setChecked(m_zoomFits);
    for (std::size_t i = 0; i < kZoomSteps.size(); ++i) {
        if (!m_zoomFits && sameScale(scale, kZoomSteps[i]))
            m_ui.mnuZoomSteps[i]->setChecked(true);
    }
    const int percent = zoomPercent(scale);
    m_ui.StatusBar1->setPanelText(kZoomPanel,
                                  sameScale(scale, 1) ? QString() : tr("表示倍率 %1%").arg(percent));
    makeScaledPicture();
}

void BoardForm::makeScaledPicture()
{
    const double factor = m_zoom->scale() * devicePixelRatioF();
    if (factor >= 1 || m_picture.isNull()) {
        m_scaledPicture->clear();
        return;
    }
    // The copy is made of the final picture: until the last rows are decoded the views draw
    // the picture itself.
    if (!m_picture.isComplete()) {
        m_scaledPictureWait->start();
        return;
    }
    m_scaledPicture->make(m_picture.image(), factor);
}

void BoardForm::sizeBoxPanel()
{
    PictureBox *panel = m_ui.Picture7;
    geom::setWidth(panel, static_cast<double>(geom::shownWidth(m_ui.Picture5))
                              + static_cast<double>(geom::width(m_ui.VScroll1)));
    geom::setWidth(m_ui.Picture8, geom::width(panel));
    geom::setLeft(m_ui.Picture5, 0);
    geom::setHeight(panel, static_cast<double>(geom::height(m_ui.Picture9)) - 70);
    geom::setLeft(m_ui.VScroll1, static_cast<double>(geom::width(panel))
                                     - static_cast<double>(geom::width(m_ui.VScroll1)));
    geom::setHeight(m_ui.VScroll1, static_cast<double>(geom::height(panel)) - 5);
    VScroll1_Change();
}

bool BoardForm::boxAtHome()
{
    return geom::top(m_ui.Picture8) == 0
        && geom::left(m_ui.Picture8)
        == boxHomeLeft(scaleWidth(), geom::left(m_ui.VScroll2), geom::width(m_ui.VScroll2),
                       geom::width(m_ui.Picture8));
}

} // namespace jigsaw
