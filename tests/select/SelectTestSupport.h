#pragma once

#include "platform/PlatformTestSupport.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "app/Game.h"
#include "support/PlayerInput.h"
#include "support/TempAppDir.h"
#include "support/Wait.h"

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A selection form started for real in a temporary program folder whose picture library holds
// only the pictures a test makes, with a temporary music folder.
class SelectFormTest : public ::testing::Test
{
protected:
    // Starts the game and waits for the form's first activation, which resets it to the
    // library view as the player first sees it.
    void startGame(const QString &appDir = QString());

    // Small JPEG pictures, each a different colour, written into a folder (made if missing).
    static void makePictures(const QString &folder, const QStringList &names);
    // Library pictures "p01.jpg", "p02.jpg", ... in the program folder's gazou.
    void makeLibrary(int count);
    // The program folder's folder of that name.
    QString folder(const QString &name) const { return app.filePath(name); }
    // Switches to the folder view and lists the folder.
    void browse(const QString &path);

    // Thumbnails that hold a picture's name, and those that show a picture.
    int filledThumbnails() const;
    int shownThumbnails() const;
    QString labelText(const QString &name) const { return control<QLabel>(name)->text(); }

    template <typename T>
    T *control(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    jigsaw::GameState &state() { return game->state(); }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = true, .saveDir = true,
                                        .recordDir = true}};
    QTemporaryDir music;
    std::unique_ptr<jigsaw::Game> game;
    jigsaw::SelectForm *form = nullptr;
};
