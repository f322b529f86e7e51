#include "SoundTestSupport.h"

#include "sound/Sound.h"
#include "support/TempAppDir.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

using jigsaw::Sound;
using Cue = jigsaw::SoundCues::Cue;
using soundtest::DiskCapture;
using soundtest::ScopedEnv;
using soundtest::toneWave;

namespace {

TempAppDir::Contents emptyFolder()
{
    return {.library = false, .waves = false, .saveDir = false, .recordDir = false};
}

} // namespace

TEST(SoundCues, EachCuePlaysItsOwnFileToTheEnd)
{
    TempAppDir dir(emptyFolder());
    dir.writeFile(QStringLiteral("gazou.wav"), toneWave(0.3, 440.0));
    dir.writeFile(QStringLiteral("click.wav"), toneWave(0.2, 660.0));
    dir.writeFile(QStringLiteral("kansei.wav"), toneWave(0.4, 520.0));
    DiskCapture capture;
    {
        Sound sound(dir.path());
        QElapsedTimer clock;
        clock.start();
        sound.cues().PlayClickSound();
        EXPECT_GE(clock.elapsed(), 200);
        clock.restart();
        sound.cues().PlayNoticeSound();
        EXPECT_GE(clock.elapsed(), 300);
        clock.restart();
        sound.cues().PlayCompleteSound();
        EXPECT_GE(clock.elapsed(), 400);

        EXPECT_EQ(sound.output().driverName(), QStringLiteral("disk"));
        EXPECT_EQ(sound.cues().playedCues(), (QList<Cue>{Cue::Click, Cue::Notice, Cue::Complete}));
        EXPECT_EQ(sound.cues().playedCount(Cue::Complete), 1);
        EXPECT_EQ(sound.cues().defaultSoundCount(), 0);
    }
    capture.read();
    EXPECT_GT(capture.peak(), 8000);
    // All three sounds reached the output whole, and nothing else did.
    EXPECT_NEAR(capture.audibleSeconds(), 0.9, 0.05);
}

TEST(SoundCues, MissingOrBrokenFilePlaysTheBeepUntilAFileIsThere)
{
    TempAppDir dir(emptyFolder());
    dir.writeFile(QStringLiteral("kansei.wav"), QByteArrayLiteral("not a wave file"));
    DiskCapture capture;
    {
        Sound sound(dir.path());
        QElapsedTimer clock;
        clock.start();
        sound.cues().PlayClickSound();
        EXPECT_GE(clock.elapsed(), 150);
        sound.cues().PlayCompleteSound();
        EXPECT_EQ(sound.cues().defaultSoundCount(), 2);

        dir.writeFile(QStringLiteral("click.wav"), toneWave(0.25));
        sound.cues().PlayClickSound();
        EXPECT_EQ(sound.cues().defaultSoundCount(), 2);
        EXPECT_EQ(sound.cues().playedCount(Cue::Click), 2);
        EXPECT_EQ(sound.cues().playedCount(Cue::Complete), 1);
        EXPECT_EQ(sound.cues().playedCount(Cue::Notice), 0);
    }
    capture.read();
    EXPECT_GT(capture.peak(), 8000);
    EXPECT_NEAR(capture.audibleSeconds(), 0.15 + 0.15 + 0.25, 0.05);
}

TEST(SoundCues, SilentDriverKeepsThePaceAndOpensOnlyWhenNeeded)
{
    TempAppDir dir(emptyFolder());
    dir.writeFile(QStringLiteral("click.wav"), toneWave(0.2));
    // A driver that does not exist stands for a machine without a sound device.
    for (const char *driver : {"dummy", "no-such-driver"}) {
        ScopedEnv env({{"SDL_AUDIODRIVER", driver}});
        Sound sound(dir.path());
        EXPECT_FALSE(sound.output().isOpen());
        QElapsedTimer clock;
        clock.start();
        sound.cues().PlayClickSound();
        EXPECT_GE(clock.elapsed(), 200) << driver;
        EXPECT_EQ(sound.output().driverName(), QStringLiteral("dummy")) << driver;
        EXPECT_EQ(sound.cues().defaultSoundCount(), 0);
    }
}
