#include "board/ClockRules.h"
#include "board/QuestionPanel.h"

#include <gtest/gtest.h>

using namespace jigsaw;

TEST(ClockRules, OnlyLimitsOfWholePositiveSecondsAreAccepted)
{
    EXPECT_EQ(limitSeconds(QStringLiteral("1")), 60);
    EXPECT_EQ(limitSeconds(QStringLiteral("90")), 5400);
    EXPECT_EQ(limitSeconds(QStringLiteral(" 45 ")), 2700);
    EXPECT_EQ(limitSeconds(QStringLiteral("1.5")), 90);
    // 1.1 * 60 is not exactly 66 in binary, but 1.1 minutes are 66 seconds.
    EXPECT_EQ(limitSeconds(QStringLiteral("1.1")), 66);
    for (const char *refused : {"", "0", "-5", "0.01", "0.0166666666667", "abc", "5分", "１０"})
        EXPECT_FALSE(limitSeconds(QString::fromUtf8(refused))) << refused;
}

TEST(ClockRules, CountdownShowsEachSecondAndRunsOutOnTheLast)
{
    // Five minutes: 04:59 after the first second, 04:00 after the 60th, 03:59 after the 61st.
    Countdown countdown = countdownStart(300);
    EXPECT_EQ(countdown.min, 4);
    EXPECT_EQ(countdown.sec, 60);
    QStringList shown;
    bool ranOut = false;
    int seconds = 0;
    while (!ranOut) {
        const CountdownStep step = countdownTick(countdown);
        shown << remainingTimeText(QStringLiteral("5"), step.shownMin, step.shownSec);
        countdown = step.after;
        ranOut = step.timeUp;
        ++seconds;
    }
    EXPECT_EQ(seconds, 300);
    EXPECT_EQ(shown[0], QStringLiteral("ゲーム時間 5分　　残り時間 04:59"));
    EXPECT_EQ(shown[59], QStringLiteral("ゲーム時間 5分　　残り時間 04:00"));
    EXPECT_EQ(shown[60], QStringLiteral("ゲーム時間 5分　　残り時間 03:59"));
    EXPECT_EQ(shown.last(), QStringLiteral("ゲーム時間 5分　　残り時間 00:00"));

    // A limit of a minute and a half starts at 01:30.
    const CountdownStep first = countdownTick(countdownStart(90));
    EXPECT_EQ(first.shownMin, 1);
    EXPECT_EQ(first.shownSec, 29);

    EXPECT_EQ(shrunkBarWidth(10.0f, 0.75f), 9.25f);
    EXPECT_EQ(shrunkBarWidth(0.5f, 0.75f), 0.0f);
}

TEST(ClockRules, PanelSlidesInStepsOfThirtyAndOutInStepsOfFifty)
{
    float left = -5110;
    int ticks = 0;
    while (const std::optional<float> next = slideInStep(left)) {
        left = *next;
        ++ticks;
    }
    EXPECT_EQ(ticks, 170);
    EXPECT_EQ(left, -10);

    ticks = 0;
    while (const std::optional<float> next = slideOutStep(left, 5100)) {
        left = *next;
        ++ticks;
    }
    EXPECT_EQ(left, -5160);
    EXPECT_EQ(ticks, 103);
}
