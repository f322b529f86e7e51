#include "SoundTestSupport.h"

#include "sound/Sound.h"
#include "support/TempAppDir.h"

#include <QTest>

#include <gtest/gtest.h>

using jigsaw::MusicDevice;
using jigsaw::Sound;
using soundtest::DiskCapture;
using soundtest::toneWave;

namespace {

const QString kAlias = QStringLiteral("WaveFile");

TempAppDir::Contents emptyFolder()
{
    return {.library = false, .waves = false, .saveDir = false, .recordDir = false};
}

} // namespace

TEST(MusicDevice, MissingFileIsLoggedAndSilent)
{
    TempAppDir dir(emptyFolder());
    const QString path = dir.filePath(QStringLiteral("Tesselbgm.wav"));
    DiskCapture capture;
    {
        Sound sound(dir.path());
        MusicDevice &music = sound.music();
        EXPECT_EQ(music.open(path, kAlias), MusicDevice::FileNotFound);
        EXPECT_NE(music.play(kAlias), MusicDevice::Success);
        EXPECT_FALSE(music.isPlaying(kAlias));
        EXPECT_NE(music.stop(kAlias), MusicDevice::Success);
        EXPECT_NE(music.close(kAlias), MusicDevice::Success);
        EXPECT_EQ(music.commandLog(),
                  (QStringList{QStringLiteral("open ") + path + QStringLiteral(" type waveaudio alias WaveFile"),
                               QStringLiteral("play WaveFile"), QStringLiteral("stop WaveFile"),
                               QStringLiteral("close WaveFile")}));
        music.clearCommandLog();
        EXPECT_TRUE(music.commandLog().isEmpty());

        // A cue afterwards still opens the output and plays normally.
        sound.cues().PlayClickSound();
        EXPECT_EQ(sound.cues().playedCount(jigsaw::SoundCues::Cue::Click), 1);
    }
    capture.read();
    EXPECT_NEAR(capture.audibleSeconds(), 0.15, 0.05);
}

TEST(MusicDevice, PlaysInTheBackgroundOnceThroughAndCanBeReopened)
{
    TempAppDir dir(emptyFolder());
    const QString path = dir.filePath(QStringLiteral("Tesselbgm.wav"));
    dir.writeFile(QStringLiteral("Tesselbgm.wav"), toneWave(0.3));
    DiskCapture capture;
    {
        Sound sound(dir.path());
        MusicDevice &music = sound.music();
        EXPECT_EQ(music.open(path, kAlias), MusicDevice::Success);
        EXPECT_TRUE(music.isOpen(kAlias));
        EXPECT_FALSE(music.isPlaying(kAlias));
        EXPECT_EQ(music.open(path, kAlias), MusicDevice::AliasInUse);
        EXPECT_EQ(music.play(kAlias), MusicDevice::Success);
        EXPECT_TRUE(music.isPlaying(kAlias)); // play returned while the track sounds
        EXPECT_TRUE(QTest::qWaitFor([&] { return !music.isPlaying(kAlias); }, 10000));
        EXPECT_EQ(music.stop(kAlias), MusicDevice::Success);
        EXPECT_EQ(music.close(kAlias), MusicDevice::Success);
        EXPECT_FALSE(music.isOpen(kAlias));
        EXPECT_EQ(music.play(kAlias), MusicDevice::UnknownAlias);

        // The next cycle opens the same file again under the same alias.
        EXPECT_EQ(music.open(path, kAlias), MusicDevice::Success);
        EXPECT_EQ(music.stop(kAlias), MusicDevice::Success);
        EXPECT_EQ(music.close(kAlias), MusicDevice::Success);
        // Refused commands are logged too: the log is what was sent, not what worked.
        const QString open = QStringLiteral("open ") + path + QStringLiteral(" type waveaudio alias WaveFile");
        const QString play = QStringLiteral("play WaveFile");
        const QString stop = QStringLiteral("stop WaveFile");
        const QString close = QStringLiteral("close WaveFile");
        EXPECT_EQ(music.commandLog(), (QStringList{open, open, play, stop, close, play, open, stop, close}));
    }
    capture.read();
    EXPECT_GT(capture.peak(), 8000);
    // Played to its end exactly once: no loop.
    EXPECT_NEAR(capture.audibleSeconds(), 0.3, 0.05);
}

TEST(MusicDevice, StopSilencesTheTrackAndACueSoundsOverIt)
{
    TempAppDir dir(emptyFolder());
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
