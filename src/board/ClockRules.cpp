#include "board/ClockRules.h"

#include "board/BoardView.h"
#include "platform/Numbers.h"
#include "state/TimeLimit.h"

#include <cmath>

#include <algorithm>

namespace jigsaw {

namespace {

// The "00" format of a counter held as a number. The clocks never leave kLongestMinutes; a
// value beyond it shows as the bound rather than overflowing the conversion.
QString twoDigits(double value)
{
    const double bound = kLongestMinutes * 60;
    const double shown = std::isnan(value) ? 0 : std::clamp(value, -bound, bound);
    return num::format00(static_cast<long long>(num::roundHalfEven(shown)));
}

} // namespace

ElapsedTime elapsedTick(ElapsedTime time)
{
    time.sec += 1;
    if (time.sec == 60) {
        time.min += 1;
        time.sec = 0;
    }
    return time;
}

QString elapsedTimeText(ElapsedTime time)
{
    return QStringLiteral("経過時間 ") + twoDigits(time.min) + QLatin1Char(':')
        + twoDigits(time.sec);
}

QString limitReachedText(double limitSeconds)
{
    const double seconds = num::roundHalfEven(limitSeconds);
    const double minutes = num::intDown(seconds / 60);
    return elapsedTimeText({minutes, seconds - minutes * 60});
}

std::optional<double> limitSeconds(const QString &text)
{
    const std::optional<double> minutes = num::readNumber(text);
    if (!minutes || *minutes > kLongestMinutes)
        return std::nullopt;
    const double seconds = num::roundHalfEven(*minutes * 60);
    // Division is exact to the last bit, so a text of minutes that is a whole number of seconds
    // reads as exactly seconds / 60; "1.1" minutes are 66 seconds although 1.1 * 60 is not 66
    // in binary, and "0.0166666666667" is not 1 second.
    if (seconds <= 0 || seconds / 60 != *minutes)
        return std::nullopt;
    return seconds;
}

bool limitTooLong(const QString &text)
{
    const std::optional<double> minutes = num::readNumber(text);
    return minutes && *minutes > kLongestMinutes;
}

Countdown countdownStart(double limitSeconds)
{
    Countdown countdown;
    countdown.totalSec = limitSeconds;
    const double minutes = num::intDown((limitSeconds - 1) / 60);
    countdown.min = minutes;
    countdown.sec = limitSeconds - minutes * 60;
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
    // A total that has somehow passed 0 (a saved game from elsewhere) ends the game as well
    // instead of counting on for ever.
    step.timeUp = next.totalSec <= 0;
    step.after = next;
    return step;
}

QString limitCaption(const QString &limit)
{
    return QStringLiteral("ゲーム時間 ") + limit + QStringLiteral("分");
}

QString remainingTimeText(const QString &limit, double min, double sec)
{
    return QStringLiteral("ゲーム時間 ") + limit + QStringLiteral("分　　残り時間 ")
        + twoDigits(min) + QLatin1Char(':') + twoDigits(sec);
}

float shrunkBarWidth(float width, float step)
{
    return std::max(0.0f, num::toSingle(static_cast<double>(width) - static_cast<double>(step)));
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
        place.vScrollMax = scrollMaxFor(in.boardHeight, viewHeight);
    }
    place.hScrollTop = num::toSingle(static_cast<double>(in.viewTop) + viewHeight);
    place.panelTop = num::toSingle(static_cast<double>(place.hScrollTop)
                                   + (in.hScrollShown ? hScroll : 0.0) + 5);
    return place;
}

} // namespace jigsaw
