#include "PanelTestSupport.h"

#include "board/PictureBox.h"
#include "platform/Geometry.h"
#include "select/SelectForm.h"
#include "sound/Sound.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace jigsaw;
using Cue = SoundCues::Cue;

using QuestionPanel = PanelTest;

TEST_F(QuestionPanel, SlidesInByThirtyAndOutByFiftyAndClosesTheQuestionAtTheEnd)
{
    launch();
    // The launch parks the 340-pixel panel at -350; the activation's slide stops at -20.
    EXPECT_EQ(geom::left(ui().Picture4), -20);

    ui().Command1->click(); // mode 0: OK only slides the panel away
    EXPECT_TRUE(ui().Timer4->isActive());
    state().PanelMode = 8; // whatever was asked, the end of the slide-out closes it
    int ticks = 0;
    while (ui().Timer4->isActive()) {
        EXPECT_EQ(state().PanelMode, 8) << "tick " << ticks;
        board()->Timer4_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 8); // seven steps of 50 and the one that ends the slide
    EXPECT_EQ(geom::left(ui().Picture4), -370);
    EXPECT_EQ(state().PanelMode, 0);

    geom::setTop(ui().Picture2, -40); // the board scrolled down
    ui().mnuQuit->trigger();
    EXPECT_EQ(drive(ui().Timer3, &BoardForm::Timer3_Timer), 13);
    EXPECT_EQ(geom::left(ui().Picture4), -10);
    EXPECT_EQ(geom::top(ui().Picture2), 0); // scrolled back so that the panel is in view
    EXPECT_EQ(board()->focusWidget(), ui().Command1);

    ui().mnuSetGameTime->trigger();
    drive(ui().Timer3, &BoardForm::Timer3_Timer);
    const QWidget *focus = board()->focusWidget();
    EXPECT_TRUE(focus == ui().Combo1 || focus == ui().Combo1->lineEdit());
}

TEST_F(QuestionPanel, AQuestionAskedDuringTheSlideOutKeepsItsMode)
{
    launch();
    const std::pair<QAction *, double> questions[] = {{ui().mnuQuit, 1},
                                                      {ui().mnuSetGameTime, 3}};
    for (const auto &[menu, mode] : questions) {
        ui().Command1->click();
        tick(&BoardForm::Timer4_Timer, 3); // halfway out
        menu->trigger();
        EXPECT_FALSE(ui().Timer4->isActive());
        finishSlides();
        EXPECT_EQ(state().PanelMode, mode);
        EXPECT_EQ(geom::left(ui().Picture4), -20);
        // Closes the question again for the next round.
        state().PanelMode = 0;
    }
}

TEST_F(QuestionPanel, NoInModeFiveGoesBackToTheSaveName)
{
    launch();
    board()->AskQuestion(5, QStringLiteral("この名前はすでに存在します。\rこの名前で上書き保存しますか？"),
                         BoardForm::InputBox | BoardForm::NoButton);
    finishSlides();
    ui().Combo1->setCurrentText(QStringLiteral("たろう"));

    ui().Command3->click();
    EXPECT_EQ(state().PanelMode, 4);
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("プレーヤー名を入力してください。"));
    EXPECT_EQ(ui().Combo1->currentText(), QString());
    EXPECT_FALSE(ui().Timer4->isActive()); // the panel stays
}

TEST_F(QuestionPanel, QuitAsksAndOkEndsTheProgramWithoutTheClosingReactions)
{
    game->start();
    auto *savedGames = game->frmSelect()->findChild<QComboBox *>(QStringLiteral("Combo1"));
    ASSERT_NE(savedGames, nullptr);
    launch();
    startGame();
    savedGames->addItem(QStringLiteral("つづき"));
    const int notices = cues(Cue::Notice);

    // NO only slides the question away.
    ui().mnuQuit->trigger();
    finishSlides();
    ui().Command3->click();
    finishSlides();
    EXPECT_EQ(state().PanelMode, 0);
    EXPECT_FALSE(game->hasEnded());

    ui().mnuQuit->trigger();
    EXPECT_EQ(state().PanelMode, 1);
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("ジグソーパズルを終了しますか？"));
    EXPECT_FALSE(ui().Command3->isHidden());
    EXPECT_TRUE(ui().Combo1->isHidden());
    EXPECT_TRUE(ui().Label7->isHidden());
    EXPECT_EQ(cues(Cue::Notice), notices + 2);
    finishSlides();

    game->sound().music().clearCommandLog();
    ui().Command1->click();
    EXPECT_TRUE(game->hasEnded());
    EXPECT_EQ(musicCommands(), (QStringList{QStringLiteral("stop WaveFile"),
                                            QStringLiteral("close WaveFile")}));
    for (int i = 0; i < 49; ++i) {
        EXPECT_FALSE(ui().Picture1[static_cast<std::size_t>(i)]->hasPicture());
        EXPECT_FALSE(ui().Picture6[static_cast<std::size_t>(i)]->hasPicture());
    }
    EXPECT_FALSE(board()->isVisible());
    // The forms simply go: the selection form is not prepared for another game.
    board()->close();
    EXPECT_EQ(savedGames->count(), 1);
}

TEST_F(QuestionPanel, ClosingTheBoardStopsTheMusicAndReturnsToTheSelection)
{
    game->start();
    SelectForm *select = game->frmSelect();
    auto *savedGames = select->findChild<QComboBox *>(QStringLiteral("Combo1"));
    auto *go = select->findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_NE(savedGames, nullptr);
    ASSERT_NE(go, nullptr);

    for (const bool throughMenu : {false, true}) {
        launch();
        startGame();
        board()->Timer5_Timer(); // the music is on
        ASSERT_TRUE(game->sound().music().isPlaying(QStringLiteral("WaveFile")));
        savedGames->addItem(QStringLiteral("つづき"));
        // GO is on while a picture is selected, as it is whenever a game could be launched.
        go->setEnabled(true);
        const QPointer<BoardForm> closing = board();
        QSignalSpy focusChanges(qApp, &QApplication::focusChanged);

        if (throughMenu)
            ui().mnuNewPicture->trigger();
        else
            EXPECT_TRUE(board()->close()); // the title bar's button: never refused
        EXPECT_FALSE(game->sound().music().isOpen(QStringLiteral("WaveFile")));
        EXPECT_FALSE(closing->ui().Picture6[0]->hasPicture());
        EXPECT_FALSE(closing->ui().Timer1->isActive());
        EXPECT_FALSE(closing->ui().Timer5->isActive());
        EXPECT_EQ(savedGames->count(), 0);
        // The selection form comes back to the front and resets itself to the library view,
        // which may take the focus further on; GO had it first.
        const bool goHadFocus = select->focusWidget() == go
            || std::any_of(focusChanges.cbegin(), focusChanges.cend(),
                           [go](const QList<QVariant> &change) {
                               return change.at(1).value<QWidget *>() == go;
                           });
        EXPECT_TRUE(goHadFocus);
        EXPECT_EQ(state().PanelMode, 0); // no question was asked
        QTRY_VERIFY(closing.isNull());
        EXPECT_FALSE(game->hasEnded());
    }
}
