#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace jigsaw {

// The set-up's random numbers: uniform in [0, 1), reseeded from the clock before each use.
// A fixed source can be put in its place, which then ignores the reseeding, so that a test
// can predict every draw.
class UniformRandom
{
public:
    UniformRandom();

    void reseedFromClock();
    double next();

    // Replaces the clock-seeded generator; an empty function restores it.
    void setSource(std::function<double()> source) { m_fixed = std::move(source); }

private:
    std::mt19937_64 m_engine;
    std::function<double()> m_fixed;
};

} // namespace jigsaw
