#include "SoundTestSupport.h"

#include "sound/Sound.h"
#include "support/TempAppDir.h"

#include <gtest/gtest.h>

#include <optional>

using jigsaw::MusicDevice;
using jigsaw::Sound;
using soundtest::DiskCapture;
using soundtest::ScopedEnv;
using soundtest::toneWave;

// Each Sound closes the output completely: the next one opens afresh, on the driver the
// environment names at that moment, and the fallback to the silent driver does not stick.
TEST(Sound, CanBeMadeAndEndedSeveralTimesInOneRun)
{
    TempAppDir dir({.library = false, .waves = false, .saveDir = false, .recordDir = false});
    dir.writeFile(QStringLiteral("click.wav"), toneWave(0.05));
    dir.writeFile(QStringLiteral("Tesselbgm.wav"), toneWave(0.5));
    const QString music = dir.filePath(QStringLiteral("Tesselbgm.wav"));

    const QList<std::pair<QByteArray, QString>> runs = {
        {"dummy", QStringLiteral("dummy")},
        {"no-such-driver", QStringLiteral("dummy")},
        {"disk", QStringLiteral("disk")},
        {"dummy", QStringLiteral("dummy")},
    };
    for (const auto &[driver, expected] : runs) {
        std::optional<DiskCapture> capture;
        std::optional<ScopedEnv> env;
        if (driver == "disk")
            capture.emplace();
        else
            env.emplace(std::initializer_list<std::pair<const char *, QByteArray>>{{"SDL_AUDIODRIVER", driver}});
        Sound sound(dir.path());
        sound.cues().PlayClickSound();
        EXPECT_EQ(sound.output().driverName(), expected) << driver.constData();
        EXPECT_EQ(sound.music().open(music, QStringLiteral("WaveFile")), MusicDevice::Success);
        EXPECT_EQ(sound.music().play(QStringLiteral("WaveFile")), MusicDevice::Success);
        // Ended while the music still plays: the owner lets it go on its own.
    }
}
