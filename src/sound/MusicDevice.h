#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace jigsaw {

class AudioOutput;

// The background-music device: opens a wave file under an alias and plays, stops and closes
// it in the background, answering each command with a result as a media-control interface
// does. It keeps the text of every command sent, so the music cycle can be followed.
class MusicDevice
{
public:
    // Command results. The game ignores them: a missing music file simply means silence.
    enum Result : int {
        Success = 0,
        FileNotFound = 1,
        UnreadableFile = 2,
        UnknownAlias = 3,
        AliasInUse = 4,
        NoOutput = 5,
    };

    explicit MusicDevice(AudioOutput &output);
    ~MusicDevice();

    MusicDevice(const MusicDevice &) = delete;
    MusicDevice &operator=(const MusicDevice &) = delete;

    // "open <path> type waveaudio alias <alias>": loads the wave file, silent until played.
    int open(const QString &path, const QString &alias);
    // "play <alias>": starts the track from its beginning, once, and returns at once; a track
    // that is already playing goes on undisturbed. Only one track sounds at a time.
    int play(const QString &alias);
    // "stop <alias>": silences the track; it stays open.
    int stop(const QString &alias);
    // "close <alias>": stops the track and lets the file go.
    int close(const QString &alias);

    bool isOpen(const QString &alias) const { return m_tracks.contains(alias); }
    bool isPlaying(const QString &alias) const;

    QStringList commandLog() const { return m_commandLog; }
    void clearCommandLog() { m_commandLog.clear(); }

private:
    struct Track;

    AudioOutput &m_output;
    QHash<QString, Track *> m_tracks;
    QString m_playingAlias;
    QStringList m_commandLog;
};

} // namespace jigsaw
