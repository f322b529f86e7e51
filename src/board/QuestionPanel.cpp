#include "board/QuestionPanel.h"

#include "board/BoardForm.h"
#include "board/CaptionLabel.h"
#include "board/PictureBox.h"
#include "platform/ChoiceComboBox.h"
#include "platform/FormLook.h"
#include "platform/Geometry.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace jigsaw {

namespace {

// The lightest colour of the panel's picture, at its top-left corner.
const QColor kPanelLight(255, 255, 240);

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption,
                        const QColor &color)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, color);
    button->setPalette(palette);
    // A flat face in the button's own colour, as a graphical button shows it.
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080;"
                       " color: %3; }"
                       "QPushButton:pressed { background-color: %2; }")
            .arg(color.name(), color.darker(115).name(), look::textOn(color).name()));
    return button;
}

} // namespace

std::optional<float> slideInStep(float left)
{
    if (left <= -30)
        return left + 30;
    return std::nullopt;
}

std::optional<float> slideOutStep(float left, float width)
{
    if (-(static_cast<double>(width) + 10) <= static_cast<double>(left))
        return left - 50;
    return std::nullopt;
}

void enableJapaneseInput(QComboBox *combo)
{
    combo->setAttribute(Qt::WA_InputMethodEnabled, true);
    combo->setInputMethodHints(Qt::ImhNone);
    if (QLineEdit *edit = combo->lineEdit()) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, true);
        edit->setInputMethodHints(Qt::ImhNone);
    }
}

QImage questionPanelPicture()
{
    QImage picture(kQuestionPanelWidth, kQuestionPanelHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, kQuestionPanelWidth, kQuestionPanelHeight);
    gradient.setColorAt(0.0, kPanelLight);
    gradient.setColorAt(0.55, QColor(255, 236, 200));
    gradient.setColorAt(1.0, QColor(236, 214, 255));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QColor(160, 140, 200));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

void BoardForm::createQuestionPanel()
{
    using geom::twips;
    // The panel lies over the board view's top-left corner, on the form: the board may be shown
    // at any scale and scrolled anywhere, the panel is read at its own size.
    m_ui.Picture4 = new PictureBox(m_ui.Form);
    m_ui.Picture4->setObjectName(QStringLiteral("Picture4"));
    m_ui.Picture4->setMouseTracking(false);
    geom::setGeometry(m_ui.Picture4, geom::left(m_ui.Picture9),
                      static_cast<double>(geom::top(m_ui.Picture9)) + twips(240),
                      kQuestionPanelWidth, kQuestionPanelHeight);
    m_ui.Picture4->setPicture(questionPanelPicture());
    // The panel's own light picture: its texts are dark on any theme.
    look::writeOn(m_ui.Picture4, kPanelLight);

    m_ui.Label5 = new CaptionLabel(m_ui.Picture4);
    m_ui.Label5->setObjectName(QStringLiteral("Label5"));
    QPalette blue = m_ui.Label5->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_ui.Label5->setPalette(blue);
    // The designed width, so that messages wrap where they always did; the label reaches down
    // to the panel's edge, room for the four lines of the congratulation at full size.
    geom::setGeometry(m_ui.Label5, twips(480), twips(840), twips(4455),
                      kQuestionPanelHeight - twips(840));

    m_ui.Combo1 = new ChoiceComboBox(m_ui.Picture4);
    m_ui.Combo1->setObjectName(QStringLiteral("Combo1"));
    m_ui.Combo1->setEditable(true);
    m_ui.Combo1->setInsertPolicy(QComboBox::NoInsert);
    // Typed names are taken as typed: completing "abc" to an earlier "ABC" would overwrite
    // another saved game or file a record under someone else's name.
    m_ui.Combo1->setCompleter(nullptr);
    geom::setGeometry(m_ui.Combo1, twips(720), twips(240), twips(2000), twips(360));
    // The question is what a screen reader reads for the input box.
    m_ui.Label5->setBuddy(m_ui.Combo1);

    m_ui.Label7 = new QLabel(tr("分"), m_ui.Picture4);
    m_ui.Label7->setObjectName(QStringLiteral("Label7"));
    m_ui.Label7->setAlignment(Qt::AlignCenter);
    geom::setGeometry(m_ui.Label7, twips(2040), twips(360), twips(195), twips(195));
    // A unit longer than the design's one character takes the room it needs to the right.
    geom::setWidth(m_ui.Label7, std::max(geom::width(m_ui.Label7),
                                         static_cast<float>(m_ui.Label7->sizeHint().width())));

    m_ui.Command1 = makeButton(m_ui.Picture4, "Command1", QStringLiteral("O  K"),
                               QColor(255, 192, 192));
    geom::setGeometry(m_ui.Command1, twips(3000), twips(240), twips(735), twips(375));
    m_ui.Command3 = makeButton(m_ui.Picture4, "Command3", QStringLiteral("N  O"),
                               QColor(192, 192, 255));
    m_ui.Command1->setAccessibleName(QStringLiteral("OK"));
    m_ui.Command3->setAccessibleName(QStringLiteral("NO"));
    geom::setGeometry(m_ui.Command3, twips(3840), twips(240), twips(735), twips(375));

    // Escape anywhere in the panel answers NO, where NO is offered.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_ui.Picture4, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        if (!m_ui.Command3->isHidden())
            m_ui.Command3->click();
    });
}

void BoardForm::Timer3_Timer()
{
    PictureBox *panel = m_ui.Picture4;
    panel->show();
    if (const std::optional<float> next = slideInStep(geom::left(panel))) {
        geom::setLeft(panel, *next);
        return;
    }
    m_ui.Timer3->stop();
    // The board back at its top, with its scroll bar.
    m_ui.VScroll2->setValue(0);
    VScroll2_Change();
    if (!m_ui.Combo1->isHidden()) {
        m_ui.Combo1->setFocus();
        // What the box already holds (the resumed game's name, the last limit) is selected, so
        // that typing replaces it.
        if (QLineEdit *edit = m_ui.Combo1->lineEdit())
            edit->selectAll();
    } else {
        m_ui.Command1->setFocus();
    }
}

void BoardForm::Timer4_Timer()
{
    PictureBox *panel = m_ui.Picture4;
    if (const std::optional<float> next = slideOutStep(geom::left(panel), geom::width(panel))) {
        geom::setLeft(panel, *next);
        return;
    }
    m_ui.Timer4->stop();
    state().PanelMode = 0;
    // Parked out of sight, the panel's box and buttons take no focus and no Tab; the player
    // goes back to where the game was. The focus goes there before the panel hides: hiding
    // would pass it along Qt's chain to the first piece of the box, wherever that lies.
    if (panel->isAncestorOf(focusWidget()))
        returnFocusToPlay();
    panel->hide();
}

} // namespace jigsaw
