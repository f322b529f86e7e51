#include "records/RecordsForm.h"

#include "platform/BusyCursor.h"
#include "platform/ChoiceComboBox.h"
#include "platform/ColorButton.h"
#include "platform/FormLook.h"
#include "platform/Geometry.h"
#include "platform/StretchImage.h"
#include "platform/WindowFrame.h"
#include "records/Ranking.h"
#include "records/RecordFile.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QStatusBar>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace jigsaw {

namespace {

using geom::twips;

const QColor kPurple(128, 0, 128);
const QColor kPink(255, 192, 255);
const QColor kWhite(255, 255, 255);

// The form's outer size as designed, in twips: the short form shows only the choice, the tall
// one uncovers the table.
constexpr int kWidthTwips = 6720;
constexpr int kShortHeightTwips = 2900;
constexpr int kTallHeightTwips = 7300;
// What the designed window spent outside its controls' area: the side borders across, and the
// title bar, borders and status bar down.
constexpr int kNonClientWidthTwips = 120;
constexpr int kNonClientHeightTwips = 765;

// Row i of the table and its rank number.
constexpr double kRowTop = 2640;
constexpr double kRowStep = 300;
constexpr double kRowHeight = 285;
constexpr double kColumnWidth = 1935;
constexpr std::array<double, 3> kColumnLefts{480, 2400, 4320};

void place(QWidget *control, const QString &name, double left, double top, double width,
           double height)
{
    control->setObjectName(name);
    geom::setGeometry(control, twips(left), twips(top), twips(width), twips(height));
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption, double left,
                  double top, double width, double height)
{
    auto *label = new QLabel(caption, parent);
    label->setTextFormat(Qt::PlainText);
    place(label, name, left, top, width, height);
    return label;
}

} // namespace

RecordsForm::RecordsForm(GameSession &game, QWidget *parent)
    : QMainWindow(parent)
    , m_game(game)
{
    setObjectName(QStringLiteral("frmRecords"));
    look::keepGameFont(this);
    setWindowTitle(tr("記録"));
    createControls();
    createStatusBar();
    connectControls();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_client->setFixedWidth(static_cast<int>(twips(kWidthTwips - kNonClientWidthTwips)));
    setFormHeightTwips(kTallHeightTwips);
}

void RecordsForm::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);

    m_ui.Image1 = new StretchImage(m_client);
    place(m_ui.Image1, QStringLiteral("Image1"), 360, 240, 2295, 1695);

    createChoice();

    m_ui.Command1 = new ColorButton(tr("順位表示"), m_client);
    place(m_ui.Command1, QStringLiteral("Command1"), 3000, 1440, 1215, 615);
    m_ui.Command1->setFaceColor(kPink);

    createTable();

    m_ui.Combo2 = new QComboBox(m_client);
    m_ui.Combo2->setObjectName(QStringLiteral("Combo2"));
    m_ui.Combo2->hide();

    m_ui.Command2 = new QPushButton(tr("元の画面に戻る"), m_client);
    m_ui.Command2->setAutoDefault(true);
    place(m_ui.Command2, QStringLiteral("Command2"), 3720, 5760, 2535, 495);
}

// The purple strip with the picture's name and the piece-count choice.
void RecordsForm::createChoice()
{
    m_ui.Frame1 = new QFrame(m_client);
    place(m_ui.Frame1, QStringLiteral("Frame1"), 2880, 120, 3375, 1215);
    look::paintBackground(m_ui.Frame1, kPurple);

    m_ui.Label3 = makeLabel(m_ui.Frame1, QStringLiteral("Label3"), tr("画像名"), 120,
                            240, 720, 255);
    m_ui.Label4 = makeLabel(m_ui.Frame1, QStringLiteral("Label4"), QString(), 840, 240, 2415, 255);
    m_ui.Label1 = makeLabel(m_ui.Frame1, QStringLiteral("Label1"),
                            tr("ピース枚数選択"), 120, 780, 1320, 255);
    m_ui.Combo1 = new QComboBox(m_ui.Frame1);
    place(m_ui.Combo1, QStringLiteral("Combo1"), 1440, 720, 1095, 360);
    m_ui.Label1->setBuddy(m_ui.Combo1);
    m_ui.Label2 = makeLabel(m_ui.Frame1, QStringLiteral("Label2"), tr("枚"), 2640, 780,
                            255, 255);
    // Captions longer than the design's take the room they need to the right.
    for (QLabel *label : {m_ui.Label1, m_ui.Label2, m_ui.Label3})
        geom::setWidth(label, std::max(geom::width(label),
                                       static_cast<float>(label->sizeHint().width())));
    QFont bold = m_ui.Label4->font();
    bold.setBold(true);
    m_ui.Label4->setFont(bold);
}

// The headings, the rank numbers and the ten rows of time, player and date.
void RecordsForm::createTable()
{
    const std::array<QString, 3> headings{tr("時　　　間"), tr("プレーヤー"),
                                          tr("ゲーム日時")};
    std::array<QLabel *, 3> headingLabels{};
    for (std::size_t column = 0; column < headings.size(); ++column) {
        headingLabels[column] =
            makeLabel(m_client, QStringLiteral("Label%1").arg(8 + column), headings[column],
                      kColumnLefts[column], kRowTop - kRowStep, kColumnWidth, 255);
        headingLabels[column]->setAlignment(Qt::AlignCenter);
    }
    m_ui.Label8 = headingLabels[0];
    m_ui.Label9 = headingLabels[1];
    m_ui.Label10 = headingLabels[2];

    for (int i = 0; i < kRankingRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        const QString rank = i < 9 ? QStringLiteral(" %1").arg(i + 1) : QStringLiteral("10");
        const double rankTop = i == 0 ? 2730 : 3000 + kRowStep * (i - 1);
        m_ui.RankNumbers[row] = makeLabel(m_client, QStringLiteral("Label%1").arg(11 + i), rank,
                                          240, rankTop - 45, 240, 255);

        const double top = kRowTop + kRowStep * i;
        std::array<QLabel *, 3> cells{};
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const QString name = QStringLiteral("Label%1(%2)").arg(5 + column).arg(i);
            cells[column] = makeLabel(m_client, name, QString(), kColumnLefts[column], top,
                                      kColumnWidth, kRowHeight);
            look::paintBackground(cells[column], kWhite);
            // A thin sunken edge keeps the three columns of a row apart.
            cells[column]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            cells[column]->setLineWidth(1);
        }
        cells[0]->setAlignment(Qt::AlignCenter);
        cells[1]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        cells[2]->setAlignment(Qt::AlignCenter);
        m_ui.Label5[row] = cells[0];
        m_ui.Label6[row] = cells[1];
        m_ui.Label7[row] = cells[2];
    }
}

void RecordsForm::createStatusBar()
{
    auto *bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    for (std::size_t i = 0; i < m_ui.StatusPanels.size(); ++i) {
        auto *panel = new QLabel(bar);
        panel->setTextFormat(Qt::PlainText);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        bar->addWidget(panel, 1);
        m_ui.StatusPanels[i] = panel;
    }
    setStatusBar(bar);
}

void RecordsForm::connectControls()
{
    // A choice in the list reacts whether the player picks it or the program sets it, as the
    // list's click does; picking the shown count again reacts too.
    connect(m_ui.Combo1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Combo1_Click();
    });
    connect(m_ui.Combo1, &QComboBox::activated, this, &RecordsForm::Combo1_Click);
    connect(m_ui.Command1, &QPushButton::clicked, this, &RecordsForm::Command1_Click);
    connect(m_ui.Command2, &QPushButton::clicked, this, &RecordsForm::Command2_Click);
}

QString RecordsForm::panelText(int panel) const
{
    return m_ui.StatusPanels.at(static_cast<std::size_t>(panel - 1))->text();
}

void RecordsForm::setPanelText(int panel, const QString &text)
{
    m_ui.StatusPanels.at(static_cast<std::size_t>(panel - 1))->setText(text);
}

void RecordsForm::setFormHeightTwips(int twipsHigh)
{
    m_formHeightTwips = twipsHigh;
    m_client->setFixedHeight(static_cast<int>(twips(twipsHigh - kNonClientHeightTwips)));
}

void RecordsForm::choosePieceCount(const QString &pieceCountText)
{
    const int index = m_ui.Combo1->findText(pieceCountText);
    if (index >= 0)
        m_ui.Combo1->setCurrentIndex(index);
}

void RecordsForm::FormLoad()
{
    setFormHeightTwips(kShortHeightTwips);
}

void RecordsForm::Combo1_Click()
{
    for (int i = 0; i < kRankingRows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        m_ui.Label5[row]->clear();
        m_ui.Label6[row]->clear();
        m_ui.Label7[row]->clear();
    }
    setPanelText(1, tr("順位表示ボタンをクリックしてください"));
    setPanelText(2, QString());
    m_ui.Command1->setEnabled(true);
}

void RecordsForm::Command1_Click()
{
    // Another copy of the game may keep the record file a moment.
    const BusyCursor busy;
    GameState &s = m_game.state();
    s.RecordLines.clear();
    m_ui.Combo2->clear();

    const QString pieces = m_ui.Combo1->currentText();
    const QString picture = m_ui.Label4->text();
    const QString path = recordfile::filePath(m_game.folders().recordFolder(), picture, pieces);
    // Held from the read to the rewrite, so that a record another copy of the game adds in
    // between is not written over.
    std::unique_ptr<recordfile::Lock> lock;
    recordfile::Contents contents;
    std::vector<ranking::Item> items;
    if (!pieces.isEmpty()) {
        lock = std::make_unique<recordfile::Lock>(path);
        contents = recordfile::read(path);
        s.RecordLines = QStringList{contents.countLine} + contents.records;
        items.reserve(static_cast<std::size_t>(contents.records.size()));
        for (qsizetype i = 0; i < contents.records.size(); ++i)
            items.push_back(ranking::itemOf(contents.records[i], i));
    }
    ranking::sortItems(items);
    QStringList sorted;
    sorted.reserve(static_cast<qsizetype>(items.size()));
    for (const ranking::Item &item : items)
        sorted.append(ranking::listText(item));
    m_ui.Combo2->addItems(sorted);

    const std::size_t n = items.size();
    const std::size_t shown = std::min<std::size_t>(n, kRankingRows);
    for (std::size_t i = 0; i < shown; ++i) {
        m_ui.Label5[i]->setText(ranking::shownTime(items[i]));
        m_ui.Label6[i]->setText(items[i].name);
        m_ui.Label7[i]->setText(items[i].date);
    }
    setPanelText(1, tr("ピース枚数%1枚のベスト10を表示しています").arg(pieces));
    setPanelText(2, n >= static_cast<std::size_t>(kRankingRows)
                        ? tr("10位以下は表示できません。")
                        : tr("%1 位以下のデータはありません").arg(shown));

    // The file goes back in ranking order with every record it held.
    if (lock && lock->held() && contents.status == text::ReadStatus::Ok)
        recordfile::write(path, ranking::rewrittenLines(items, contents.storedLines, picture, pieces));

    m_ui.Command1->setEnabled(false);
    setFormHeightTwips(kTallHeightTwips);
    // Grown to show the table, the form still lies wholly on the screen.
    frame::keepInside(this);
}

void RecordsForm::open(const QWidget *over)
{
    if (!isVisible())
        frame::centreOver(this, over);
    show();
    raise();
    activateWindow();
}

void RecordsForm::Command2_Click()
{
    emit backToSelection();
    close();
}

} // namespace jigsaw
