#include "SoundCues.h"

#include "AudioOutput.h"
#include "DefaultBeep.h"
#include "SoundLibrary.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <thread>
#include <utility>

namespace jigsaw {

namespace {

// How long a cue may run past its own length before it is cut: covers the output's buffer
// and a busy machine, but never lets a stuck output hang the game.
constexpr qint64 kOverrunMs = 300;
constexpr int kPollMs = 5;

} // namespace

SoundCues::SoundCues(AudioOutput &output, const QString &appDir)
    : m_output(output)
    , m_appDir(appDir)
{
}

SoundCues::~SoundCues()
{
    m_output.settle();
    freeChunks();
}

void SoundCues::PlayNoticeSound()
{
    play(Cue::Notice);
}

void SoundCues::PlayClickSound()
{
    play(Cue::Click);
}

void SoundCues::PlayCompleteSound()
{
    play(Cue::Complete);
}

int SoundCues::playedCount(Cue cue) const
{
    return static_cast<int>(m_played.count(cue));
}

void SoundCues::clearPlayedLog()
{
    m_played.clear();
    m_defaultSoundCount = 0;
}

QString SoundCues::fileName(Cue cue)
{
    switch (cue) {
    case Cue::Notice:
        return QStringLiteral("gazou.wav");
    case Cue::Click:
        return QStringLiteral("click.wav");
    case Cue::Complete:
        return QStringLiteral("kansei.wav");
    }
    return {};
}

void SoundCues::play(Cue cue)
{
    m_played.append(cue);
    if (!m_output.hold())
        return;
    // Sounds are kept in the output's format; an output reopened in another needs them anew.
    if (m_output.formatGeneration() != m_chunkGeneration) {
        freeChunks();
        m_chunkGeneration = m_output.formatGeneration();
    }
    Mix_Chunk *chunk = loadFile(QDir(m_appDir).filePath(fileName(cue)));
    if (!chunk) {
        ++m_defaultSoundCount;
        chunk = defaultBeep();
    }
    if (chunk)
        playToEnd(chunk);
    m_output.letGo();
}

void SoundCues::freeChunks()
{
    for (Mix_Chunk *chunk : std::as_const(m_loaded))
        sound::loaded().Mix_FreeChunk(chunk);
    m_loaded.clear();
    if (m_beep)
        sound::loaded().Mix_FreeChunk(std::exchange(m_beep, nullptr));
}

Mix_Chunk *SoundCues::loadFile(const QString &path)
{
    if (Mix_Chunk *cached = m_loaded.value(path))
        return cached;
    const sound::Library &sdl = sound::loaded();
    Mix_Chunk *chunk =
        sdl.Mix_LoadWAV_RW(sdl.SDL_RWFromFile(QFile::encodeName(path).constData(), "rb"), 1);
    if (chunk)
        m_loaded.insert(path, chunk);
    return chunk;
}

Mix_Chunk *SoundCues::defaultBeep()
{
    if (!m_beep) {
        const QByteArray wave = defaultBeepWave();
        const sound::Library &sdl = sound::loaded();
        m_beep = sdl.Mix_LoadWAV_RW(
            sdl.SDL_RWFromConstMem(wave.constData(), static_cast<int>(wave.size())), 1);
    }
    return m_beep;
}

void SoundCues::playToEnd(Mix_Chunk *chunk)
{
    // Measured on Qt's monotonic clock, the one the game's own timers run on.
    QElapsedTimer clock;
    clock.start();
    const int channel = sound::loaded().Mix_PlayChannel(-1, chunk, 0);
    if (channel < 0)
        return;
    // The mixer lets go of a sound up to one buffer before it is heard, so the sound's own
    // length is waited for as well; the silent driver keeps real time, so this is the same
    // pace with or without a sound device.
    const auto bytesPerSecond = qint64(m_output.bytesPerSecond());
    const qint64 lengthNs = (qint64(chunk->alen) * 1'000'000'000 + bytesPerSecond - 1) / bytesPerSecond;
    const qint64 deadlineNs = lengthNs + kOverrunMs * 1'000'000;
    for (;;) {
        const qint64 now = clock.nsecsElapsed();
        if (now >= deadlineNs)
            break;
        if (now >= lengthNs && !sound::loaded().Mix_Playing(channel))
            return;
        if (m_whilePlaying)
            m_whilePlaying();
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    sound::loaded().Mix_HaltChannel(channel);
}

} // namespace jigsaw
