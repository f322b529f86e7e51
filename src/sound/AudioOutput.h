#pragma once

#include <QString>
#include <QTimer>

#include <thread>

namespace jigsaw {

// The sound output, open only while something may sound: a cue or the music holds it, and
// once nothing does it closes, so that a silent game keeps no thread awake. On a machine
// without a usable sound device it plays into SDL's silent driver, which still runs in real
// time, so the game keeps the same pace in silence.
class AudioOutput
{
public:
    AudioOutput();
    ~AudioOutput();

    AudioOutput(const AudioOutput &) = delete;
    AudioOutput &operator=(const AudioOutput &) = delete;

    // One more user: opens the output unless it is open already. False only when not even
    // the silent driver opens (and then nothing is held); that is remembered, so a broken
    // output costs the game one attempt, not one per cue.
    bool hold();
    // Waits until an output closing in the background is closed, before any other use of
    // the sound library.
    void settle();
    // A user is done. Once no one holds the output it closes, a moment later: its last
    // buffer is still to be heard, and a cue that follows at once finds it open.
    void letGo();
    bool isOpen() const { return m_open; }
    // Changes whenever the output opens in another format than before: sounds made ready for
    // the old one must be made again.
    int formatGeneration() const { return m_formatGeneration; }

    // The driver the sound goes to ("pulseaudio", "alsa", "dummy", "disk"); empty while closed.
    QString driverName() const { return m_driverName; }

    // Bytes of mixed sound the output consumes per second: turns a decoded sound's size into
    // its length.
    int bytesPerSecond() const { return m_bytesPerSecond; }

private:
    bool openWithCurrentDriver();
    bool openWithSilentDriver();
    // Closes the output; in the background when asked, since the device's thread is waited
    // for (a buffer or two) and the game must not wait with it.
    void close(bool inBackground);

    bool m_open = false;
    bool m_failed = false;
    int m_holders = 0;
    QTimer m_closeTimer;
    std::thread m_closing;
    int m_formatGeneration = 0;
    int m_lastFormat = 0;
    QString m_driverName;
    int m_bytesPerSecond = 0;
};

} // namespace jigsaw
