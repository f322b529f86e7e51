#include "PanelTestSupport.h"

#include "board/StatusPanels.h"
#include "sound/Sound.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace jigsaw;

PanelTest::PanelTest()
{
    for (const char *name : {"gazou.wav", "click.wav", "kansei.wav"})
        QFile::remove(app.filePath(QString::fromLatin1(name)));
    QFile::copy(app.filePath(QStringLiteral("Tesselbgm.wav")),
                musicDir.filePath(QStringLiteral("Tesselbgm.wav")));
    game = std::make_unique<Game>(app.path(), musicDir.path());
    state().AppDir = app.path();
}

void PanelTest::launch()
{
    ASSERT_NE(launchNew(480, 360), nullptr);
    QTRY_COMPARE(state().BoardActivated, 1.0);
    finishSlides();
}

void PanelTest::startGame()
{
    start();
    ASSERT_EQ(state().InPlay, 1);
    finishSlides();
}

int PanelTest::drive(QTimer *timer, void (BoardForm::*slot)(), int limit)
{
    int ticks = 0;
    while (timer->isActive() && ticks < limit) {
        (board()->*slot)();
        ++ticks;
    }
    return ticks;
}

void PanelTest::tick(void (BoardForm::*slot)(), int count)
{
    for (int i = 0; i < count; ++i)
        (board()->*slot)();
}

void PanelTest::finishSlides()
{
    drive(ui().Timer3, &BoardForm::Timer3_Timer);
    drive(ui().Timer4, &BoardForm::Timer4_Timer);
}

void PanelTest::setLimit(const QString &typed)
{
    ui().mnuSetGameTime->trigger();
    finishSlides();
    ui().Combo1->setCurrentText(typed);
    ui().Command1->click();
    finishSlides();
}

int PanelTest::cues(SoundCues::Cue cue) const
{
    return game->sound().cues().playedCount(cue);
}

QStringList PanelTest::musicCommands() const
{
    return game->sound().music().commandLog();
}

QString PanelTest::panelText(int panel) const
{
    return ui().StatusBar1->panelText(panel);
}
