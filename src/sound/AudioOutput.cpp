#include "AudioOutput.h"

#include "SoundLibrary.h"

#include <algorithm>
#include <utility>

namespace jigsaw {

namespace {

constexpr int kFrequency = MIX_DEFAULT_FREQUENCY;
constexpr int kChannels = 2;
// About 23 ms at 44.1 kHz: short enough that a cue starts promptly after its call.
constexpr int kBufferFrames = 1024;
// Long enough for the device's last buffers to be heard, and for the next of a few cues in a
// row to find the output still open.
constexpr int kCloseDelayMs = 500;

} // namespace

AudioOutput::AudioOutput()
{
    m_closeTimer.setSingleShot(true);
    m_closeTimer.setInterval(kCloseDelayMs);
    QObject::connect(&m_closeTimer, &QTimer::timeout, [this] {
        if (m_holders == 0)
            close(true);
    });
}

AudioOutput::~AudioOutput()
{
    close(false);
    settle();
}

void AudioOutput::settle()
{
    if (m_closing.joinable())
        m_closing.join();
}

void AudioOutput::letGo()
{
    m_holders = std::max(0, m_holders - 1);
    if (m_holders == 0 && m_open)
        m_closeTimer.start();
}

bool AudioOutput::hold()
{
    m_closeTimer.stop();
    settle();
    if (m_open) {
        ++m_holders;
        return true;
    }
    if (m_failed || !sound::library()) {
        m_failed = true;
        return false;
    }
    // Qt owns the process's signals; SDL's events subsystem, which audio brings along, would
    // otherwise take over Ctrl+C.
    sound::loaded().SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    m_open = openWithCurrentDriver() || openWithSilentDriver();
    m_failed = !m_open;
    if (m_open) {
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        sound::loaded().Mix_QuerySpec(&frequency, &format, &channels);
        m_bytesPerSecond = frequency * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8);
        m_driverName = QString::fromUtf8(sound::loaded().SDL_GetCurrentAudioDriver());
        const int outputFormat = (frequency << 12) ^ (channels << 8) ^ int(format & 0xff);
        if (std::exchange(m_lastFormat, outputFormat) != outputFormat)
            ++m_formatGeneration;
        ++m_holders;
    }
    return m_open;
}

bool AudioOutput::openWithCurrentDriver()
{
    const sound::Library &sdl = sound::loaded();
    if (sdl.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (sdl.Mix_OpenAudio(kFrequency, AUDIO_S16SYS, kChannels, kBufferFrames) == 0)
        return true;
    sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
}

bool AudioOutput::openWithSilentDriver()
{
    // The override beats an SDL_AUDIODRIVER naming a driver that does not work here; it is
    // dropped again at once so that a later output tries the real device first.
    const sound::Library &sdl = sound::loaded();
    sdl.SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    const bool opened = openWithCurrentDriver();
    sdl.SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return opened;
}

void AudioOutput::close(bool inBackground)
{
    m_closeTimer.stop();
    m_holders = 0;
    if (!m_open)
        return;
    const auto closeDevice = [] {
        const sound::Library &sdl = sound::loaded();
        sdl.Mix_CloseAudio();
        sdl.SDL_QuitSubSystem(SDL_INIT_AUDIO);
    };
    settle();
    if (inBackground)
        m_closing = std::thread(closeDevice);
    else
        closeDevice();
    m_open = false;
    m_driverName.clear();
    m_bytesPerSecond = 0;
}

} // namespace jigsaw
