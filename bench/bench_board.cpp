#include "BenchUtil.h"
#include "board/BoardForm.h"
#include "platform/AppSetup.h"
#include "select/LaunchGame.h"
#include "state/Game.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>


#include <cstdio>
#include <memory>

// The launch and the Start of a 100-piece game on a 24-megapixel photo, against decoding that
// photo with libjpeg-turbo alone, and the memory the started game holds.

namespace {

using namespace jigsaw;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kRepetitions = 5;


// Resident memory of the process in kilobytes.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// Closes the board so that the next launch loads it afresh, as after the player closed it.
void closeBoard(Game &game)
{
    QPointer<BoardForm> board = game.boardIfLoaded();
    if (!board)
        return;
    board->close();
    while (board) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// GO, up to the board's first paint.
double timeLaunch(Game &game)
{
    return bench::timeMs([&game] {
        LaunchGame(game);
        if (BoardForm *board = game.boardIfLoaded())
            board->repaint();
    });
}

// Start's own work: from the progress frame's first paint to the events it lets through
// before its closing cue.
double timeStartWork(Game &game)
{
    BoardForm *board = game.boardIfLoaded();
    if (!board)
        return 0;
    while (game.state().BoardActivated == 0)
        QCoreApplication::processEvents();
    QElapsedTimer clock;
    double workMs = 0;
    QTimer::singleShot(0, board, [&clock, &workMs, board] {
        clock.start();
        QTimer::singleShot(0, board, [&clock, &workMs] {
            workMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        });
    });
    board->ui().mnuStart->trigger();
    return workMs;
}

} // namespace

int main(int argc, char **argv)
{
    bench::useHeadlessDefaults();
    QApplication app(argc, argv);
    app::setUpApplication();

    QTemporaryDir dir;
    const QString photo = dir.filePath(QStringLiteral("photo.jpg"));
    if (!bench::writeFile(photo, bench::makePhotoJpeg(kWidth, kHeight, 90, 7))) {
        std::fprintf(stderr, "cannot write the test picture\n");
        return 1;
    }

    // The program at rest before a launch: a form with Japanese text is on screen.
    QLabel restingForm(QStringLiteral("画像選択　ゲームの続き"));
    restingForm.show();
    settle();

    Game game(dir.path());
    GameState &s = game.state();
    s.AppDir = dir.path();
    s.PictureDir = dir.path();
    s.ImageFileName = QStringLiteral("photo.jpg");
    s.SelectedThumb = 0;
    s.LaunchMode = 1;
    auto prepareHundredPieces = [&s] {
        s.PieceCount = 100;
        s.GridSide = 10;
    };

    // Memory first, on a fresh heap: idle, then one launched and started game.
    bench::turboDecode(photo);
    settle();
    const long idleKb = residentKb();
    LaunchGame(game);
    prepareHundredPieces();
    timeStartWork(game);
    settle();
    const long startedKb = residentKb();
    const double pictureKb = double(kWidth) * kHeight * 4 / 1024;
    std::printf("memory_after_start_vs_picture: %.2f (target <= 3)   [%.1f MB above idle, "
                "picture %.1f MB]\n",
                double(startedKb - idleKb) / pictureKb, double(startedKb - idleKb) / 1024,
                pictureKb / 1024);
    closeBoard(game);

    std::vector<double> decodeTimes;
    std::vector<double> launchTimes;
    std::vector<double> startTimes;
    for (int i = 0; i < kRepetitions; ++i) {
        decodeTimes.push_back(bench::timeMs([&photo] { bench::turboDecode(photo); }));
        launchTimes.push_back(timeLaunch(game));
        prepareHundredPieces();
        startTimes.push_back(timeStartWork(game));
        closeBoard(game);
    }
    const double decode = bench::median(decodeTimes);
    bench::printRatio("go_vs_turbojpeg_full", {decode, bench::median(launchTimes)}, 1.3);
    bench::printRatio("start_work_vs_turbojpeg_full", {decode, bench::median(startTimes)}, 0.5);
    return 0;
}
