#include "DefaultBeep.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace jigsaw {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kFrames = kSampleRate * 15 / 100;
constexpr int kFadeFrames = kSampleRate / 100;
constexpr double kPitch = 880.0;
constexpr double kAmplitude = 0.4 * 32767.0;

template<typename T>
void append(QByteArray &bytes, T value)
{
    char buffer[sizeof(T)];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, sizeof(T));
}

} // namespace

QByteArray defaultBeepWave()
{
    constexpr std::uint32_t dataBytes = kFrames * 2;
    QByteArray wave;
    wave.reserve(44 + static_cast<int>(dataBytes));
    wave.append("RIFF");
    append<std::uint32_t>(wave, 36 + dataBytes);
    wave.append("WAVEfmt ");
    append<std::uint32_t>(wave, 16);
    append<std::uint16_t>(wave, 1);              // PCM
    append<std::uint16_t>(wave, 1);              // mono
    append<std::uint32_t>(wave, kSampleRate);
    append<std::uint32_t>(wave, kSampleRate * 2); // bytes per second
    append<std::uint16_t>(wave, 2);              // bytes per frame
    append<std::uint16_t>(wave, 16);             // bits per sample
    wave.append("data");
    append<std::uint32_t>(wave, dataBytes);
    for (int i = 0; i < kFrames; ++i) {
        const int edge = std::min(i, kFrames - 1 - i);
        const double envelope = edge < kFadeFrames ? double(edge) / kFadeFrames : 1.0;
        const double phase = 2.0 * std::numbers::pi * kPitch * i / kSampleRate;
        append<std::int16_t>(wave, static_cast<std::int16_t>(std::lround(kAmplitude * envelope * std::sin(phase))));
    }
    return wave;
}

} // namespace jigsaw
