#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "platform/AccessibleRole.h"
#include "platform/FormLook.h"
#include "platform/Geometry.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>

namespace jigsaw {

namespace {

// The width of a vertical scroll bar and the height of a horizontal one, in pixels.
constexpr int kScrollBarThickness = 17;

const QColor kBoardGreen(209, 249, 206);
const QColor kBoxNavy(0, 0, 128);
const QColor kTimePanelGreen(128, 255, 128);
const QColor kTimeBarBlue(0, 0, 192);

PictureBox *makePictureBox(QWidget *parent, const QString &name, const QColor &back)
{
    auto *box = new PictureBox(parent);
    box->setObjectName(name);
    box->setBackColor(back);
    return box;
}

QScrollBar *makeScrollBar(QWidget *parent, const char *name, Qt::Orientation orientation)
{
    auto *bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    // What the bar scrolls follows the thumb while it is dragged.
    bar->setTracking(true);
    bar->setRange(0, 32767);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(0);
    return bar;
}

void setColors(QWidget *widget, const QColor &back, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, back);
    widget->setAutoFillBackground(true);
    // Text on the game's own colours is the game's choice too, whatever the desktop's theme.
    palette.setColor(QPalette::WindowText, text.isValid() ? text : look::textOn(back));
    widget->setPalette(palette);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Builds one control array of piece boxes, all hidden.
void makePieces(QWidget *parent, const char *name, std::array<PictureBox *, kPieceControls> &pieces)
{
    const QColor back = parent->palette().color(QPalette::Window);
    for (int i = 0; i < kPieceControls; ++i) {
        PictureBox *piece =
            makePictureBox(parent, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i), back);
        geom::setGeometry(piece, 0, 0, 10, 10);
        piece->hide();
        pieces[static_cast<std::size_t>(i)] = piece;
    }
}

} // namespace

void BoardForm::createBoardView()
{
    m_ui.Picture9 = makePictureBox(m_ui.Form, QStringLiteral("Picture9"),
                                   m_ui.Form->backColor());
    geom::setGeometry(m_ui.Picture9, 0, 8, 400, 300);

    m_ui.Picture2 = makePictureBox(m_ui.Picture9, QStringLiteral("Picture2"), kBoardGreen);
    m_ui.Picture2->setAutoSize(true);
    m_ui.Picture2->setForeColor(Qt::black);
    geom::setGeometry(m_ui.Picture2, 0, 0, 400, 300);
    makePieces(m_ui.Picture2, "Picture1", m_ui.Picture1);
    // A screen reader names the places a player works in, not an anonymous filler.
    access::setRole(m_ui.Picture2, QAccessible::Canvas);
    m_ui.Picture2->setAccessibleName(tr("ボード"));

    m_ui.HScroll1 = makeScrollBar(m_ui.Form, "HScroll1", Qt::Horizontal);
    geom::setGeometry(m_ui.HScroll1, 0, 308, 400, kScrollBarThickness);
    m_ui.VScroll2 = makeScrollBar(m_ui.Form, "VScroll2", Qt::Vertical);
    geom::setGeometry(m_ui.VScroll2, 400, 8, kScrollBarThickness, 300);
    m_ui.Picture9->setWheelScrollBars(m_ui.VScroll2, m_ui.HScroll1);
}

void BoardForm::createPieceBox()
{
    m_ui.Picture8 = makePictureBox(m_ui.Form, QStringLiteral("Picture8"), kBoxNavy);
    geom::setGeometry(m_ui.Picture8, 0, 0, 120, 33);
    m_ui.Picture8->hide();

    m_ui.Picture7 = makePictureBox(m_ui.Form, QStringLiteral("Picture7"), kBoxNavy);
    geom::setGeometry(m_ui.Picture7, 0, 33, 120, 300);
    m_ui.Picture7->hide();
    access::setRole(m_ui.Picture7, QAccessible::Grouping);
    m_ui.Picture7->setAccessibleName(tr("ピースボックス"));

    m_ui.Picture5 = makePictureBox(m_ui.Picture7, QStringLiteral("Picture5"), Qt::black);
    geom::setGeometry(m_ui.Picture5, 0, 0, 100, 300);
    makePieces(m_ui.Picture5, "Picture6", m_ui.Picture6);

    m_ui.VScroll1 = makeScrollBar(m_ui.Picture7, "VScroll1", Qt::Vertical);
    geom::setGeometry(m_ui.VScroll1, 120 - kScrollBarThickness, 0, kScrollBarThickness, 295);
    m_ui.Picture7->setWheelScrollBars(m_ui.VScroll1, nullptr);

    // The shuffling device: a list nobody sees.
    m_ui.Combo2 = new QComboBox(m_ui.Form);
    m_ui.Combo2->setObjectName(QStringLiteral("Combo2"));
    m_ui.Combo2->hide();
}

void BoardForm::createTimePanel()
{
    m_ui.Frame1 = new QFrame(m_ui.Form);
    m_ui.Frame1->setObjectName(QStringLiteral("Frame1"));
    setColors(m_ui.Frame1, kTimePanelGreen, QColor());
    geom::setGeometry(m_ui.Frame1, 0, geom::twips(4920), geom::twips(7455), geom::twips(615));
    m_ui.Frame1->hide();

    m_ui.Label1 = makeLabel(m_ui.Frame1, "Label1", QString());
    geom::setGeometry(m_ui.Label1, geom::twips(120), geom::twips(240), geom::twips(3585),
                      geom::twips(195));

    m_ui.Label3 = makeLabel(m_ui.Frame1, "Label3", QString());
    m_ui.Label3->setFrameStyle(QFrame::Box | QFrame::Plain);
    geom::setGeometry(m_ui.Label3, geom::twips(3960), geom::twips(240), geom::twips(3375),
                      geom::twips(255));

    m_ui.Label4 = makeLabel(m_ui.Frame1, "Label4", QString());
    setColors(m_ui.Label4, kTimeBarBlue, QColor());
    geom::setGeometry(m_ui.Label4, geom::twips(3960), geom::twips(240), geom::twips(3255),
                      geom::twips(240));
}

void BoardForm::createProgressFrame()
{
    m_ui.Frame2 = new QFrame(m_ui.Form);
    m_ui.Frame2->setObjectName(QStringLiteral("Frame2"));
    setColors(m_ui.Frame2, Qt::black, Qt::white);
    geom::setGeometry(m_ui.Frame2, 0, 0, 305, 65);
    m_ui.Frame2->hide();

    m_ui.Label8 = makeLabel(m_ui.Frame2, "Label8", tr("画面を設定しています"));
    setColors(m_ui.Label8, Qt::black, Qt::white);
    geom::setGeometry(m_ui.Label8, 88, 8, 148, 16);

    m_ui.ProgressBar1 = new QProgressBar(m_ui.Frame2);
    m_ui.ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_ui.ProgressBar1->setTextVisible(false);
    m_ui.ProgressBar1->setRange(0, 100);
    m_ui.ProgressBar1->setValue(0);
    geom::setGeometry(m_ui.ProgressBar1, 16, 40, 273, 17);
}

void BoardForm::createCompletedView()
{
    m_ui.Picture3 = makePictureBox(m_ui.Form, QStringLiteral("Picture3"), m_ui.Form->backColor());
    geom::setGeometry(m_ui.Picture3, -10, -10, 10, 10);
    m_ui.Picture3->hide();
    access::setRole(m_ui.Picture3, QAccessible::Graphic);
    m_ui.Picture3->setAccessibleName(tr("完成画像"));
}

} // namespace jigsaw
