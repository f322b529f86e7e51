#pragma once

#include "board/BoardForm.h"
#include "state/Game.h"
#include "support/TempAppDir.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

namespace boardtest {

// A picture whose every pixel tells where it lies, so a piece's pixels can be traced back to
// the place they were cut from.
QRgb patternAt(int x, int y);
QImage patternPicture(int width, int height);

// The whole pixel a single-precision edge falls on.
int edge(double value);

} // namespace boardtest

// A run of the game in a temporary program folder, launched straight through GO with the
// selection's fields set as the selection form sets them.
class BoardTest : public ::testing::Test
{
protected:
    BoardTest();

    // Writes a lossless picture with the pattern into the picture folder and selects it.
    void selectPicture(int width, int height, const QString &name = QStringLiteral("pic.png"));

    // GO for a new game on a pattern picture of that size; the board form, or null.
    jigsaw::BoardForm *launchNew(int width, int height);

    // The saved values 2 to 11 of a resumed game and GO with them.
    jigsaw::BoardForm *launchResumed(int width, int height, double pieceCount, double gridSide,
                                     int placementSound, double limit = 0);

    // The menu スタート as the player chooses it.
    void start();

    jigsaw::BoardForm *board() const { return game->boardIfLoaded(); }
    const jigsaw::BoardControls &ui() const { return board()->ui(); }
    jigsaw::GameState &state() { return game->state(); }
    jigsaw::BoardFields &fields() { return game->boardFields(); }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = true, .saveDir = true,
                                        .recordDir = true}};
    std::unique_ptr<jigsaw::Game> game;
};
