#include "select/SelectTestSupport.h"

#include "select/FolderList.h"
#include "support/ModalAnswer.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace jigsaw;

namespace {

// Runs the program's event loop with the action queued on it until the program ends (0) or a
// guard gives up (1): the program ends from inside its event loop, as for the player.
int runUntilProgramEnds(const std::function<void()> &action)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(20000);
    QTimer::singleShot(0, &guard, action);
    return QCoreApplication::exec();
}

} // namespace

TEST_F(SelectFormTest, StartUpOffersOnlyLowerCaseTxtSavesAndListsThemWithoutExtension)
{
    app.writeFile(QStringLiteral("save/abc.txt"), "x\r\n");
    app.writeFile(QStringLiteral("save/ABC.TXT"), "x\r\n");
    startGame();
    auto *resume = control<QAction>(QStringLiteral("ゲームの続き"));
    ASSERT_TRUE(resume->isEnabled());
    resume->trigger();
    auto *combo = control<QComboBox>(QStringLiteral("Combo1"));
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("abc"));

    QFile::remove(app.filePath(QStringLiteral("save/abc.txt")));
    startGame();
    EXPECT_FALSE(control<QAction>(QStringLiteral("ゲームの続き"))->isEnabled());

    TempAppDir noSaveFolder(TempAppDir::Contents{.library = false, .waves = false,
                                                 .saveDir = false, .recordDir = false});
    startGame(noSaveFolder.path());
    EXPECT_FALSE(control<QAction>(QStringLiteral("ゲームの続き"))->isEnabled());
}

TEST_F(SelectFormTest, StartUpCopiesTheMusicOnlyWhenAbsent)
{
    const QString target = music.filePath(QStringLiteral("Tesselbgm.wav"));
    app.writeFile(QStringLiteral("Tesselbgm.wav"), "RIFF-program-copy");
    startGame();
    EXPECT_EQ(fileBytes(target), QByteArray("RIFF-program-copy"));

    app.writeFile(QStringLiteral("Tesselbgm.wav"), "RIFF-newer");
    startGame();
    EXPECT_EQ(fileBytes(target), QByteArray("RIFF-program-copy"));

    // A program folder without the music starts all the same.
    QFile::remove(target);
    QFile::remove(app.filePath(QStringLiteral("Tesselbgm.wav")));
    startGame();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(SelectFormTest, ExitAsksAndEndsOnlyOnYesWhileClosingEndsWithoutAsking)
{
    startGame();
    {
        ModalAnswer no(QMessageBox::No);
        control<QAction>(QStringLiteral("終了"))->trigger();
        ASSERT_TRUE(no.seen().answered);
        EXPECT_EQ(no.seen().text, QStringLiteral("ジグソーパズルを終了しますか？"));
        EXPECT_EQ(no.seen().buttons, QMessageBox::Yes | QMessageBox::No);
    }
    EXPECT_FALSE(game->hasEnded());

    ModalAnswer yes(QMessageBox::Yes);
    EXPECT_EQ(runUntilProgramEnds([this] { control<QAction>(QStringLiteral("終了"))->trigger(); }),
              0);
    EXPECT_TRUE(yes.seen().answered);
    EXPECT_TRUE(game->hasEnded());
    EXPECT_FALSE(form->isVisible());

    startGame();
    EXPECT_EQ(runUntilProgramEnds([this] { form->close(); }), 0);
    EXPECT_TRUE(game->hasEnded());
}

TEST_F(SelectFormTest, ShowPicturesButtonBlinksUntilThePicturesAreShown)
{
    makePictures(folder(QStringLiteral("pics1")), {QStringLiteral("a.jpg")});
    makeLibrary(1);
    startGame();
    auto *timer = control<QTimer>(QStringLiteral("Timer1"));
    auto *button = control<ColorButton>(QStringLiteral("Command5"));
    // In the library view the button is out of sight: nothing blinks, nothing wakes the game.
    EXPECT_FALSE(timer->isActive());

    // A folder with pictures waiting to be shown: the button changes colour at every tick.
    browse(folder(QStringLiteral("pics1")));
    ASSERT_TRUE(timer->isActive());
    timer->stop();
    QList<QColor> seen;
    for (int i = 0; i < 3; ++i) {
        form->Timer1_Timer();
        seen.append(button->faceColor());
    }
    EXPECT_NE(seen[0], seen[1]);
    EXPECT_NE(seen[1], seen[2]);
    EXPECT_NE(seen[0], ColorButton::systemFaceColor());

    // Showing the pictures stops it in the button's own colour.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(button->faceColor(), ColorButton::systemFaceColor());

    // A folder without pictures stops it and disables the button.
    browse(folder(QStringLiteral("pics1")));
    ASSERT_TRUE(timer->isActive());
    auto *dir1 = control<FolderList>(QStringLiteral("Dir1"));
    ASSERT_TRUE(dir1->setPath(app.path()));
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->faceColor(), ColorButton::systemFaceColor());
}

TEST_F(SelectFormTest, TheFolderListFirstSeenListsTheSubFoldersAndEnterOpensOne)
{
    const QString top = folder(QStringLiteral("photos"));
    makePictures(top + QStringLiteral("/trip"), {QStringLiteral("beach.jpg"), QStringLiteral("hill.jpg")});
    startGame();
    // The program's own folder, where the list starts, holds the photos' folder.
    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    auto *dir1 = control<FolderList>(QStringLiteral("Dir1"));
    ASSERT_TRUE(dir1->isVisible());
    const auto openItem = [dir1](const QString &name) {
        const QList<QListWidgetItem *> found = dir1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << qPrintable(name);
        dir1->scrollToItem(found.first());
        QTest::mouseClick(dir1->viewport(), Qt::LeftButton, Qt::NoModifier,
                          dir1->visualItemRect(found.first()).center());
        QTest::keyClick(dir1, Qt::Key_Return);
    };
    ASSERT_TRUE(dir1->setPath(app.path()));
    ASSERT_NO_FATAL_FAILURE(openItem(QStringLiteral("photos")));
    ASSERT_NO_FATAL_FAILURE(openItem(QStringLiteral("trip")));
    EXPECT_EQ(labelText(QStringLiteral("Label7")), top + QStringLiteral("/trip"));
    EXPECT_EQ(state().PictureCount, 2);
}
