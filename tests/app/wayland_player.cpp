// A player's short visit under a real Wayland compositor: the selection form, the exit question
// answered No, GO, the board, its quit question answered OK, and the program's own end. Run by
// wayland_smoke.sh inside a headless weston; the exit code and the error output tell the rest.

#include "app/Game.h"
#include "board/BoardForm.h"
#include "board/PictureBox.h"
#include "platform/AppSetup.h"
#include "platform/ColorButton.h"
#include "platform/StretchImage.h"
#include "select/SelectForm.h"
#include "support/ModalAnswer.h"
#include "support/TempAppDir.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

constexpr int kWaitMs = 20000;

// Ends the run at once with the reason, so that the script reports what went wrong.
void require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "wayland_player: %s\n", what);
    std::fflush(stderr);
    std::_Exit(2);
}

void waitFor(const std::function<bool()> &condition, const char *what)
{
    require(QTest::qWaitFor(condition, kWaitMs), what);
}

// Clicks a menu-bar item of the form as a player does.
void clickMenuBarItem(QMainWindow *form, QAction *item)
{
    QMenuBar *bar = form->menuBar();
    const QRect place = bar->actionGeometry(item);
    require(place.isValid(), "the menu item is on the menu bar");
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, place.center());
}

void play(jigsaw::Game &game)
{
    using namespace jigsaw;
    SelectForm *select = game.frmSelect();
    waitFor([&] { return select->isVisible() && select->windowHandle()->isExposed(); },
            "the selection form is shown");

    auto *thumbnail = select->findChild<StretchImage *>(QStringLiteral("Image1(0)"));
    auto *go = select->findChild<ColorButton *>(QStringLiteral("Command1"));
    require(thumbnail && go, "the selection form has its first thumbnail and GO");
    waitFor([&] { return thumbnail->isVisible(); }, "the library's first page is shown");
    QTest::mouseClick(thumbnail, Qt::LeftButton);
    waitFor([&] { return go->isEnabled(); }, "GO is offered for the chosen picture");

    // The exit question is a message box over the form: No keeps the game.
    {
        ModalAnswer no(QMessageBox::No);
        clickMenuBarItem(select, select->findChild<QAction *>(QStringLiteral("終了")));
        require(no.seen().answered, "the exit question was shown");
    }
    require(!game.hasEnded(), "No to the exit question keeps the game");

    QTest::mouseClick(go, Qt::LeftButton);
    waitFor([&] { return game.boardIfLoaded() && game.boardIfLoaded()->isVisible(); },
            "GO shows the board");
    BoardForm *board = game.boardIfLoaded();
    waitFor([&] { return board->windowHandle()->isExposed(); }, "the board is drawn");
    const BoardControls &ui = board->ui();
    // The board's greeting slides in first; the quit question takes its place.
    waitFor([&] { return ui.Picture4->isVisible() && !ui.Timer3->isActive(); },
            "the board's greeting slid in");
    clickMenuBarItem(board, ui.mnuQuit);
    waitFor([&] { return ui.Picture4->isVisible() && !ui.Timer3->isActive()
                         && ui.Command1->isVisible(); },
            "the quit question slid in");
    QTest::mouseClick(ui.Command1, Qt::LeftButton);
    require(game.hasEnded(), "OK to the quit question ends the game");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    jigsaw::app::useLanguage(jigsaw::app::Language::Japanese);
    TempAppDir folder;
    QTemporaryDir music;
    jigsaw::Game game(folder.path(), music.path());
    game.start();
    // However the compositor behaves, the run ends.
    QTimer::singleShot(4 * kWaitMs, [] { require(false, "the visit took too long"); });
    QTimer::singleShot(0, [&game] { play(game); });
    const int code = QApplication::exec();
    require(game.hasEnded(), "the program ended through the board's quit question");
    return code;
}
