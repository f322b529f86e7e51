#include "select/SelectForm.h"

#include "platform/ChoiceComboBox.h"
#include "platform/FormLook.h"
#include "platform/Geometry.h"
#include "platform/ThumbnailLoader.h"
#include "platform/WindowReturn.h"
#include "records/RecordsForm.h"
#include "select/DriveList.h"
#include "select/FolderList.h"
#include "select/SelectControls.h"
#include "state/GameSession.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace jigsaw {

namespace {

using geom::twips;

const QColor kOrange(240, 182, 60);
const QColor kPink(255, 192, 192);
const QColor kLightGreen(192, 255, 192);
const QColor kLightGrey(224, 224, 224);
const QColor kMarkerRed(255, 0, 0);
const QColor kFrameLine(160, 160, 160);
constexpr int kMarkerBorder = 3;

// The design's outer width and height of the form, in twips.
constexpr int kDesignWidthTwips = 8700;
constexpr int kDesignHeightTwips = 8700;
// Where the folder selection begins, beyond the narrow form's right edge.
constexpr int kFolderSelectionLeftTwips = 5760;
// What the designed window spent outside its controls' area: the side borders across, and the
// title bar, borders, menu bar and status bar down. The controls keep the area they had.
constexpr int kNonClientWidthTwips = 120;
constexpr int kNonClientHeightTwips = 1200;

// Places a control at its design position, given in twips.
void place(QWidget *control, const char *name, double left, double top, double width,
           double height)
{
    control->setObjectName(QString::fromUtf8(name));
    geom::setGeometry(control, twips(left), twips(top), twips(width), twips(height));
}

// Grows a control that the Japanese font would clip to the size the font needs. It keeps its
// designed left edge and, by default, its designed vertical centre, so that a label stays in
// line with the control beside it; a control under a frame's caption keeps its top instead.
enum class Grow { AroundCentre, Down };

void growToFit(QWidget *control, Grow grow = Grow::AroundCentre)
{
    const QSize needed = control->sizeHint();
    const float designTop = geom::top(control);
    const float designHeight = geom::height(control);
    const float width = std::max(geom::width(control), static_cast<float>(needed.width()));
    const float height = std::max(designHeight, static_cast<float>(needed.height()));
    const float top = grow == Grow::Down ? designTop : designTop - (height - designHeight) / 2;
    geom::setGeometry(control, geom::left(control), top, width, height);
}

QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption, double left,
                     double top, double width, double height)
{
    auto *frame = new QGroupBox(caption, parent);
    place(frame, name, left, top, width, height);
    look::paintBackground(frame, kOrange);
    // An etched outline with the caption sitting on its top edge, whatever the widget style:
    // the controls inside are placed from the frame's own top-left corner.
    const int captionMiddle = caption.isEmpty() ? 0 : frame->fontMetrics().height() / 2;
    frame->setStyleSheet(QStringLiteral("QGroupBox { background-color: %1; border: 2px groove %2;"
                                        " margin-top: %3px; }"
                                        "QGroupBox::title { subcontrol-origin: margin;"
                                        " subcontrol-position: top left; left: 6px;"
                                        " padding: 0px 2px; color: %4; }")
                             .arg(kOrange.name(), kFrameLine.name())
                             .arg(captionMiddle)
                             .arg(look::textOn(kOrange).name()));
    return frame;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, double left,
                  double top, double width, double height)
{
    auto *label = new QLabel(caption, parent);
    place(label, name, left, top, width, height);
    look::paintBackground(label, kOrange);
    growToFit(label);
    return label;
}

ColorButton *makeColorButton(QWidget *parent, const char *name, const QString &caption,
                             double left, double top, double width, double height)
{
    auto *button = new ColorButton(caption, parent);
    place(button, name, left, top, width, height);
    return button;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, double left,
                        double top, double width, double height)
{
    auto *button = new QPushButton(caption, parent);
    button->setAutoDefault(true);
    place(button, name, left, top, width, height);
    return button;
}

QAction *nameAction(QAction *action, const QString &name)
{
    action->setObjectName(name);
    return action;
}

} // namespace

SelectForm::SelectForm(GameSession &game, FormInstance<BoardForm> &board,
                       FormInstance<RecordsForm> &records, QWidget *parent)
    : QMainWindow(parent)
    , m_game(game)
    , m_board(board)
    , m_records(records)
{
    setObjectName(QStringLiteral("frmSelect"));
    look::keepGameFont(this);
    setWindowTitle(tr("画像選択"));
    m_return = new WindowReturn(this);
    m_thumbnails = new picture::ThumbnailLoader(game.folders().thumbnailFolder(), this);
    connect(m_thumbnails, &picture::ThumbnailLoader::thumbnailReady, this,
            &SelectForm::thumbnailReady);
    createMenus();
    createControls();
    createStatusBar();
    connectControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setFormWidthTwips(kDesignWidthTwips);
    setFormHeightTwips(kDesignHeightTwips);
}

void SelectForm::createMenus()
{
    QMenu *load = menuBar()->addMenu(tr("画像の読込"));
    load->setObjectName(QStringLiteral("画像の読込"));
    m_menuLoad = nameAction(load->menuAction(), QStringLiteral("画像の読込"));
    m_menuFromFile = nameAction(load->addAction(tr("ファイルから読み込む")),
                                QStringLiteral("ファイルから読み込む"));
    m_menuSample = nameAction(load->addAction(tr("サンプルを表示")),
                              QStringLiteral("サンプルを表示"));
    m_menuContinue = nameAction(load->addAction(tr("ゲームの続き")),
                                QStringLiteral("ゲームの続き"));
    m_menuContinue->setEnabled(false);
    m_menuExit = nameAction(menuBar()->addAction(tr("終了")), QStringLiteral("終了"));
}

void SelectForm::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    look::paintBackground(m_client, kOrange);
    setCentralWidget(m_client);

    // Saved-game strip, records button and GO along the top.
    m_Frame3 = makeFrame(m_client, "Frame3", QString(), 120, 0, 2415, 495);
    m_Label6 = makeLabel(m_Frame3, "Label6", tr("選択"), 120, 240, 360, 180);
    m_Combo1 = new ChoiceComboBox(m_Frame3);
    place(m_Combo1, "Combo1", 600, 150, 1695, 300);
    m_Label6->setBuddy(m_Combo1);
    m_Command6 = makeColorButton(m_client, "Command6", tr("過去の記録表示"), 2640, 0,
                                 1695, 495);
    m_Command6->setFaceColor(kLightGreen);
    m_Command1 = makeColorButton(m_client, "Command1", QStringLiteral("G  O"), 4320, 0, 1215, 495);
    m_Command1->setAccessibleName(QStringLiteral("GO"));
    m_Command1->setFaceColor(kPink);
    QFont bold = m_Command1->font();
    bold.setBold(true);
    m_Command1->setFont(bold);

    // Thumbnail panel: six pictures in reading order, each with its marker on top.
    m_Frame1 = makeFrame(m_client, "Frame1", QString(), 120, 600, 5415, 6255);
    for (int i = 0; i < kThumbs; ++i) {
        const double left = i % 2 == 0 ? 120 : 2760;
        const double top = 360 + (i / 2) * 1920;
        auto *image = new StretchImage(m_Frame1);
        place(image, QStringLiteral("Image1(%1)").arg(i).toUtf8().constData(), left, top, 2535,
              1815);
        m_Image1[static_cast<std::size_t>(i)] = image;
    }
    for (int i = 0; i < kThumbs; ++i) {
        const StretchImage *image = m_Image1[static_cast<std::size_t>(i)];
        auto *marker = new MarkerShape(kMarkerRed, kMarkerBorder, m_Frame1);
        place(marker, QStringLiteral("Shape1(%1)").arg(i).toUtf8().constData(), 0, 0, 255, 255);
        geom::move(marker, geom::left(image) + twips(120), geom::top(image) + twips(120));
        marker->hide();
        m_Shape1[static_cast<std::size_t>(i)] = marker;
    }

    // Paging and the page counter below the panel.
    m_Command3 = makeButton(m_client, "Command3", tr("≪ 前の画像 "), 120, 6960, 1215,
                            375);
    m_Command2 = makeButton(m_client, "Command2", tr("次の画像 ≫"), 4080, 6960, 1215,
                            375);
    m_Label3 = makeLabel(m_client, "Label3", QString(), 2040, 7080, 495, 255);
    m_Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_Label4 = makeLabel(m_client, "Label4", QStringLiteral("/"), 2580, 7080, 135, 255);
    m_Label5 = makeLabel(m_client, "Label5", QString(), 2760, 7080, 540, 255);

    // Folder selection, in view only when the form is wide.
    m_Label8 = makeLabel(m_client, "Label8", tr("ファイルの場所"), 5880, 120, 1155, 180);
    m_Label7 = new PathLabel(m_client);
    place(m_Label7, "Label7", 5760, 480, 2775, 735);
    look::paintBackground(m_Label7, kOrange);
    m_Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_Frame2 = makeFrame(m_client, "Frame2", tr("フォルダ選択"), 5760, 1320, 2775, 5895);
    m_Drive1 = new DriveList(m_Frame2);
    place(m_Drive1, "Drive1", 120, 240, 1575, 300);
    growToFit(m_Drive1, Grow::Down);
    geom::setWidth(m_Drive1, twips(1575));
    m_Command4 = makeColorButton(m_Frame2, "Command4", tr("↑ 上へ"), 1770, 240, 825,
                                 345);
    m_Command4->setFaceColor(kLightGrey);
    m_Dir1 = new FolderList(m_Frame2);
    place(m_Dir1, "Dir1", 120, 660, 2415, 4080);
    // The list is the folder choice its frame is captioned with.
    m_Dir1->setAccessibleName(m_Frame2->title());
    m_Label2 = makeLabel(m_Frame2, "Label2", tr("画像数(.jpg)"), 360, 4920, 915, 180);
    m_Label1 = makeLabel(m_Frame2, "Label1", QString(), 1440, 4800, 975, 375);
    m_Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_Command5 = makeColorButton(m_Frame2, "Command5", tr("画像を表示する"), 240, 5280,
                                 2295, 495);

    // The saved-game list sits in a strip as high as it is.
    growToFit(m_Combo1);
    geom::setWidth(m_Combo1, twips(1695));

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(500);
}

void SelectForm::createStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    m_statusPanel1 = new QLabel(tr("画像をクリックして選択してください"), bar);
    m_statusPanel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
    bar->addWidget(m_statusPanel1, 1);
    setStatusBar(bar);
}

void SelectForm::connectControls()
{
    connect(m_menuSample, &QAction::triggered, this, &SelectForm::ShowLibraryView);
    connect(m_menuFromFile, &QAction::triggered, this, &SelectForm::ShowFolderView);
    connect(m_menuContinue, &QAction::triggered, this, &SelectForm::ShowSavedGameView);
    connect(m_menuExit, &QAction::triggered, this, &SelectForm::AskToExit);

    connect(m_Timer1, &QTimer::timeout, this, &SelectForm::Timer1_Timer);
    connect(m_Command1, &QPushButton::clicked, this, &SelectForm::Command1_Click);
    connect(m_Command2, &QPushButton::clicked, this, &SelectForm::Command2_Click);
    connect(m_Command3, &QPushButton::clicked, this, &SelectForm::Command3_Click);
    connect(m_Command4, &QPushButton::clicked, this, &SelectForm::Command4_Click);
    connect(m_Command5, &QPushButton::clicked, this, &SelectForm::Command5_Click);
    // 過去の記録表示: the records form, already filled by the record look-up, beside this one.
    connect(m_Command6, &QPushButton::clicked, this, [this] {
        m_records.get()->open(this);
    });
    for (int i = 0; i < kThumbs; ++i) {
        StretchImage *image = m_Image1[static_cast<std::size_t>(i)];
        connect(image, &StretchImage::clicked, this, [this, i] { Image1_Click(i); });
        connect(image, &StretchImage::arrowPressed, this,
                [this, i](int key) { moveThumbnailFocus(i, key); });
        connect(image, &StretchImage::tabbedOut, this, &SelectForm::leaveThumbnails);
    }
    connect(m_Drive1, &DriveList::changed, this, &SelectForm::Drive1_Change);
    connect(m_Dir1, &FolderList::changed, this, &SelectForm::Dir1_Change);
    connect(m_Combo1, &ChoiceComboBox::chosen, this, &SelectForm::Combo1_Click);
}

QString SelectForm::statusText() const
{
    return m_statusPanel1->text();
}

void SelectForm::setStatusText(const QString &text)
{
    m_statusPanel1->setText(text);
}

void SelectForm::setFormWidthTwips(int twipsWide)
{
    m_formWidthTwips = twipsWide;
    m_client->setFixedWidth(static_cast<int>(twips(twipsWide - kNonClientWidthTwips)));
    // Out of view, the folder selection is out of the keyboard's and the screen reader's way.
    const bool folderSelectionShown = twipsWide > kFolderSelectionLeftTwips;
    m_Label8->setVisible(folderSelectionShown);
    m_Label7->setVisible(folderSelectionShown);
    m_Frame2->setVisible(folderSelectionShown);
}

void SelectForm::moveThumbnailFocus(int from, int key)
{
    // Two thumbnails to a row, three rows.
    int to = from;
    if (key == Qt::Key_Left && from % 2 == 1)
        to = from - 1;
    else if (key == Qt::Key_Right && from % 2 == 0)
        to = from + 1;
    else if (key == Qt::Key_Up)
        to = from - 2;
    else if (key == Qt::Key_Down)
        to = from + 2;
    if (to == from || to < 0 || to >= kThumbs)
        return;
    StretchImage *target = m_Image1[static_cast<std::size_t>(to)];
    if (target->focusPolicy() != Qt::NoFocus)
        target->setFocus(Qt::OtherFocusReason);
}

void SelectForm::leaveThumbnails(bool forward)
{
    const auto isThumbnail = [this](const QWidget *w) {
        return std::find(m_Image1.begin(), m_Image1.end(), w) != m_Image1.end();
    };
    QWidget *w = forward ? m_Image1.back() : m_Image1.front();
    for (int step = 0; step < 200; ++step) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == this || isThumbnail(w))
            continue;
        if (w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void SelectForm::keyPressEvent(QKeyEvent *event)
{
    // Page Down and Page Up page as the paging buttons do, where they are offered.
    QPushButton *paging = event->key() == Qt::Key_PageDown ? m_Command2
                        : event->key() == Qt::Key_PageUp   ? m_Command3
                                                           : nullptr;
    if (!paging) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (paging->isVisible() && paging->isEnabled()) {
        paging->click();
        if (m_Image1.front()->focusPolicy() != Qt::NoFocus)
            m_Image1.front()->setFocus(Qt::OtherFocusReason);
    }
}

void SelectForm::setFormHeightTwips(int twipsHigh)
{
    m_formHeightTwips = twipsHigh;
    m_client->setFixedHeight(static_cast<int>(twips(twipsHigh - kNonClientHeightTwips)));
}

} // namespace jigsaw
