#include "MusicDevice.h"

#include "AudioOutput.h"
#include "SoundLibrary.h"

#include <QFile>
#include <QFileInfo>

namespace jigsaw {

struct MusicDevice::Track
{
    Mix_Music *music = nullptr;
};

MusicDevice::MusicDevice(AudioOutput &output)
    : m_output(output)
{
}

MusicDevice::~MusicDevice()
{
    m_output.settle();
    for (Track *track : std::as_const(m_tracks)) {
        sound::loaded().Mix_FreeMusic(track->music);
        delete track;
        m_output.letGo();
    }
}

int MusicDevice::open(const QString &path, const QString &alias)
{
    m_commandLog.append(QStringLiteral("open ") + path + QStringLiteral(" type waveaudio alias ") + alias);
    if (m_tracks.contains(alias))
        return AliasInUse;
    if (!QFileInfo(path).isFile())
        return FileNotFound;
    // An open track holds the output until it is closed.
    if (!m_output.hold())
        return NoOutput;
    const sound::Library &sdl = sound::loaded();
    SDL_RWops *file = sdl.SDL_RWFromFile(QFile::encodeName(path).constData(), "rb");
    Mix_Music *music = file ? sdl.Mix_LoadMUSType_RW(file, MUS_WAV, 1) : nullptr;
    if (!music) {
        m_output.letGo();
        return file ? UnreadableFile : FileNotFound;
    }
    m_tracks.insert(alias, new Track{music});
    return Success;
}

int MusicDevice::play(const QString &alias)
{
    m_commandLog.append(QStringLiteral("play ") + alias);
    const Track *track = m_tracks.value(alias);
    if (!track)
        return UnknownAlias;
    if (isPlaying(alias))
        return Success;
    if (sound::loaded().Mix_PlayMusic(track->music, 0) != 0)
        return NoOutput;
    m_playingAlias = alias;
    return Success;
}

int MusicDevice::stop(const QString &alias)
{
    m_commandLog.append(QStringLiteral("stop ") + alias);
    if (!m_tracks.contains(alias))
        return UnknownAlias;
    if (m_playingAlias == alias) {
        sound::loaded().Mix_HaltMusic();
        m_playingAlias.clear();
    }
    return Success;
}

int MusicDevice::close(const QString &alias)
{
    m_commandLog.append(QStringLiteral("close ") + alias);
    Track *track = m_tracks.take(alias);
    if (!track)
        return UnknownAlias;
    if (m_playingAlias == alias)
        m_playingAlias.clear();
    sound::loaded().Mix_FreeMusic(track->music); // halts it first if it is the one sounding
    delete track;
    m_output.letGo();
    return Success;
}

bool MusicDevice::isPlaying(const QString &alias) const
{
    return !alias.isEmpty() && m_playingAlias == alias && sound::loaded().Mix_PlayingMusic() != 0;
}

} // namespace jigsaw
