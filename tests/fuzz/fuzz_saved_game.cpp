// The saved-game reader, and what the game computes from a game it accepted: the clocks as GO
// restores them and a minute of their ticks, the record's time, and the file written when the
// game is saved again.

#include "FuzzSupport.h"

#include "board/ClockRules.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "records/Ranking.h"
#include "records/SavedGameFile.h"

#include <cmath>

using namespace jigsaw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringList lines;
    for (const QByteArray &line : text::splitLines(fuzz::bytesOf(data, size)))
        lines.append(text::decodeShiftJis(line));
    const std::optional<SavedGame> game = savedgame::parse(lines);
    if (!game)
        return 0;
    const std::optional<savedgame::Settings> settings = savedgame::settingsOf(game->values);
    FUZZ_CHECK(settings.has_value()); // GO accepts every game the list accepted
    FUZZ_CHECK(game->pieceCount() == settings->pieceCount);

    // Resumed and played for a minute and a bit, as the timers' slots run.
    const float fullBar = 225;
    const ResumedClock clock = resumedClock(*settings, fullBar);
    ElapsedTime elapsed = clock.elapsed;
    Countdown countdown = clock.countdown;
    float bar = restoredBarWidth(clock.barStep, countdown.totalSec, fullBar);
    for (int i = 0; i < 61; ++i) {
        elapsed = elapsedTick(elapsed);
        elapsedTimeText(elapsed);
        FUZZ_CHECK(elapsed.sec >= 0 && elapsed.sec < 60 && elapsed.sec == std::floor(elapsed.sec));
        const CountdownStep step = countdownTick(countdown);
        remainingTimeText(num::numberText(settings->gameTimeLimit), step.shownMin,
                          step.shownSec);
        countdown = step.after;
        bar = shrunkBarWidth(bar, clock.barStep, fullBar);
        FUZZ_CHECK(bar >= 0 && bar <= fullBar);
    }
    limitReachedText(limitSeconds(settings->gameTimeLimit));
    const auto seconds = std::llround(elapsed.min * 60 + elapsed.sec);
    FUZZ_CHECK(seconds >= 0);
    ranking::clockText(seconds);

    // Saved again, the game reads back with every piece where it was.
    GameToSave again{game->values[savedgame::PicturePath],
                     num::numberLine(settings->gameTimeLimit),
                     settings->placementSound,
                     elapsed.sec,
                     elapsed.min,
                     countdown.totalSec,
                     clock.barStep,
                     countdown.sec,
                     countdown.min,
                     settings->pieceCount,
                     settings->gridSide,
                     {},
                     {}};
    for (int i = 0; i < game->pieceCount(); ++i) {
        again.left.push_back(game->left[static_cast<std::size_t>(i)]);
        again.top.push_back(game->top[static_cast<std::size_t>(i)]);
    }
    const std::optional<SavedGame> back = savedgame::parse(savedgame::lines(again));
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(back->left == game->left && back->top == game->top);
    return 0;
}
