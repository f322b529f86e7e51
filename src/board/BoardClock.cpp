#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/Game.h"

#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

namespace jigsaw {

namespace {

// The limit as the time panel writes it: as typed, or the number.
QString limitText(const TimeLimit &limit)
{
    return limit.isTyped() ? limit.typedText() : num::numberText(limit.minutes());
}

} // namespace

void BoardForm::SetUpTimeBar()
{
    GameState &s = state();
    const double barWidth = geom::width(m_ui.Label3);
    const double minutes = s.GameTimeLimit.minutes();
    geom::setWidth(m_ui.Label4, barWidth);
    s.TimeBarStep = num::toSingle(barWidth / (minutes * 60));
    s.RemainingMin = minutes - 1;
    s.RemainingTotalSec = minutes * 60;
    m_ui.Timer2->start();
}

void BoardForm::RestoreTimePanel()
{
    GameState &s = state();
    const double belowView = static_cast<double>(geom::top(m_ui.Picture9))
        + static_cast<double>(geom::height(m_ui.Picture9));
    const double scrollBar = m_ui.HScroll1->isHidden() ? 0.0 : geom::height(m_ui.HScroll1);
    geom::setTop(m_ui.Frame1, belowView + scrollBar + 5);
    geom::setWidth(m_ui.Label4, static_cast<double>(s.TimeBarStep) * s.RemainingTotalSec);
    m_ui.Frame1->show();
    m_ui.Label1->setText(QStringLiteral("ゲーム時間 ") + limitText(s.GameTimeLimit)
                         + QStringLiteral("分"));
    m_ui.Timer2->start();
}

void BoardForm::Timer1_Timer() {}

void BoardForm::Timer2_Timer() {}

void BoardForm::TimeLimitOk() {}
void BoardForm::TimeLimitNo() {}
void BoardForm::TimeLimitChoice() {}

} // namespace jigsaw
