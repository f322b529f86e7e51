#include "SoundTestSupport.h"

#include <QFile>
#include <QtEndian>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

namespace soundtest {

namespace {

constexpr int kCaptureRate = 44100;
// Well above rounding noise, well below the tones' peaks, so only the zero crossings of a
// sine are missed: a fraction of a percent of its frames.
constexpr int kAudibleLevel = 64;

void appendLe32(QByteArray &bytes, std::uint32_t value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

void appendLe16(QByteArray &bytes, std::uint16_t value)
{
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 2);
}

} // namespace

QByteArray toneWave(double seconds, double pitch, int sampleRate)
{
    const auto frames = static_cast<std::uint32_t>(std::lround(seconds * sampleRate));
    QByteArray wave("RIFF");
    appendLe32(wave, 36 + frames * 2);
    wave.append("WAVEfmt ");
    appendLe32(wave, 16);
    appendLe16(wave, 1);
    appendLe16(wave, 1);
    appendLe32(wave, static_cast<std::uint32_t>(sampleRate));
    appendLe32(wave, static_cast<std::uint32_t>(sampleRate * 2));
    appendLe16(wave, 2);
    appendLe16(wave, 16);
    wave.append("data");
    appendLe32(wave, frames * 2);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double value = 16000.0 * std::sin(2.0 * std::numbers::pi * pitch * i / sampleRate);
        appendLe16(wave, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value))));
    }
    return wave;
}

ScopedEnv::ScopedEnv(std::initializer_list<std::pair<const char *, QByteArray>> values)
{
    for (const auto &[name, value] : values) {
        m_saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv(name, value);
    }
}

ScopedEnv::~ScopedEnv()
{
    for (const Saved &saved : std::as_const(m_saved)) {
        if (saved.wasSet)
            qputenv(saved.name, saved.value);
        else
            qunsetenv(saved.name);
    }
}

DiskCapture::DiskCapture()
    : m_env({{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", QFile::encodeName(filePath())}})
{
}

void DiskCapture::read()
{
    QFile file(filePath());
    m_peak = 0;
    m_audibleFrames = 0;
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    const qsizetype frames = bytes.size() / 4;
    for (qsizetype i = 0; i < frames; ++i) {
        const int left = qFromUnaligned<std::int16_t>(bytes.constData() + 4 * i);
        const int right = qFromUnaligned<std::int16_t>(bytes.constData() + 4 * i + 2);
        const int level = std::max(std::abs(left), std::abs(right));
        m_peak = std::max(m_peak, level);
        if (level > kAudibleLevel)
            ++m_audibleFrames;
    }
}

double DiskCapture::audibleSeconds() const
{
    return double(m_audibleFrames) / kCaptureRate;
}

} // namespace soundtest
