#include "select/SelectTestSupport.h"

#include "support/ModalAnswer.h"
#include "select/FolderList.h"
#include "select/SelectControls.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace jigsaw;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(SelectFormTest, StartUpOffersOnlyLowerCaseTxtSavesAndListsThemWithoutExtension)
{
    app.writeFile(QStringLiteral("save/abc.txt"), "x\r\n");
    app.writeFile(QStringLiteral("save/ABC.TXT"), "x\r\n");
    app.writeFile(QStringLiteral("save/notes.txt.bak"), "x\r\n");
    startGame();

    QAction *resume = control<QAction>(QStringLiteral("ゲームの続き"));
    EXPECT_TRUE(resume->isEnabled());
    resume->trigger();

    auto *combo = control<QComboBox>(QStringLiteral("Combo1"));
    ASSERT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("abc"));
    EXPECT_EQ(state().LaunchMode, 2);
    EXPECT_TRUE(control<QGroupBox>(QStringLiteral("Frame3"))->isVisible());
    EXPECT_EQ(form->formWidthTwips(), 5760);
    EXPECT_EQ(form->statusText(), QStringLiteral("画像が表示されていません"));
}

TEST_F(SelectFormTest, StartUpLeavesResumeDisabledWithoutLowerCaseTxtSave)
{
    app.writeFile(QStringLiteral("save/ABC.TXT"), "x\r\n");
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
    EXPECT_EQ(readAll(target), QByteArray("RIFF-program-copy"));

    // A copy already in place stays as it is.
    app.writeFile(QStringLiteral("Tesselbgm.wav"), "RIFF-newer");
    startGame();
    EXPECT_EQ(readAll(target), QByteArray("RIFF-program-copy"));

    // A program folder without the music starts all the same, without music.
    QFile::remove(target);
    QFile::remove(app.filePath(QStringLiteral("Tesselbgm.wav")));
    startGame();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(form->formWidthTwips(), 5760);
}

TEST_F(SelectFormTest, StartUpOpensTheLibraryAndCountsIt)
{
    makeLibrary(7);
    startGame(app.path() + QLatin1Char('/'));

    EXPECT_EQ(state().AppDir, app.path());
    EXPECT_EQ(state().PictureDir, app.path() + QStringLiteral("/gazou"));
    EXPECT_EQ(state().BrowseDir, app.path() + QStringLiteral("/gazou/"));
    EXPECT_EQ(state().LibraryPictureCount, 7);
    EXPECT_EQ(state().LaunchMode, 1);
    EXPECT_EQ(form->formWidthTwips(), 5760);
    EXPECT_EQ(form->formHeightTwips(), 8700);
    EXPECT_FALSE(control<QGroupBox>(QStringLiteral("Frame3"))->isVisible());
    EXPECT_FALSE(form->command6()->isVisible());
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
    EXPECT_EQ(form->statusText(), QStringLiteral("画像をクリックして選択してください"));
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(form->image1(i)->toolTip().isEmpty()) << i;
}

TEST_F(SelectFormTest, ControlsSitAtTheirDesignPlacesAndFitAboveTheStatusBar)
{
    makeLibrary(13);
    startGame();

    const QWidget *client = form->centralWidget();
    EXPECT_EQ(client->width(), 376); // 5760 twips outside, less the borders
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("Frame1"))->geometry(), QRect(8, 40, 361, 417));
    EXPECT_EQ(form->image1(3)->geometry(), QRect(184, 152, 169, 121));
    EXPECT_EQ(form->shape1(3)->geometry(), QRect(192, 160, 17, 17));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("Command2"))->geometry(), QRect(272, 464, 81, 25));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("Command1"))->geometry(), QRect(288, 0, 81, 33));

    // Everything of the narrow form lies inside the client area, which ends above the status
    // bar and starts below the menu bar.
    const QRect area(QPoint(0, 0), client->size());
    for (const char *name : {"Frame1", "Command1", "Command2", "Command3", "Label3", "Label4",
                             "Label5", "Frame3", "Command6"}) {
        const auto *w = control<QWidget>(QString::fromLatin1(name));
        EXPECT_TRUE(area.contains(w->geometry())) << name;
    }
    EXPECT_GE(form->statusBar()->geometry().top(), client->geometry().bottom());
    EXPECT_GE(client->geometry().top(), form->menuBar()->geometry().bottom());

    // Labels are never narrower or lower than their Japanese text.
    for (const char *name : {"Label2", "Label6", "Label8"}) {
        const auto *label = control<QLabel>(QString::fromLatin1(name));
        EXPECT_GE(label->width(), label->sizeHint().width()) << name;
        EXPECT_GE(label->height(), label->sizeHint().height()) << name;
    }

    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    EXPECT_EQ(client->width(), 572);
    const QRect wide(QPoint(0, 0), client->size());
    for (const char *name : {"Frame2", "Label7", "Label8"})
        EXPECT_TRUE(wide.contains(control<QWidget>(QString::fromLatin1(name))->geometry())) << name;

    const QColor orange(240, 182, 60);
    EXPECT_EQ(form->centralWidget()->palette().color(QPalette::Window), orange);
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("Frame2"))->palette().color(QPalette::Window),
              orange);
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label1"))->palette().color(QPalette::Window), orange);
    EXPECT_EQ(control<ColorButton>(QStringLiteral("Command1"))->faceColor(), QColor(255, 192, 192));
    EXPECT_TRUE(control<ColorButton>(QStringLiteral("Command1"))->font().bold());
    EXPECT_EQ(form->command6()->faceColor(), QColor(192, 255, 192));
    EXPECT_EQ(control<ColorButton>(QStringLiteral("Command4"))->faceColor(), QColor(224, 224, 224));
    EXPECT_EQ(control<QTimer>(QStringLiteral("Timer1"))->interval(), 500);
    EXPECT_NE(form->findChild<QStatusBar *>(QStringLiteral("StatusBar1")), nullptr);
    for (const char *name : {"画像の読込", "サンプルを表示", "終了"})
        EXPECT_TRUE(control<QAction>(QString::fromUtf8(name))->isEnabled()) << name;
}

TEST_F(SelectFormTest, MenusSwitchViewsAndEveryReturnFromAnotherFormResetsToTheLibrary)
{
    makeLibrary(7);
    startGame();

    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    ASSERT_TRUE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());

    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    EXPECT_EQ(form->formWidthTwips(), 8700);
    EXPECT_EQ(state().LaunchMode, 1);
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("Command4"))->isEnabled());
    EXPECT_TRUE(form->image1(0)->toolTip().isEmpty());
    EXPECT_EQ(form->statusText(), QStringLiteral("画像が表示されていません"));

    // A question of the form itself leaves the view as it was.
    {
        ModalAnswer no(QMessageBox::No);
        control<QAction>(QStringLiteral("終了"))->trigger();
        EXPECT_TRUE(no.seen().answered);
    }
    form->activateWindow(); // what the window manager does when the box goes
    EXPECT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
    EXPECT_EQ(form->formWidthTwips(), 8700);

    // Another form takes the activation; coming back shows the library with nothing selected.
    QMainWindow other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&other] { return other.isActiveWindow(); }));
    other.close();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
    EXPECT_EQ(form->formWidthTwips(), 5760);
    EXPECT_EQ(state().LaunchMode, 1);
    EXPECT_FALSE(state().SelectedThumb.has_value());
    EXPECT_FALSE(form->image1(0)->toolTip().isEmpty());
    EXPECT_EQ(form->statusText(), QStringLiteral("画像をクリックして選択してください"));
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
        EXPECT_EQ(no.seen().icon, QMessageBox::NoIcon);
    }
    EXPECT_EQ(state().ExitAnswer, 7);
    EXPECT_FALSE(game->hasEnded());

    ModalAnswer yes(QMessageBox::Yes);
    EXPECT_EQ(runUntilProgramEnds([this] { control<QAction>(QStringLiteral("終了"))->trigger(); }),
              0);
    EXPECT_TRUE(yes.seen().answered);
    EXPECT_EQ(state().ExitAnswer, 6);
    EXPECT_TRUE(game->hasEnded());
    EXPECT_FALSE(form->isVisible());

    startGame();
    EXPECT_EQ(runUntilProgramEnds([this] { form->close(); }), 0);
    EXPECT_TRUE(game->hasEnded());
}

TEST_F(SelectFormTest, ShowPicturesButtonBlinksGreenFirstAndCarriesItsPhaseOver)
{
    const QString first = app.filePath(QStringLiteral("pics1"));
    const QString second = app.filePath(QStringLiteral("pics2"));
    makePictures(first, {QStringLiteral("a.jpg")});
    makePictures(second, {QStringLiteral("b.jpg")});
    startGame();
    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    auto *timer = control<QTimer>(QStringLiteral("Timer1"));
    auto *button = control<ColorButton>(QStringLiteral("Command5"));
    auto *dir1 = control<FolderList>(QStringLiteral("Dir1"));
    int &phase = game->selectFields().BlinkPhase;

    // Listing a folder with pictures starts the timer; its ticks are driven by hand here.
    ASSERT_TRUE(dir1->setPath(first));
    EXPECT_TRUE(timer->isActive());
    timer->stop();
    EXPECT_EQ(phase, 0);
    form->Timer1_Timer();
    EXPECT_EQ(button->faceColor(), QColor(0, 255, 0));
    EXPECT_EQ(phase, 1);
    form->Timer1_Timer();
    EXPECT_EQ(button->faceColor(), QColor(255, 0, 0));
    EXPECT_EQ(phase, 0);
    form->Timer1_Timer();
    EXPECT_EQ(button->faceColor(), QColor(0, 255, 0));

    // Showing the pictures stops the blinking and gives the button its usual face back.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(button->faceColor(), ColorButton::systemFaceColor());
    EXPECT_EQ(form->image1(0)->toolTip(), QStringLiteral("a.jpg"));

    // The next blinking period goes on from the phase the last one left.
    ASSERT_TRUE(dir1->setPath(second));
    EXPECT_TRUE(timer->isActive());
    timer->stop();
    form->Timer1_Timer();
    EXPECT_EQ(button->faceColor(), QColor(255, 0, 0));

    // A folder without pictures stops it and disables the button.
    ASSERT_TRUE(dir1->setPath(app.path()));
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->faceColor(), ColorButton::systemFaceColor());
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("0"));
}
