#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <utility>

namespace soundtest {

// A 16-bit mono PCM wave file of a sine tone, written by hand so that the tests depend
// neither on the bundled assets nor on the beep the sound layer makes itself.
QByteArray toneWave(double seconds, double pitch = 440.0, int sampleRate = 22050);

// Sets environment variables for the life of the object and puts the old values back after.
class ScopedEnv
{
public:
    ScopedEnv(std::initializer_list<std::pair<const char *, QByteArray>> values);
    ~ScopedEnv();

    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    struct Saved
    {
        const char *name;
        bool wasSet;
        QByteArray value;
    };
    QList<Saved> m_saved;
};

// Sends the sound output to SDL's disk driver while alive, then reads back what it wrote:
// native-endian 16-bit stereo frames at 44.1 kHz, the format the sound layer asks for.
class DiskCapture
{
public:
    DiskCapture();

    QString filePath() const { return m_dir.filePath(QStringLiteral("output.raw")); }

    // Call once the Sound that played into the file is gone, so that the file is complete.
    void read();
    int peak() const { return m_peak; }
    // Seconds of sound that is not (near) silence.
    double audibleSeconds() const;

private:
    QTemporaryDir m_dir;
    ScopedEnv m_env;
    int m_peak = 0;
    long long m_audibleFrames = 0;
};

} // namespace soundtest
