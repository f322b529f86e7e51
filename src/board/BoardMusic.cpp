#include "board/BoardForm.h"

#include "board/StatusPanels.h"
#include "sound/Sound.h"
#include "state/GameSession.h"

#include <QAction>

namespace jigsaw {

namespace {

const QString kMusicAlias = QStringLiteral("WaveFile");

// The music cycle: the track plays for 20 ticks, is stopped on the 21st and starts again on
// the next one.
constexpr std::int16_t kMusicStopTick = 20;

} // namespace

void BoardForm::Timer5_Timer()
{
    BoardFields &f = fields();
    if (f.MusicTick == 0) {
        MusicDevice &music = m_game.sound().music();
        music.open(m_game.folders().musicFolder() + QStringLiteral("/Tesselbgm.wav"), kMusicAlias);
        music.play(kMusicAlias);
    } else if (f.MusicTick == kMusicStopTick) {
        StopMusic();
        f.MusicTick = 0;
        return;
    }
    f.MusicTick = static_cast<std::int16_t>(f.MusicTick + 1);
}

void BoardForm::StopMusic()
{
    MusicDevice &music = m_game.sound().music();
    music.stop(kMusicAlias);
    music.close(kMusicAlias);
}

void BoardForm::PlacementSound_Click()
{
    // The menu item has already switched its check mark; the cue follows it.
    const bool on = m_ui.mnuPlacementSound->isChecked();
    m_ui.mnuPlacementSound->setText(on ? tr("配置が正しいときに音で知らせる(ＯＮ)")
                                       : tr("配置が正しいときに音で知らせる(ＯＦＦ)"));
    m_ui.StatusBar1->setPanelText(3, on ? tr("配置音＝ＯＮ")
                                        : tr("配置音＝ＯＦＦ"));
    state().PlacementSound = on ? 1 : 0;
}

} // namespace jigsaw
