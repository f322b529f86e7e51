#include "BoardTestSupport.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "select/LaunchGame.h"
#include "select/SelectForm.h"
#include "support/ModalAnswer.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace jigsaw;

namespace {

const QString kTooSmall = QStringLiteral("画像が小さすぎてジグソーパズルを表示できません。");

} // namespace

using BoardLaunch = BoardTest;

TEST_F(BoardLaunch, NewGameSizesTheFormAndSetsTheDefaults)
{
    state().PieceCount = 81;
    state().GridSide = 9;
    state().PlacementSound = 1;
    state().PanelMode = 4;
    state().GameTimeLimit = TimeLimit::fromTyped(QStringLiteral("5"), 5);
    BoardForm *form = launchNew(640, 480);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(state().ImageFilePath, app.filePath(QStringLiteral("pictures/pic.png")));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form->pos(), QPoint(0, 0));
    EXPECT_EQ(form->width(), screen.width());
    EXPECT_EQ(form->height(), screen.height() - 27); // 400 twips less than the screen
    EXPECT_EQ(form->scaleWidth(), static_cast<float>(ui().Form->width()));

    EXPECT_EQ(state().PieceCount, 49);
    EXPECT_EQ(state().GridSide, 7);
    EXPECT_FALSE(state().GameTimeLimit.isSet());
    EXPECT_EQ(state().PanelMode, 0);
    EXPECT_EQ(state().PlacementSound, 0);
    EXPECT_EQ(state().InPlay, 0);

    // The whole picture on the board, and a view of exactly its size without scroll bars.
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(640, 480));
    EXPECT_EQ(ui().Picture2->picture().pixel(300, 200), boardtest::patternAt(300, 200));
    EXPECT_EQ(form->gamePicture().size(), QSize(640, 480));
    EXPECT_EQ(geom::left(ui().Picture9), 0);
    EXPECT_EQ(geom::top(ui().Picture9), 8);
    EXPECT_EQ(geom::width(ui().Picture9), 640);
    EXPECT_EQ(geom::height(ui().Picture9), 480);
    EXPECT_EQ(geom::width(ui().Picture2), 640);
    EXPECT_TRUE(ui().HScroll1->isHidden());
    EXPECT_TRUE(ui().VScroll2->isHidden());
    EXPECT_EQ(geom::left(ui().VScroll2), 640);
    EXPECT_EQ(geom::top(ui().HScroll1), 488);

    ASSERT_EQ(ui().Combo1->count(), 60);
    EXPECT_EQ(ui().Combo1->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(ui().Combo1->itemText(59), QStringLiteral("60"));
    EXPECT_EQ(geom::left(ui().Picture4), -350);
    EXPECT_TRUE(ui().Frame1->isHidden());
    EXPECT_EQ(ui().StatusBar1->panelText(1), QStringLiteral("ピース数 49 枚"));
    EXPECT_EQ(ui().StatusBar1->panelText(2), QStringLiteral("経過時間 00:00"));

    // The first activation: the hint, OK only, and the panel sliding in until it stops.
    QTRY_COMPARE(state().BoardActivated, 1.0);
    EXPECT_EQ(ui().Label5->text(),
              QStringLiteral("設定ボタンで各種設定後、スタートをクリックしてください。\r"
                             "スタート後右クリックで完成画像が表示されます"));
    EXPECT_TRUE(ui().Command3->isHidden());
    EXPECT_TRUE(ui().Combo1->isHidden());
    EXPECT_TRUE(ui().Label7->isHidden());
    QTRY_VERIFY(!ui().Timer3->isActive());
    EXPECT_EQ(geom::left(ui().Picture4), -20);
}

TEST_F(BoardLaunch, ScrollBarsForPicturesLargerThanTheRoom)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    const float room = board()->scaleWidth() - 2 * geom::width(ui().VScroll2);
    const int wider = static_cast<int>(room);

    const std::pair<int, int> cases[] = {{300, 30}, {305, 30}, {315, 32}};
    for (const auto &[extra, max] : cases) {
        SCOPED_TRACE(extra);
        ASSERT_NE(launchNew(wider + extra, 100), nullptr);
        EXPECT_FALSE(ui().HScroll1->isHidden());
        EXPECT_EQ(ui().HScroll1->maximum(), max);
        EXPECT_EQ(ui().HScroll1->value(), 0);
        EXPECT_EQ(geom::width(ui().Picture9), room);
        EXPECT_EQ(geom::width(ui().HScroll1), room);
        EXPECT_EQ(geom::top(ui().HScroll1), 108);
        EXPECT_TRUE(ui().VScroll2->isHidden());
    }
    ui().HScroll1->setValue(7);
    EXPECT_EQ(geom::left(ui().Picture2), -70);

    // A tall picture: the room below keeps space for the scroll bar, the status bar, the time
    // panel and 5 pixels.
    ASSERT_NE(launchNew(640, 2000), nullptr);
    const double roomBelow = static_cast<double>(board()->scaleHeight()) - geom::height(ui().HScroll1)
        - geom::height(ui().StatusBar1) - geom::height(ui().Frame1) - 5;
    EXPECT_EQ(geom::left(ui().Picture2), 0);
    EXPECT_FALSE(ui().VScroll2->isHidden());
    EXPECT_TRUE(ui().HScroll1->isHidden());
    EXPECT_EQ(geom::height(ui().Picture9), static_cast<float>(roomBelow));
    EXPECT_EQ(geom::height(ui().VScroll2), static_cast<float>(roomBelow));
    EXPECT_EQ(ui().VScroll2->maximum(), *num::toInt16((2000 - roomBelow) / 10));
    ui().VScroll2->setValue(3);
    EXPECT_EQ(geom::top(ui().Picture2), -30);
}

TEST_F(BoardLaunch, TooNarrowPictureIsRefusedWithoutTouchingTheBoard)
{
    {
        selectPicture(339, 300, QStringLiteral("narrow.png"));
        state().LaunchMode = 1;
        ModalAnswer answer(QMessageBox::Ok);
        LaunchGame(*game);
        EXPECT_TRUE(answer.seen().answered);
        EXPECT_EQ(answer.seen().text, kTooSmall);
        EXPECT_EQ(answer.seen().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(board(), nullptr);
    }

    ASSERT_NE(launchNew(640, 480), nullptr);
    state().PieceCount = 16;
    {
        selectPicture(339, 50, QStringLiteral("narrow.png"));
        ModalAnswer answer(QMessageBox::Ok);
        LaunchGame(*game);
        EXPECT_EQ(answer.seen().text, kTooSmall);
    }
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(640, 480));
    EXPECT_EQ(geom::width(ui().Picture9), 640);
    EXPECT_EQ(state().PieceCount, 16);

    // Exactly the panel's width passes, however low the picture.
    {
        selectPicture(340, 50, QStringLiteral("just.png"));
        ModalAnswer answer(QMessageBox::Ok);
        LaunchGame(*game);
        EXPECT_FALSE(answer.seen().answered);
    }
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));
    EXPECT_EQ(state().PieceCount, 49);

    // A file that is no picture ends the launch without a word.
    app.writeFile(QStringLiteral("pictures/broken.png"), QByteArrayLiteral("not a picture"));
    state().ImageFileName = QStringLiteral("broken.png");
    state().PieceCount = 25;
    {
        ModalAnswer answer(QMessageBox::Ok);
        LaunchGame(*game);
        EXPECT_FALSE(answer.seen().answered);
    }
    EXPECT_EQ(state().PieceCount, 25);
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(340, 50));
}

TEST_F(BoardLaunch, MinimisedBoardAsksToBeRestored)
{
    BoardForm *form = launchNew(640, 480);
    ASSERT_NE(form, nullptr);
    form->showMinimized();
    state().PieceCount = 16;
    selectPicture(800, 600, QStringLiteral("other.png"));
    {
        ModalAnswer answer(QMessageBox::Ok);
        LaunchGame(*game);
        EXPECT_EQ(answer.seen().text,
                  QStringLiteral("パズルのフォーム画面が最小化されています。\n"
                                 "元のサイズに戻してやり直してください。"));
    }
    EXPECT_EQ(state().ImageFilePath, app.filePath(QStringLiteral("pictures/other.png")));
    EXPECT_EQ(ui().Picture2->picture().size(), QSize(640, 480));
    EXPECT_EQ(state().PieceCount, 16);
    EXPECT_EQ(board(), form);
}

TEST_F(BoardLaunch, ResumedGameRestoresItsSettings)
{
    ASSERT_NE(launchResumed(640, 480, 100, 10, 1, 4), nullptr);
    EXPECT_EQ(state().PieceCount, 100);
    EXPECT_EQ(state().GridSide, 10);
    EXPECT_EQ(state().GameTimeLimit.minutes(), 4);
    EXPECT_FALSE(state().GameTimeLimit.isTyped());
    EXPECT_EQ(state().PlacementSound, 1);
    EXPECT_EQ(state().ElapsedSec, 12);
    EXPECT_EQ(state().ElapsedMin, 3);
    EXPECT_EQ(state().RemainingTotalSec, 120);
    EXPECT_EQ(state().TimeBarStep, 0.75f);
    EXPECT_EQ(state().RemainingSec, 60);
    EXPECT_EQ(state().RemainingMin, 2);
    EXPECT_FALSE(ui().mnuSettings->isEnabled());
    EXPECT_EQ(ui().StatusBar1->panelText(1), QStringLiteral("ピース数 100 枚"));
    EXPECT_EQ(ui().StatusBar1->panelText(2), QStringLiteral("経過時間 00:00"));
    QTRY_COMPARE(state().BoardActivated, 1.0);
    EXPECT_EQ(ui().Label5->text(),
              QStringLiteral("前回の続きからはじめます。\rスタートをクリックしてください"));
}

TEST_F(BoardLaunch, ClosedBoardIsLoadedAfreshAndActivationRunsOncePerLaunch)
{
    BoardForm *first = launchNew(640, 480);
    ASSERT_NE(first, nullptr);
    QTRY_COMPARE(state().BoardActivated, 1.0);
    ui().Label5->setText(QStringLiteral("x"));
    QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
    first->Form_Activate();
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("x"));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());

    QPointer<BoardForm> closed = first;
    first->close();
    QTRY_VERIFY(closed.isNull());
    BoardForm *second = launchNew(700, 500);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(ui().mnuStart->isEnabled());
    EXPECT_EQ(geom::width(ui().Picture2), 700);
    QTRY_COMPARE(state().BoardActivated, 1.0);
}

TEST_F(BoardLaunch, GoOnAStartedGameStartsTheNewPictureOnAFreshBoard)
{
    ASSERT_NE(launchNew(640, 480), nullptr);
    start();
    ASSERT_FALSE(ui().mnuStart->isEnabled());
    ASSERT_TRUE(ui().Timer1->isActive());

    ASSERT_NE(launchNew(700, 500), nullptr);
    EXPECT_TRUE(ui().mnuStart->isEnabled());
    EXPECT_FALSE(ui().Timer1->isActive());
    EXPECT_FALSE(ui().Timer5->isActive());
    EXPECT_TRUE(ui().Picture7->isHidden());
    for (int i = 0; i < 49; ++i)
        EXPECT_TRUE(ui().Picture6[i]->isHidden() && ui().Picture1[i]->isHidden()) << i;
    EXPECT_EQ(geom::width(ui().Picture2), 700);
}

// GO pressed on the real selection form, with pictures of its library.
class BoardLaunchFromSelection : public BoardTest
{
protected:
    void startWithLibrary(const QList<QSize> &sizes)
    {
        const QString library = app.filePath(QStringLiteral("gazou"));
        QDir().mkpath(library);
        int n = 1;
        for (const QSize &size : sizes) {
            QImage picture = boardtest::patternPicture(size.width(), size.height());
            ASSERT_TRUE(picture.save(library + QStringLiteral("/p%1.jpg").arg(n++), "JPG"));
        }
        game = std::make_unique<Game>(app.path(), music.path());
        game->start();
        ASSERT_NE(game->frmSelect(), nullptr);
    }

    // Selects the thumbnail of the named picture and clicks GO.
    void clickGo(const QString &name)
    {
        SelectForm *form = game->frmSelect();
        for (int thumb = 0; thumb < 6 && game->state().ImageFileName != name; ++thumb)
            form->Image1_Click(thumb);
        ASSERT_EQ(game->state().ImageFileName, name);
        auto *go = form->findChild<QAbstractButton *>(QStringLiteral("Command1"));
        ASSERT_NE(go, nullptr);
        ASSERT_TRUE(go->isEnabled());
        go->click();
    }

    QTemporaryDir music;
};

TEST_F(BoardLaunchFromSelection, GoShowsTheBoardOrRefusesANarrowPicture)
{
    startWithLibrary({QSize(640, 480), QSize(339, 400)});
    {
        ModalAnswer answer(QMessageBox::Ok);
        clickGo(QStringLiteral("p2.jpg"));
        EXPECT_EQ(answer.seen().text, kTooSmall);
    }
    EXPECT_EQ(board(), nullptr);

    clickGo(QStringLiteral("p1.jpg"));
    ASSERT_NE(board(), nullptr);
    EXPECT_TRUE(board()->isVisible());
    EXPECT_TRUE(game->frmSelect()->isVisible());
    EXPECT_EQ(geom::width(ui().Picture2), 640);
    EXPECT_EQ(state().ImageFilePath, app.filePath(QStringLiteral("gazou/p1.jpg")));
    QTRY_COMPARE(state().BoardActivated, 1.0);
}
