#pragma once

#include "support/TempAppDir.h"
#include "select/SelectForm.h"
#include "state/Game.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// A selection form started for real in a temporary program folder whose picture library holds
// only the pictures a test makes, with a temporary music folder.
class SelectFormTest : public ::testing::Test
{
protected:
    SelectFormTest();

    // Starts the game: the selection form loads and shows.
    void startGame();
    void startGame(const QString &appDir);

    // Runs the program's event loop with an action queued on it, until the program ends (0)
    // or, when it never does, a guard ends the loop (1). The program ends from inside its
    // event loop, as it does for the player.
    static int runUntilProgramEnds(const std::function<void()> &action);

    // Small JPEG pictures, each a different colour, written into a folder (made if missing).
    static void makePictures(const QString &folder, const QStringList &names);
    // Library pictures "p01.jpg", "p02.jpg", ... in the program folder's gazou.
    void makeLibrary(int count);

    template <typename T>
    T *control(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    jigsaw::GameState &state() { return game->state(); }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = true, .saveDir = false,
                                        .recordDir = true}};
    QTemporaryDir music;
    std::unique_ptr<jigsaw::Game> game;
    jigsaw::SelectForm *form = nullptr;
};
