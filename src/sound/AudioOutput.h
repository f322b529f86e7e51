#pragma once

#include <QString>

namespace jigsaw {

// Opens the sound output on first use and closes it with its owner. On a machine without a
// usable sound device it plays into SDL's silent driver, which still runs in real time, so
// the game keeps the same pace in silence.
class AudioOutput
{
public:
    AudioOutput();
    ~AudioOutput();

    AudioOutput(const AudioOutput &) = delete;
    AudioOutput &operator=(const AudioOutput &) = delete;

    // Opens the output unless it is open already. False only when not even the silent driver
    // opens; that is remembered, so a broken output costs the game one attempt, not one per cue.
    bool ensureOpen();
    bool isOpen() const { return m_open; }

    // The driver the sound goes to ("pulseaudio", "alsa", "dummy", "disk"); empty while closed.
    QString driverName() const { return m_driverName; }

    // Bytes of mixed sound the output consumes per second: turns a decoded sound's size into
    // its length.
    int bytesPerSecond() const { return m_bytesPerSecond; }

private:
    bool openWithCurrentDriver();
    bool openWithSilentDriver();
    void close();

    bool m_open = false;
    bool m_failed = false;
    QString m_driverName;
    int m_bytesPerSecond = 0;
};

} // namespace jigsaw
