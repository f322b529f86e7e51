#pragma once

#include <QString>

namespace jigsaw {

// The longest limit a player may type, in minutes (almost two years).
inline constexpr double kLongestMinutes = 999999;

// The most minutes, either way, that any of the game's clocks holds: the elapsed time, the
// limit and the countdown of a saved game, and the clocks running on from them. Far beyond any
// game, and still every second of it counts exactly in a double and stays a time a record
// holds.
inline constexpr double kClockMinutes = 1e12;
inline constexpr double kClockSeconds = kClockMinutes * 60;

// The game-time limit in minutes. It is a number when it comes from a new game or a saved
// game, and the text the player typed or picked when it was set during this run; the saved
// game writes the two differently, so the distinction is kept.
class TimeLimit
{
public:
    TimeLimit() = default;
    static TimeLimit fromNumber(double minutes);
    static TimeLimit fromTyped(const QString &text, double minutes);

    bool isSet() const { return m_minutes != 0; } // the limit counts when it is not 0
    double minutes() const { return m_minutes; }
    bool isTyped() const { return m_typed; }
    const QString &typedText() const { return m_text; }

    // The value as a saved game's line holds it: " 45 " for a number, "45" for typed text.
    QString savedForm() const;

private:
    double m_minutes = 0;
    bool m_typed = false;
    QString m_text;
};

} // namespace jigsaw
