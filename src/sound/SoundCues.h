#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <functional>

struct Mix_Chunk;

namespace jigsaw {

class AudioOutput;

// Plays the game's three wave cues from the program folder. Each call returns only when its
// sound has finished: the game paces Start and completion on that and blocks the interface
// on purpose. A cue whose file is missing or unreadable plays a short beep instead.
class SoundCues
{
public:
    enum class Cue { Notice, Click, Complete };

    SoundCues(AudioOutput &output, const QString &appDir);
    ~SoundCues();

    SoundCues(const SoundCues &) = delete;
    SoundCues &operator=(const SoundCues &) = delete;

    void PlayNoticeSound();   // gazou.wav
    void PlayClickSound();    // click.wav
    void PlayCompleteSound(); // kansei.wav

    // The cues played so far, in order, whether from their file or as the beep.
    int playedCount(Cue cue) const;
    QList<Cue> playedCues() const { return m_played; }
    // How many of them had to fall back to the beep.
    int defaultSoundCount() const { return m_defaultSoundCount; }
    void clearPlayedLog();

    static QString fileName(Cue cue);

    // Work done every few milliseconds while a cue plays: only what changes nothing in the game
    // (a picture being decoded filling in on the screen), since nothing else may run then.
    void setWhilePlaying(std::function<void()> work) { m_whilePlaying = std::move(work); }

private:
    void play(Cue cue);
    Mix_Chunk *loadFile(const QString &path);
    Mix_Chunk *defaultBeep();
    void playToEnd(Mix_Chunk *chunk);
    void freeChunks();

    AudioOutput &m_output;
    QString m_appDir;
    // Only files that loaded are kept, so a cue file put in place later is still found.
    QHash<QString, Mix_Chunk *> m_loaded;
    Mix_Chunk *m_beep = nullptr;
    int m_chunkGeneration = 0;
    std::function<void()> m_whilePlaying;
    QList<Cue> m_played;
    int m_defaultSoundCount = 0;
};

} // namespace jigsaw
