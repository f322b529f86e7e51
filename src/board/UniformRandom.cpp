#include "board/UniformRandom.h"

#include <chrono>

namespace jigsaw {

UniformRandom::UniformRandom()
{
    reseedFromClock();
}

void UniformRandom::reseedFromClock()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch();
    m_engine.seed(static_cast<std::uint64_t>(std::chrono::nanoseconds(now).count()));
}

double UniformRandom::next()
{
    if (m_fixed)
        return m_fixed();
    // The top 53 bits make a double that is always below 1.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

} // namespace jigsaw
