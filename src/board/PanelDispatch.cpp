#include "board/BoardForm.h"

#include "board/CaptionLabel.h"
#include "board/PictureBox.h"
#include "platform/ChoiceComboBox.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace jigsaw {

void BoardForm::AskQuestion(double mode, const QString &message, PanelParts parts)
{
    // A slide-out still under way would set PanelMode to 0 when it ends and so cancel this
    // question; the new question takes the panel over instead.
    m_ui.Timer4->stop();
    state().PanelMode = mode;
    m_ui.Combo1->setVisible(parts.testFlag(InputBox));
    m_ui.Label7->setVisible(parts.testFlag(UnitLabel));
    m_ui.Command3->setVisible(parts.testFlag(NoButton));
    m_ui.Picture4->raise();
    m_ui.Label5->setCaption(message);
    m_game.PlayNoticeSound();
    m_ui.Timer3->start();
    m_ui.VScroll1->setValue(0);
}

void BoardForm::SlideOutPanel()
{
    m_ui.Timer3->stop();
    m_ui.Timer4->start();
}

void BoardForm::Command1_Click()
{
    switch (static_cast<int>(state().PanelMode)) {
    case 0:
        SlideOutPanel();
        break;
    case 1:
        QuitProgram();
        break;
    case 3:
        TimeLimitOk();
        break;
    case 4:
        SaveNameOk();
        break;
    case 5:
        OverwriteOk();
        break;
    case 6:
    case 7:
        RecordNameOk();
        break;
    case 8:
        ShowRankingOk();
        break;
    default:
        break;
    }
}

void BoardForm::Command3_Click()
{
    GameState &s = state();
    if (s.PanelMode == 3) {
        TimeLimitNo();
        s.PanelMode = 0;
        SlideOutPanel();
    } else if (s.PanelMode == 5) {
        m_ui.Label5->setCaption(tr("プレーヤー名を入力してください。"));
        m_ui.Combo1->setCurrentText(QString());
        s.PanelMode = 4;
    } else {
        s.PanelMode = 0;
        SlideOutPanel();
    }
}

void BoardForm::Combo1_Click()
{
    if (state().PanelMode == 3)
        TimeLimitChoice();
    else if (state().PanelMode == 4)
        SaveNameChoice();
}

} // namespace jigsaw
