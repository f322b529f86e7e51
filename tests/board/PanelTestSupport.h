#pragma once

#include "BoardTestSupport.h"

#include "sound/SoundCues.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QTimer;

// A launched game on the real board whose timers the test drives through their own slots. The
// cue files are left out, so every cue is the short beep; the cues still count. The music is
// played from a folder of the test's own.
class PanelTest : public BoardTest
{
protected:
    PanelTest();

    // GO for a new game on a 480 x 360 picture, the board activated and the panel slid in.
    void launch();
    // スタート, with the panel slid out again.
    void startGame();

    // Runs a timer's slot while the timer is on (never more than `limit` times); the number of
    // ticks it took.
    int drive(QTimer *timer, void (jigsaw::BoardForm::*slot)(), int limit = 5000);
    // Runs a timer's slot `count` times.
    void tick(void (jigsaw::BoardForm::*slot)(), int count);
    // Lets both slides of the question panel run to their end.
    void finishSlides();

    // Sets the game-time limit through the menu and the panel as the player does.
    void setLimit(const QString &typed);

    int cues(jigsaw::SoundCues::Cue cue) const;
    QStringList musicCommands() const;
    QString panelText(int panel) const;

    QTemporaryDir musicDir;
};
