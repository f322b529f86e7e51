#include "sound/Sound.h"
#include "support/TempAppDir.h"
#include "support/Wait.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

using jigsaw::MusicDevice;
using jigsaw::Sound;
using Cue = jigsaw::SoundCues::Cue;

namespace {

const QString kAlias = QStringLiteral("WaveFile");
const TempAppDir::Contents kEmptyFolder{
    .library = false, .waves = false, .saveDir = false, .recordDir = false};

// A 16-bit mono PCM wave of a sine tone at 22.05 kHz, made here so that the expected lengths
// depend neither on the bundled assets nor on the layer's own beep.
QByteArray toneWave(double seconds, double pitch = 440.0)
{
    constexpr quint32 rate = 22050;
    const auto frames = static_cast<quint32>(std::lround(seconds * rate));
    QByteArray wave;
    QDataStream out(&wave, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + frames * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << frames * 2;
    for (quint32 i = 0; i < frames; ++i)
        out << qint16(std::lround(16000.0 * std::sin(2.0 * std::numbers::pi * pitch * i / rate)));
    return wave;
}

// Sets an environment variable for the life of the object and puts the old value back after.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const QByteArray &value) : m_name(name), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_old.isNull())
            qunsetenv(m_name);
        else
            qputenv(m_name, m_old);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
};

// Sends the sound output to SDL's disk driver while alive. What it wrote is 16-bit stereo at
// 44.1 kHz, the format the sound layer asks for; our mono tones sound alike on both channels.
class DiskCapture
{
public:
    struct Heard
    {
        int peak = 0;
        double audibleSeconds = 0; // sound that is not (near) silence
    };

    // Call once the Sound that played into the file is gone, so that the file is complete.
    Heard read() const
    {
        QFile file(path());
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        Heard heard;
        qsizetype audibleSamples = 0;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            const int level = std::abs(int(qFromUnaligned<qint16>(bytes.constData() + i)));
            heard.peak = std::max(heard.peak, level);
            // Well above rounding noise and well below the tones' peaks: only a sine's zero
            // crossings are missed.
            audibleSamples += level > 64 ? 1 : 0;
        }
        heard.audibleSeconds = double(audibleSamples) / (2 * 44100);
        return heard;
    }

private:
    QString path() const { return m_dir.filePath(QStringLiteral("output.raw")); }

    QTemporaryDir m_dir;
    ScopedEnv m_driver{"SDL_AUDIODRIVER", "disk"};
    ScopedEnv m_file{"SDL_DISKAUDIOFILE", QFile::encodeName(path())};
};

// The threads of the sound output, which wake many times a second while it is open.
int outputThreads()
{
    int threads = 0;
    for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(task));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().startsWith("SDLAudio"))
            ++threads;
    }
    return threads;
}

} // namespace

TEST(SoundCues, EachCuePlaysItsFileToTheEndAndAMissingOrBrokenFileBeeps)
{
    TempAppDir dir(kEmptyFolder);
    dir.writeFile(QStringLiteral("gazou.wav"), toneWave(0.3));
    dir.writeFile(QStringLiteral("kansei.wav"), QByteArrayLiteral("not a wave file"));
    DiskCapture capture;
    {
        Sound sound(dir.path());
        sound.cues().PlayClickSound(); // no file yet: the 0.15 s beep
        sound.cues().PlayCompleteSound();
        sound.cues().PlayNoticeSound();
        EXPECT_EQ(sound.cues().defaultSoundCount(), 2);

        // Files put in place later are found.
        dir.writeFile(QStringLiteral("click.wav"), toneWave(0.2, 660.0));
        dir.writeFile(QStringLiteral("kansei.wav"), toneWave(0.4, 520.0));
        sound.cues().PlayClickSound();
        sound.cues().PlayCompleteSound();
        EXPECT_EQ(sound.cues().defaultSoundCount(), 2);
        EXPECT_EQ(sound.cues().playedCues(),
                  (QList<Cue>{Cue::Click, Cue::Complete, Cue::Notice, Cue::Click, Cue::Complete}));
    }
    const DiskCapture::Heard heard = capture.read();
    EXPECT_GT(heard.peak, 8000);
    // Every cue reached the output whole, one after the other, and nothing else did.
    EXPECT_NEAR(heard.audibleSeconds, 0.15 + 0.15 + 0.3 + 0.2 + 0.4, 0.05);
}

TEST(AudioOutput, SilenceClosesTheOutputAndTheNextCueReopensItAndPlaysWhole)
{
    TempAppDir dir(kEmptyFolder);
    dir.writeFile(QStringLiteral("gazou.wav"), toneWave(0.3));
    dir.writeFile(QStringLiteral("click.wav"), toneWave(0.2, 660.0));
    dir.writeFile(QStringLiteral("Tesselbgm.wav"), toneWave(0.2, 520.0));
    DiskCapture capture;
    {
        Sound sound(dir.path());
        EXPECT_EQ(outputThreads(), 0);
        sound.cues().PlayNoticeSound();
        EXPECT_SOON(outputThreads() == 0);

        // An open music track holds the output, also once it has played to its end.
        MusicDevice &music = sound.music();
        ASSERT_EQ(music.open(dir.filePath(QStringLiteral("Tesselbgm.wav")), kAlias),
                  MusicDevice::Success);
        ASSERT_EQ(music.play(kAlias), MusicDevice::Success);
        ASSERT_SOON(!music.isPlaying(kAlias));
        QTest::qWait(600);
        EXPECT_EQ(outputThreads(), 1);
        EXPECT_EQ(music.close(kAlias), MusicDevice::Success);
        EXPECT_SOON(outputThreads() == 0);

        // The output opened afresh starts a new capture: it holds the click alone, whole.
        sound.cues().PlayClickSound();
    }
    const DiskCapture::Heard heard = capture.read();
    EXPECT_GT(heard.peak, 8000);
    EXPECT_NEAR(heard.audibleSeconds, 0.2, 0.03);
}

TEST(MusicDevice, PlaysOnceThroughAndAMissingFileIsSilent)
{
    TempAppDir dir(kEmptyFolder);
    const QString path = dir.filePath(QStringLiteral("Tesselbgm.wav"));
    DiskCapture capture;
    {
        Sound sound(dir.path());
        MusicDevice &music = sound.music();
        EXPECT_EQ(music.open(path, kAlias), MusicDevice::FileNotFound);
        EXPECT_NE(music.play(kAlias), MusicDevice::Success);
        EXPECT_FALSE(music.isPlaying(kAlias));

        dir.writeFile(QStringLiteral("Tesselbgm.wav"), toneWave(0.3));
        EXPECT_EQ(music.open(path, kAlias), MusicDevice::Success);
        EXPECT_EQ(music.open(path, kAlias), MusicDevice::AliasInUse);
        EXPECT_FALSE(music.isPlaying(kAlias));
        EXPECT_EQ(music.play(kAlias), MusicDevice::Success);
        EXPECT_TRUE(music.isPlaying(kAlias)); // play returned while the track sounds
        EXPECT_TRUE(QTest::qWaitFor([&] { return !music.isPlaying(kAlias); }, 10000));
        EXPECT_EQ(music.close(kAlias), MusicDevice::Success);
        EXPECT_EQ(music.stop(kAlias), MusicDevice::UnknownAlias);
    }
    const DiskCapture::Heard heard = capture.read();
    EXPECT_GT(heard.peak, 8000);
    // Played to its end exactly once: no loop, and nothing from the missing file.
    EXPECT_NEAR(heard.audibleSeconds, 0.3, 0.05);
}

TEST(MusicDevice, StopSilencesTheTrackAndACueSoundsOverIt)
{
    TempAppDir dir(kEmptyFolder);
    const QString path = dir.filePath(QStringLiteral("Tesselbgm.wav"));
    dir.writeFile(QStringLiteral("Tesselbgm.wav"), toneWave(5.0));
    dir.writeFile(QStringLiteral("click.wav"), toneWave(0.1, 880.0));
    Sound sound(dir.path());
    MusicDevice &music = sound.music();
    ASSERT_EQ(music.open(path, kAlias), MusicDevice::Success);
    ASSERT_EQ(music.play(kAlias), MusicDevice::Success);
    sound.cues().PlayClickSound();
    EXPECT_TRUE(music.isPlaying(kAlias)); // the cue waited for itself, not for the music
    EXPECT_EQ(music.play(kAlias), MusicDevice::Success);
    EXPECT_EQ(music.stop(kAlias), MusicDevice::Success);
    EXPECT_FALSE(music.isPlaying(kAlias));
    EXPECT_TRUE(music.isOpen(kAlias));
    EXPECT_EQ(music.close(kAlias), MusicDevice::Success);
}

// Each Sound closes the output completely: the next one opens afresh on first use, on the
// driver the environment names at that moment, and the fallback to the silent driver (for a
// machine without a sound device) does not stick.
TEST(Sound, CanBeMadeAndEndedSeveralTimesInOneRun)
{
    TempAppDir dir(kEmptyFolder);
    dir.writeFile(QStringLiteral("click.wav"), toneWave(0.05));
    dir.writeFile(QStringLiteral("Tesselbgm.wav"), toneWave(0.5));
    const QList<std::pair<QByteArray, QString>> runs = {
        {"dummy", "dummy"}, {"no-such-driver", "dummy"}, {"disk", "disk"}, {"dummy", "dummy"}};
    for (const auto &[driver, expected] : runs) {
        std::optional<DiskCapture> capture;
        std::optional<ScopedEnv> env;
        if (driver == "disk")
            capture.emplace();
        else
            env.emplace("SDL_AUDIODRIVER", driver);
        Sound sound(dir.path());
        EXPECT_FALSE(sound.output().isOpen());
        sound.cues().PlayClickSound();
        EXPECT_EQ(sound.output().driverName(), expected) << driver.constData();
        EXPECT_EQ(sound.cues().defaultSoundCount(), 0);
        EXPECT_EQ(sound.music().open(dir.filePath(QStringLiteral("Tesselbgm.wav")), kAlias),
                  MusicDevice::Success);
        EXPECT_EQ(sound.music().play(kAlias), MusicDevice::Success);
        // Ended while the music still plays: the owner lets it go on its own.
    }
}
