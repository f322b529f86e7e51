#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

// Helpers shared by the benchmarks: timing by medians and test pictures made on the spot, so a
// benchmark measures a baseline and our code in the same run on the same input.
namespace jigsaw::bench {

// Runs the game's forms off screen and its sound on SDL's silent driver, unless the caller
// chose otherwise; call before the application object is made.
void useHeadlessDefaults();

// Wall time of one call, in milliseconds.
template <typename Work>
double timeMs(Work &&work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values);

// Median times of a baseline and of a candidate, run alternately `repetitions` times after
// one untimed warm-up of each, so that a busy machine slows both alike.
template <typename Baseline, typename Candidate>
std::pair<double, double> compareMedians(int repetitions, Baseline &&baseline,
                                         Candidate &&candidate)
{
    baseline();
    candidate();
    std::vector<double> baselineTimes;
    std::vector<double> candidateTimes;
    for (int i = 0; i < repetitions; ++i) {
        baselineTimes.push_back(timeMs(baseline));
        candidateTimes.push_back(timeMs(candidate));
    }
    return {median(std::move(baselineTimes)), median(std::move(candidateTimes))};
}

// A photo-like JPEG: smooth gradients with grain, 4:2:0 chroma as cameras write it. The seed
// makes each picture different.
QByteArray makePhotoJpeg(int width, int height, int quality, unsigned seed);

// The baseline of the picture benchmarks: libjpeg-turbo alone reads the file and decodes it at
// a scale of num/denom into a fresh buffer.
void turboDecode(const QString &path, int num = 1, int denom = 1);

// Writes bytes to a file; false when it cannot.
bool writeFile(const QString &path, const QByteArray &bytes);

// Prints "name: ratio (target <= target)" and the two medians behind it.
void printRatio(const char *name, std::pair<double, double> baselineAndCandidateMs,
                double target);

} // namespace jigsaw::bench
