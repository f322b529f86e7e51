#pragma once

#include "records/SavedGameFile.h"

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

// One second more: at 60 seconds the minute turns over. The clock stops at kClockMinutes
// minutes and 59 seconds.
ElapsedTime elapsedTick(ElapsedTime time);

// Status panel 2: "経過時間 MM:SS", each part at least two digits (100 minutes stay "100").
QString elapsedTimeText(ElapsedTime time);

// The limit shown as the elapsed time once it has run out: "経過時間 " and the limit's minutes
// and seconds.
QString limitReachedText(double limitSeconds);

// The minutes of a limit typed or picked in the question panel: any numeric text (as
// num::readNumeric judges it) of at most kLongestMinutes either way. 0 is no limit.
std::optional<double> typedLimitMinutes(const QString &text);
// Whether the text is numeric but more than kLongestMinutes either way.
bool limitTooLong(const QString &text);

// The seconds a limit of these minutes counts down from: minutes * 60, and exactly a whole
// number when the minutes are a whole number of seconds ("1.1" is 66 seconds, although 1.1 * 60
// is not 66 in binary). A limit whose seconds are not a positive whole number ("-5", "0.01")
// never reaches exactly 0 and so never runs out.
double limitSeconds(double minutes);

// The remaining time of a limit: the total that runs out when it reaches exactly 0, and the
// whole minutes and seconds the time panel shows. The seconds count 60 down to 1 and then turn
// the minute over, so they read 60, not 0, just after a minute has passed.
struct Countdown
{
    double totalSec = 0;
    double min = 0;
    double sec = 60;
};

// The countdown from a total: the minutes and seconds of the total rounded up to a whole
// second, the seconds from 1 to 60. For whole minutes L it is L - 1 minutes and 60 seconds, so
// that the first second shows (L - 1):59.
Countdown countdownStart(double totalSec);

// One second of the countdown: the values the time panel shows for this second (before the
// minute turns over), the countdown after it, and whether the time has run out now. The
// counters stop at kClockMinutes below 0.
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

// The time bar. Its labels lie in the time panel, which measures what it holds in twips: the
// step the bar shrinks by each second is in twips, as saved games hold it, while the controls
// and these widths are in pixels.
//
// The step of a limit: the full bar over the limit's seconds.
float barStepFor(float fullWidth, double limitSeconds);
// The bar one second later: shorter by the step, never below 0 nor past the full bar.
float shrunkBarWidth(float width, float step, float fullWidth);
// The bar of a resumed game: the step times the seconds left, within the full bar.
float restoredBarWidth(float step, double remainingTotalSec, float fullWidth);
// A saved step in twips. A game saved in pixels, as this game once saved it, is told by the
// width its step spans over the limit's seconds: the bar's width in pixels, a fifteenth of
// what a step in twips spans.
float restoredBarStep(float savedStep, double limitSeconds, float fullWidth);

// The clocks of a resumed game as they run on: the elapsed time in whole seconds (0..59) and
// minutes, never below 0; the countdown from the total left (which alone decides when the time
// runs out, and is kept as saved); the bar's step in twips.
struct ResumedClock
{
    ElapsedTime elapsed;
    Countdown countdown;
    float barStep = 0;
};
ResumedClock resumedClock(const savedgame::Settings &saved, float fullBarWidth);

// What placing the time panel below the board view reads, in pixels.
struct TimePanelInput
{
    float clientHeight = 0; // the form's inner height, status bar included
    float statusBarHeight = 0;
    float hScrollHeight = 0;
    bool hScrollShown = false;
    float viewTop = 0;
    float viewHeight = 0;
    float panelHeight = 0;
    bool mayShortenView = true; // false: the panel goes below the view as it stands
};

// Where the time panel goes: the board view is shortened when the panel and 5 pixels do not
// fit below it (the vertical scroll bar then follows the view); the
// horizontal scroll bar stays just below the view and the panel 5 pixels below that bar, or
// below the view when the bar is hidden.
struct TimePanelPlace
{
    std::optional<float> viewHeight;  // the shortened view, when it had to be shortened
    float hScrollTop = 0;
    float panelTop = 0;
};
TimePanelPlace placeTimePanel(const TimePanelInput &in);

} // namespace jigsaw
