// The number-line reader and the number rules that work on what it read: a number the game
// writes must read back, and no conversion may leave its range.

#include "FuzzSupport.h"

#include "board/ClockRules.h"
#include "platform/Numbers.h"

#include <cmath>
#include <limits>

using namespace jigsaw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    for (const QString &line : {QString::fromLatin1(bytes), QString::fromUtf8(bytes)}) {
        if (const std::optional<double> minutes = typedLimitMinutes(line)) {
            FUZZ_CHECK(!limitTooLong(line) && num::readNumeric(line) == minutes);
            const double seconds = limitSeconds(*minutes);
            countdownTick(countdownStart(seconds));
            limitReachedText(seconds);
            shrunkBarWidth(225, barStepFor(225, seconds), 225);
        }
        const std::optional<double> numeric = num::readNumeric(line);
        FUZZ_CHECK(!numeric || std::isfinite(*numeric));
        const std::optional<double> value = num::readNumber(line);
        if (!value)
            continue;
        FUZZ_CHECK(std::isfinite(*value));
        // What the game writes, saved games hold and the player types, read alike.
        FUZZ_CHECK(numeric == value);
        num::toInt16(*value);
        num::toInt16Clamped(*value);
        num::intDown(*value);
        FUZZ_CHECK(num::readNumber(num::numberLine(num::roundHalfEven(*value))).has_value()
                   || std::fabs(*value) > 1e300);
        if (std::fabs(*value) <= std::numeric_limits<float>::max()) {
            const float single = num::toSingle(*value);
            FUZZ_CHECK(num::readNumber(num::singleLine(single)).has_value());
        }
        if (std::fabs(*value) < 1e15)
            num::format00(static_cast<long long>(*value));
    }
    return 0;
}
