#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace jigsaw {

// The elapsed time of a game: whole minutes (not bounded) and seconds 0..59.
struct ElapsedTime
{
    double min = 0;
    double sec = 0;
};

// One second more: at 60 seconds the minute turns over.
ElapsedTime elapsedTick(ElapsedTime time);

// Status panel 2: "経過時間 MM:SS", each part at least two digits (100 minutes stay "100").
QString elapsedTimeText(ElapsedTime time);

// The limit shown as the elapsed time once it has run out: "経過時間 " and the limit's minutes
// and seconds.
QString limitReachedText(double limitSeconds);

// The seconds of a limit typed or picked in the question panel, or none when the text is not
// a limit the clock can count down: a number of minutes, at most kLongestMinutes, whose
// seconds are a whole number greater than 0 ("1.5" is 90 seconds; "0.01" would be 0.6 seconds
// and is refused).
std::optional<double> limitSeconds(const QString &text);
// Whether the text is a number of minutes beyond kLongestMinutes.
bool limitTooLong(const QString &text);

// The remaining time of a limit: the total that runs out at 0, and the minutes and seconds the
// time panel shows. The seconds count 60 down to 1 and then turn the minute over, so they read
// 60, not 0, just after a minute has passed.
struct Countdown
{
    double totalSec = 0;
    double min = 0;
    double sec = 60;
};

// The countdown of a limit of whole seconds: for whole minutes L it is L - 1 minutes and 60
// seconds, so that the first second shows (L - 1):59.
Countdown countdownStart(double limitSeconds);

// One second of the countdown: the values the time panel shows for this second (before the
// minute turns over), the countdown after it, and whether the time has run out now.
struct CountdownStep
{
    double shownMin = 0;
    double shownSec = 0;
    Countdown after;
    bool timeUp = false;
};
CountdownStep countdownTick(const Countdown &countdown);

// The time panel's text: "ゲーム時間 " + limit + "分" alone, and with the remaining time
// "ゲーム時間 " + limit + "分　　残り時間 MM:SS".
QString limitCaption(const QString &limit);
QString remainingTimeText(const QString &limit, double min, double sec);

// The time bar one second later: shorter by the step, never below 0.
float shrunkBarWidth(float width, float step);

// What placing the time panel below the board view reads, in pixels.
struct TimePanelInput
{
    float clientHeight = 0; // the form's inner height, status bar included
    float statusBarHeight = 0;
    float hScrollHeight = 0;
    bool hScrollShown = false;
    float viewTop = 0;
    float viewHeight = 0;
    float boardHeight = 0;
    float panelHeight = 0;
    bool mayShortenView = true; // false: the panel goes below the view as it stands
};

// Where the time panel goes: the board view is shortened when the panel and 5 pixels do not
// fit below it (the vertical scroll bar then follows the view, scrolled to the top); the
// horizontal scroll bar stays just below the view and the panel 5 pixels below that bar, or
// below the view when the bar is hidden.
struct TimePanelPlace
{
    std::optional<float> viewHeight;  // the shortened view, when it had to be shortened
    std::int16_t vScrollMax = 0;      // meaningful only with a shortened view
    float hScrollTop = 0;
    float panelTop = 0;
};
TimePanelPlace placeTimePanel(const TimePanelInput &in);

} // namespace jigsaw
