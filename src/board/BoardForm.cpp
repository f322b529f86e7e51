#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/ChoiceComboBox.h"
#include "platform/FormLook.h"
#include "platform/Geometry.h"
#include "platform/WindowReturn.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace jigsaw {

namespace {

QAction *makeAction(QObject *parent, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

QMenu *makeMenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromUtf8(name));
    menu->menuAction()->setObjectName(QString::fromUtf8(name));
    return menu;
}

QTimer *makeTimer(QObject *parent, const char *name, int interval)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(interval);
    return timer;
}

} // namespace

BoardForm::BoardForm(GameSession &game, FormInstance<RecordsForm> &records, QWidget *parent)
    : QMainWindow(parent)
    , m_game(game)
    , m_records(records)
{
    setObjectName(QStringLiteral("frmBoard"));
    look::keepGameFont(this);
    setWindowTitle(tr("ジグソーパズル"));

    m_return = new WindowReturn(this);
    m_ui.Form = new PictureBox(this);
    m_ui.Form->setObjectName(QStringLiteral("Form"));
    setCentralWidget(m_ui.Form);

    // Created in the design's order, which is also their order front to back: the box, the
    // progress frame and the completed-picture view lie over the board view.
    createMenus();
    createBoardView();
    createQuestionPanel();
    createTimePanel();
    createCompletedView();
    createStatusBar();
    createPieceBox();
    createProgressFrame();
    createTimers();
    connectHandlers();
    m_ui.StatusBar1->raise();
}

BoardForm::~BoardForm()
{
    // The controls are torn down after this part of the form is gone, and some still signal on
    // the way out (the name box reports its text when it loses the focus): none of that may
    // reach the form's handlers any more.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

GameState &BoardForm::state()
{
    return m_game.state();
}

BoardFields &BoardForm::fields()
{
    return m_game.boardFields();
}

void BoardForm::createMenus()
{
    QMenuBar *bar = menuBar();

    m_ui.mnuStart = makeAction(this, "スタート", tr("スタート"));
    bar->addAction(m_ui.mnuStart);

    QMenu *settings = makeMenu(this, "設定", tr("設定"));
    m_ui.mnuSettings = settings->menuAction();
    bar->addAction(m_ui.mnuSettings);

    QMenu *pieceCount = makeMenu(settings, "ピース数", tr("ピース数"));
    m_ui.mnuPieceCount = pieceCount->menuAction();
    settings->addAction(m_ui.mnuPieceCount);
    for (std::size_t i = 0; i < kPieceCountChoices.size(); ++i) {
        const PieceCountChoice choice = kPieceCountChoices[i];
        const QString name = QStringLiteral("ピース数%1枚").arg(choice.count);
        const QString caption =
            tr("%1枚（%2×%2）").arg(choice.count).arg(choice.side);
        auto *item = makeAction(this, name.toUtf8().constData(), caption);
        item->setCheckable(true);
        item->setChecked(choice.count == 49);
        pieceCount->addAction(item);
        m_ui.mnuPieceCounts[i] = item;
    }

    m_ui.mnuSetGameTime =
        makeAction(this, "ゲーム時間を設定", tr("ゲーム時間を設定する"));
    settings->addAction(m_ui.mnuSetGameTime);
    m_ui.mnuCancelGameTime = makeAction(this, "ゲーム時間の設定をキャンセルする",
                                        tr("ゲーム時間の設定をキャンセルする"));
    m_ui.mnuCancelGameTime->setEnabled(false);
    settings->addAction(m_ui.mnuCancelGameTime);
    m_ui.mnuPlacementSound = makeAction(this, "配置が正しいときに音で知らせる",
                                        tr("配置が正しいときに音で知らせる(ＯＦＦ)"));
    m_ui.mnuPlacementSound->setCheckable(true);
    settings->addAction(m_ui.mnuPlacementSound);
    createZoomMenu(settings);

    m_ui.mnuSave = makeAction(this, "保存", tr("保存"));
    m_ui.mnuSave->setEnabled(false);
    bar->addAction(m_ui.mnuSave);
    m_ui.mnuNewPicture = makeAction(this, "新しい画像を選択する", tr("画像を変更する"));
    bar->addAction(m_ui.mnuNewPicture);
    m_ui.mnuQuit = makeAction(this, "終了", tr("終了"));
    bar->addAction(m_ui.mnuQuit);

    m_ui.PopupMenu = makeMenu(this, "右クリック", tr("右クリック"));
    m_ui.mnuShowCompleted = makeAction(this, "完成画像を表示", tr("完成画像を表示"));
    m_ui.mnuPieceBox = makeAction(this, "ピースボックス", tr("ピースをボックスに入れる"));
    m_ui.mnuHideBox =
        makeAction(this, "ピースボックスを表示しない", tr("ピースボックスを表示しない"));
    m_ui.PopupMenu->addAction(m_ui.mnuShowCompleted);
    m_ui.PopupMenu->addAction(m_ui.mnuPieceBox);
    m_ui.PopupMenu->addAction(m_ui.mnuHideBox);
}

void BoardForm::createStatusBar()
{
    m_ui.StatusBar1 = new StatusPanels(m_ui.Form);
    m_ui.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    m_ui.StatusBar1->setPanelText(3, tr("配置音＝ＯＦＦ"));
    m_ui.StatusBar1->dock();
}

void BoardForm::createTimers()
{
    m_ui.Timer1 = makeTimer(this, "Timer1", 1000);
    m_ui.Timer2 = makeTimer(this, "Timer2", 1000);
    m_ui.Timer3 = makeTimer(this, "Timer3", 1);
    m_ui.Timer4 = makeTimer(this, "Timer4", 1);
    m_ui.Timer5 = makeTimer(this, "Timer5", 1000);
    m_ui.DragScroll = makeTimer(this, "DragScroll", 25);
}

// Each reaction of the form is connected here; the handlers live in the files of their
// concern (set-up, board view, question panel, clock, music).
void BoardForm::connectHandlers()
{
    connect(m_ui.mnuStart, &QAction::triggered, this, &BoardForm::Start_Click);
    connect(m_ui.mnuSave, &QAction::triggered, this, &BoardForm::Save_Click);
    connect(m_ui.HScroll1, &QScrollBar::valueChanged, this, &BoardForm::HScroll1_Change);
    connect(m_ui.VScroll2, &QScrollBar::valueChanged, this, &BoardForm::VScroll2_Change);
    connect(m_ui.Timer1, &QTimer::timeout, this, &BoardForm::Timer1_Timer);
    connect(m_ui.Timer2, &QTimer::timeout, this, &BoardForm::Timer2_Timer);
    connect(m_ui.Timer3, &QTimer::timeout, this, &BoardForm::Timer3_Timer);
    connect(m_ui.Timer4, &QTimer::timeout, this, &BoardForm::Timer4_Timer);
    connect(m_ui.Timer5, &QTimer::timeout, this, &BoardForm::Timer5_Timer);
    connect(m_ui.Command1, &QPushButton::clicked, this, &BoardForm::Command1_Click);
    connect(m_ui.Command3, &QPushButton::clicked, this, &BoardForm::Command3_Click);
    connect(m_ui.Combo1, &ChoiceComboBox::chosen, this, &BoardForm::Combo1_Click);
    // Enter in the input box answers the question as OK does.
    connect(m_ui.Combo1, &ChoiceComboBox::entered, m_ui.Command1, &QPushButton::click);
    connectPieceHandlers();
    connectBoxHandlers();
    connectMenuHandlers();
    connectKeyHandlers();
    connectZoomHandlers();
}

bool BoardForm::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    // Only a return from another form of the game is an activation; coming back from another
    // program must not empty what the player has just copied there.
    if (event->type() == QEvent::WindowActivate && m_return->takeReturn())
        Form_Activate();
    return handled;
}

void BoardForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    layoutClientArea();
}

void BoardForm::layoutClientArea()
{
    // The main window's layout places the menu bar and the client area even while the form is
    // hidden, so the launch can size the board view before the form is shown.
    if (QLayout *windowLayout = layout())
        windowLayout->activate();
    m_ui.StatusBar1->dock();
}

void BoardForm::bringToFront(QWidget *control)
{
    control->raise();
    m_ui.StatusBar1->raise();
}

float BoardForm::scaleWidth()
{
    layoutClientArea();
    return static_cast<float>(m_ui.Form->width());
}

float BoardForm::scaleHeight()
{
    layoutClientArea();
    return static_cast<float>(m_ui.Form->height());
}

void BoardForm::setGamePicture(picture::PendingPicture picture)
{
    m_picture = std::move(picture);
    showGamePicture(m_ui.Picture2);
}

void BoardForm::showGamePicture(PictureBox *box, const QRect &cell)
{
    box->setPicture(m_picture.image(), cell, m_picture.rows());
}

const QImage &BoardForm::gamePicture()
{
    m_picture.finish();
    return m_picture.image();
}

void BoardForm::setRandomSource(std::function<double()> source)
{
    m_random.setSource(std::move(source));
}

} // namespace jigsaw
