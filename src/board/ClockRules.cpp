#include "board/ClockRules.h"

#include "platform/Numbers.h"
#include "state/TimeLimit.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace jigsaw {

namespace {

// The time panel measures its labels in twips, the controls are in pixels.
constexpr double kTwipsPerPixel = 15;

// The "00" format of a counter held as a number. The clocks never leave kClockMinutes; a
// value beyond it shows as the bound rather than overflowing the conversion.
QString twoDigits(double value)
{
    const double shown = std::isnan(value) ? 0 : std::clamp(value, -kClockSeconds, kClockSeconds);
    return num::format00(static_cast<long long>(num::roundHalfEven(shown)));
}

// A single-precision value that stays finite, whatever a division made of it.
float finiteSingle(double value)
{
    constexpr double most = std::numeric_limits<float>::max();
    return std::isnan(value) ? 0.0f : num::toSingle(std::clamp(value, -most, most));
}

} // namespace

ElapsedTime elapsedTick(ElapsedTime time)
{
    if (time.min >= kClockMinutes && time.sec >= 59)
        return time;
    time.sec += 1;
    if (time.sec == 60) {
        time.min += 1;
        time.sec = 0;
    }
    return time;
}

QString elapsedTimeText(ElapsedTime time)
{
    return QCoreApplication::translate("jigsaw::BoardForm", "経過時間 %1:%2")
        .arg(twoDigits(time.min), twoDigits(time.sec));
}

QString limitReachedText(double limitSeconds)
{
    const double seconds = num::roundHalfEven(limitSeconds);
    const double minutes = num::intDown(seconds / 60);
    return elapsedTimeText({minutes, seconds - minutes * 60});
}

std::optional<double> typedLimitMinutes(const QString &text)
{
    const std::optional<double> minutes = num::readNumeric(text);
    if (!minutes || std::fabs(*minutes) > kLongestMinutes)
        return std::nullopt;
    return minutes;
}

bool limitTooLong(const QString &text)
{
    const std::optional<double> minutes = num::readNumeric(text);
    return minutes && std::fabs(*minutes) > kLongestMinutes;
}

double limitSeconds(double minutes)
{
    const double seconds = minutes * 60;
    const double whole = num::roundHalfEven(seconds);
    // Division is exact to the last bit, so minutes that are a whole number of seconds read as
    // exactly that number over 60; "0.0166666666667" is not 1 second.
    return whole / 60 == minutes ? whole : seconds;
}

Countdown countdownStart(double totalSec)
{
    Countdown countdown;
    countdown.totalSec = totalSec;
    const double whole = std::ceil(totalSec);
    countdown.min = std::max(num::intDown((whole - 1) / 60), -kClockMinutes);
    countdown.sec = whole - countdown.min * 60;
    return countdown;
}

CountdownStep countdownTick(const Countdown &countdown)
{
    CountdownStep step;
    Countdown next = countdown;
    next.sec -= 1;
    next.totalSec -= 1;
    step.shownMin = next.min;
    step.shownSec = next.sec;
    if (next.sec == 0) {
        next.sec = 60;
        next.min -= 1;
    }
    // Only exactly 0 runs out: a total that was never a whole number of seconds, or that had
    // passed 0 already, counts on.
    step.timeUp = next.totalSec == 0;
    next.totalSec = std::max(next.totalSec, -kClockSeconds);
    next.min = std::max(next.min, -kClockMinutes);
    step.after = next;
    return step;
}

QString limitCaption(const QString &limit)
{
    return QCoreApplication::translate("jigsaw::BoardForm", "ゲーム時間 %1分").arg(limit);
}

QString remainingTimeText(const QString &limit, double min, double sec)
{
    return QCoreApplication::translate("jigsaw::BoardForm", "ゲーム時間 %1分　　残り時間 %2:%3")
        .arg(limit, twoDigits(min), twoDigits(sec));
}

float barStepFor(float fullWidth, double limitSeconds)
{
    if (limitSeconds == 0)
        return 0;
    return finiteSingle(static_cast<double>(fullWidth) * kTwipsPerPixel / limitSeconds);
}

float shrunkBarWidth(float width, float step, float fullWidth)
{
    const double shrunk = static_cast<double>(width) - static_cast<double>(step) / kTwipsPerPixel;
    return num::toSingle(std::clamp(shrunk, 0.0, static_cast<double>(fullWidth)));
}

float restoredBarWidth(float step, double remainingTotalSec, float fullWidth)
{
    const double width = static_cast<double>(step) * remainingTotalSec / kTwipsPerPixel;
    return num::toSingle(std::clamp(std::isnan(width) ? 0.0 : width, 0.0,
                                    static_cast<double>(fullWidth)));
}

float restoredBarStep(float savedStep, double limitSeconds, float fullWidth)
{
    const double spans = std::fabs(static_cast<double>(savedStep) * limitSeconds);
    // Between the two widths the geometric middle tells them apart.
    if (spans > 0 && spans < static_cast<double>(fullWidth) * std::sqrt(kTwipsPerPixel))
        return finiteSingle(static_cast<double>(savedStep) * kTwipsPerPixel);
    return savedStep;
}

ResumedClock resumedClock(const savedgame::Settings &saved, float fullBarWidth)
{
    ResumedClock clock;
    // A clock the game never kept (a fraction of a second, 75 seconds, a time below 0) runs on
    // from the whole seconds it stands for.
    const double elapsed = std::clamp(num::roundHalfEven(saved.elapsedMin * 60 + saved.elapsedSec),
                                      0.0, kClockSeconds + 59);
    clock.elapsed.min = num::intDown(elapsed / 60);
    clock.elapsed.sec = elapsed - clock.elapsed.min * 60;
    clock.countdown = countdownStart(saved.remainingTotalSec);
    clock.barStep = restoredBarStep(saved.timeBarStep, limitSeconds(saved.gameTimeLimit),
                                    fullBarWidth);
    return clock;
}

TimePanelPlace placeTimePanel(const TimePanelInput &in)
{
    TimePanelPlace place;
    const double client = in.clientHeight;
    const double statusBar = in.statusBarHeight;
    const double hScroll = in.hScrollHeight;
    const double panel = in.panelHeight;
    double viewHeight = in.viewHeight;
    const double free = client - (statusBar + hScroll + viewHeight);
    if (in.mayShortenView && panel + 5 > free) {
        viewHeight = num::toSingle(client - statusBar - hScroll - panel - 5);
        place.viewHeight = static_cast<float>(viewHeight);
    }
    place.hScrollTop = num::toSingle(static_cast<double>(in.viewTop) + viewHeight);
    place.panelTop = num::toSingle(static_cast<double>(place.hScrollTop)
                                   + (in.hScrollShown ? hScroll : 0.0) + 5);
    return place;
}

} // namespace jigsaw
