#pragma once

#include "AudioOutput.h"
#include "MusicDevice.h"
#include "SoundCues.h"

#include <QString>

#include <thread>

namespace jigsaw {

// The game's sound, made once per run with the program folder: one output, opened on first
// use, shared by the wave cues and the background music, and closed when the run ends.
class Sound
{
public:
    explicit Sound(const QString &appDir);

    Sound(const Sound &) = delete;
    Sound &operator=(const Sound &) = delete;

    SoundCues &cues() { return m_cues; }
    MusicDevice &music() { return m_music; }
    const AudioOutput &output() const { return m_output; }

    // Loads the sound libraries on a thread of their own, once the game has started, so that
    // the first cue need not wait for them.
    void loadLibrariesSoon();

private:
    std::jthread m_loader;
    // Declared first so that it is closed last, after the cues and music have let go.
    AudioOutput m_output;
    SoundCues m_cues;
    MusicDevice m_music;
};

} // namespace jigsaw
