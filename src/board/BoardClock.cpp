#include "board/BoardForm.h"

#include "board/ClockRules.h"
#include "board/CaptionLabel.h"
#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/GameSession.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

namespace jigsaw {

namespace {

constexpr char kChooseLimit[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "ゲーム時間を選択してＯＫボタンをクリックしてください。\r"
    "60分以上の設定はテンキーから半角で直接入力してください");
constexpr char kNoLimitChosen[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "ゲーム時間が選択されていません。");
constexpr char kLimitTooLong[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "ゲーム時間が長すぎます。\r999999分までの時間を入力してください。");
constexpr char kTimeIsUp[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "時間がなくなりました。終了してください。");

// The input box's width while it asks for minutes: room for a few digits and the unit.
constexpr double kLimitBoxWidthTwips = 1125;

// The limit as the time panel writes it: as typed, or the number.
QString limitText(const TimeLimit &limit)
{
    return limit.isTyped() ? limit.typedText() : num::shownText(limit.minutes());
}

// Minutes are typed straight in half-width digits: the input method is off and the hints ask
// for Latin digits where it cannot be switched off.
void preferDigits(QComboBox *combo)
{
    const Qt::InputMethodHints digits = Qt::ImhPreferNumbers | Qt::ImhLatinOnly;
    combo->setAttribute(Qt::WA_InputMethodEnabled, false);
    combo->setInputMethodHints(digits);
    if (QLineEdit *edit = combo->lineEdit()) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setInputMethodHints(digits);
    }
}

} // namespace

void BoardForm::SetUpTimeBar()
{
    GameState &s = state();
    const float fullBar = geom::width(m_ui.Label3);
    const double seconds = limitSeconds(s.GameTimeLimit.minutes());
    geom::setWidth(m_ui.Label4, fullBar);
    s.TimeBarStep = barStepFor(fullBar, seconds);
    const Countdown countdown = countdownStart(seconds);
    s.RemainingMin = countdown.min;
    s.RemainingSec = countdown.sec;
    s.RemainingTotalSec = countdown.totalSec;
    m_ui.Timer2->start();
}

void BoardForm::RestoreTimePanel()
{
    GameState &s = state();
    PlaceTimePanel(false);
    geom::setWidth(m_ui.Label4, restoredBarWidth(s.TimeBarStep, s.RemainingTotalSec,
                                                 geom::width(m_ui.Label3)));
    m_ui.Frame1->show();
    m_ui.Label1->setText(limitCaption(limitText(s.GameTimeLimit)));
    m_ui.Timer2->start();
}

void BoardForm::PlaceTimePanel(bool mayShortenView)
{
    TimePanelInput in;
    in.clientHeight = scaleHeight();
    in.statusBarHeight = geom::height(m_ui.StatusBar1);
    in.hScrollHeight = geom::height(m_ui.HScroll1);
    in.hScrollShown = !m_ui.HScroll1->isHidden();
    in.viewTop = geom::top(m_ui.Picture9);
    in.viewHeight = geom::height(m_ui.Picture9);
    in.panelHeight = geom::height(m_ui.Frame1);
    in.mayShortenView = mayShortenView;
    const TimePanelPlace place = placeTimePanel(in);

    if (place.viewHeight) {
        geom::setHeight(m_ui.Picture9, *place.viewHeight);
        geom::setHeight(m_ui.VScroll2, *place.viewHeight);
        // A board that fitted before may not fit any more; without the bar its lower part
        // could not be reached.
        if (*place.viewHeight < geom::shownHeight(m_ui.Picture2))
            m_ui.VScroll2->show();
        setViewScrolling(true);
        m_ui.VScroll2->setValue(0);
    }
    if (mayShortenView)
        geom::setTop(m_ui.HScroll1, place.hScrollTop);
    geom::setTop(m_ui.Frame1, place.panelTop);
}

void BoardForm::Timer1_Timer()
{
    GameState &s = state();
    const ElapsedTime elapsed = elapsedTick({s.ElapsedMin, s.ElapsedSec});
    s.ElapsedMin = elapsed.min;
    s.ElapsedSec = elapsed.sec;
    const bool limitReached = s.TimeIsUp == 1 && s.GameTimeLimit.isSet();
    m_ui.StatusBar1->setPanelText(2, limitReached
                                         ? limitReachedText(limitSeconds(s.GameTimeLimit.minutes()))
                                         : elapsedTimeText(elapsed));
}

void BoardForm::Timer2_Timer()
{
    GameState &s = state();
    const CountdownStep step =
        countdownTick({s.RemainingTotalSec, s.RemainingMin, s.RemainingSec});
    geom::setWidth(m_ui.Label4, shrunkBarWidth(geom::width(m_ui.Label4), s.TimeBarStep,
                                               geom::width(m_ui.Label3)));
    m_ui.Label1->setText(
        remainingTimeText(limitText(s.GameTimeLimit), step.shownMin, step.shownSec));
    s.RemainingTotalSec = step.after.totalSec;
    s.RemainingMin = step.after.min;
    s.RemainingSec = step.after.sec;
    if (step.timeUp)
        TimeRanOut();
}

void BoardForm::TimeRanOut()
{
    GameState &s = state();
    s.TimeIsUp = 1;
    m_ui.Timer1->stop();
    m_ui.Timer2->stop();
    geom::setWidth(m_ui.Label4, 0);
    const QString message = tr(kTimeIsUp);
    m_ui.StatusBar1->setPanelText(4, message);
    // Whatever question was open is over: OK now only takes the notice away, it can no longer
    // answer a save question asked before the time ran out.
    AskQuestion(0, message, NoParts);
    m_ui.mnuSave->setEnabled(false);
    s.InPlay = 0;
}

void BoardForm::SetGameTime_Click()
{
    geom::setWidth(m_ui.Combo1, geom::twips(kLimitBoxWidthTwips));
    preferDigits(m_ui.Combo1);
    m_ui.mnuStart->setEnabled(false);
    AskQuestion(3, tr(kChooseLimit), InputBox | UnitLabel | NoButton);
    m_ui.mnuCancelGameTime->setEnabled(true);
}

void BoardForm::CancelGameTime_Click()
{
    state().GameTimeLimit = TimeLimit();
    m_ui.Frame1->hide();
    m_ui.mnuCancelGameTime->setEnabled(false);
    SlideOutPanel();
    m_ui.mnuStart->setEnabled(true);
}

void BoardForm::TimeLimitChoice()
{
    const QString text = m_ui.Combo1->currentText();
    if (num::readNumeric(text))
        m_ui.Label5->setCaption(tr("ゲーム時間を %1 分に設定します。").arg(text.trimmed()));
}

void BoardForm::TimeLimitOk()
{
    GameState &s = state();
    const QString text = m_ui.Combo1->currentText().trimmed();
    const std::optional<double> minutes = typedLimitMinutes(text);
    if (!minutes) {
        m_ui.Combo1->setCurrentText(QString());
        m_game.PlayClickSound();
        m_ui.Label5->setCaption(tr(limitTooLong(text) ? kLimitTooLong : kNoLimitChosen));
        return;
    }
    // Kept as typed: 0 is no limit, and a limit that is not a whole number of seconds above 0
    // never runs out.
    s.GameTimeLimit = TimeLimit::fromTyped(text, *minutes);
    m_ui.Label1->setText(limitCaption(text));
    geom::setWidth(m_ui.Label4, geom::width(m_ui.Label3));
    m_ui.mnuStart->setEnabled(true);
    s.PanelMode = 0;
    SlideOutPanel();
    PlaceTimePanel(true);
    m_ui.Frame1->show();
    StopMusic();
}

void BoardForm::TimeLimitNo()
{
    CancelGameTime_Click();
}

} // namespace jigsaw
