#include "BenchUtil.h"
#include "board/BoardForm.h"
#include "board/PictureBox.h"
#include "platform/Geometry.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "app/Game.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <cmath>
#include <cstdio>
#include <functional>
#include <set>
#include <optional>
#include <vector>

// One fresh run of the game, started by the benchmark driver, that plays like a player and
// reports when what the player waits for has reached the screen:
//   startup <program folder>   start-up until the selection form is painted with its page;
//   play <program folder>      the first library picture chosen, GO until the board is painted,
//                              100 pieces, スタート until the pieces are painted, the memory;
//   drag <program folder>      as play, then every piece out and one piece dragged about;
//   zoom <program folder>      as drag, then one step of the zoom with Ctrl and the wheel;
//   giant <program folder>     a photo beyond 16 bits a side: its far corner, 100 slots, and
//                              every piece dragged onto its place.
// It prints key=value pairs on one line.

namespace {

using namespace jigsaw;

constexpr int kDragMoves = 400;

// Notes the moment a widget's paint has been put on the screen: the end of the window update
// (an expose or an update request) in which one of the watched widgets painted.
class PaintWatch : public QObject
{
public:
    void watch(std::function<bool(const QObject *)> target)
    {
        m_target = std::move(target);
        paintedNs.reset();
    }
    std::optional<qint64> paintedNs;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_target && m_target(watched))
            m_sawPaint = true;
        const bool windowUpdate =
            event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest;
        if (!windowUpdate || m_inside || paintedNs || !m_target)
            return false;
        m_inside = true;
        m_sawPaint = false;
        watched->event(event);
        m_inside = false;
        if (m_sawPaint)
            paintedNs = bench::monotonicNs();
        return true;
    }

private:
    std::function<bool(const QObject *)> m_target;
    bool m_inside = false;
    bool m_sawPaint = false;
};

bool waitFor(const std::function<bool()> &condition, int ms = 60000)
{
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

bool named(const QObject *object, const char *prefix)
{
    return object->objectName().startsWith(QLatin1String(prefix));
}

long statusKb(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// Makes the peak resident memory start again from what is resident now.
void resetPeakMemory()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

double msSince(qint64 startNs, const PaintWatch &watch)
{
    return watch.paintedNs ? double(*watch.paintedNs - startNs) / 1e6 : -1;
}

void sendMouse(QWidget *w, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// The median time of one move of a piece dragged back and forth, each move painted and put
// on the screen; -1 when the piece is out of sight (its moves would cost nothing).
double dragMoveMs(BoardForm *board, PictureBox *piece)
{
    if (piece->visibleRegion().isEmpty())
        return -1;
    const QPointF grab(60, 60);
    sendMouse(piece, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(board, QEvent::UpdateRequest);
    std::vector<double> times;
    for (int i = 0; i < kDragMoves; ++i) {
        const int sign = (i / 50) % 2 == 0 ? 1 : -1;
        const QPointF to = grab + QPointF(6 * sign, 3 * sign);
        const qint64 start = bench::monotonicNs();
        sendMouse(piece, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(board, QEvent::UpdateRequest);
        times.push_back(double(bench::monotonicNs() - start) / 1e6);
    }
    sendMouse(piece, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    return bench::median(std::move(times));
}

// One notch of the wheel with Ctrl over the middle of the board view: the time until the view
// is painted at the new scale, and until it is painted from the copy of the picture made for
// that scale.
void zoomStep(BoardForm *board, PaintWatch &watch)
{
    PictureBox *view = board->ui().Picture9;
    const QPointF at = QRectF(view->rect()).center();
    watch.watch([](const QObject *o) { return named(o, "Picture2"); });
    const qint64 start = bench::monotonicNs();
    QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    waitFor([&watch] { return watch.paintedNs.has_value(); }, 10000);
    const double stepMs = msSince(start, watch);
    // A copy made before the view was painted leaves no second paint to wait for.
    watch.watch([](const QObject *o) { return named(o, "Picture2"); });
    const bool repainted = waitFor([&watch] { return watch.paintedNs.has_value(); }, 2000);
    std::printf(" zoom_ms=%.2f zoom_sharp_ms=%.2f scale=%.4f", stepMs,
                repainted ? msSince(start, watch) : stepMs, board->zoomScale());
}

// A photo too large for 16-bit positions: at full size the view reaches its far corner, the
// box gives each of 100 pieces a slot of its own, and at the scale that fits the screen every
// piece dragged onto its place completes the game.
int giant(Game &game)
{
    game.start();
    SelectForm *form = game.frmSelect();
    if (!QTest::qWaitForWindowExposed(form))
        return 2;
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    BoardForm *board = game.boardIfLoaded();
    if (!board || !waitFor([&] { return game.state().BoardActivated == 1; }))
        return 3;
    const BoardControls &ui = board->ui();
    waitFor([&ui] { return !ui.Timer3->isActive(); });
    ui.mnuZoomSteps[2]->trigger(); // 100%
    QTest::keyClick(ui.HScroll1, Qt::Key_End);
    QTest::keyClick(ui.VScroll2, Qt::Key_End);
    const QImage &picture = board->gamePicture();
    const QImage shown = ui.Picture9->grab().toImage();
    const QRgb corner = shown.pixel(shown.width() - 1, shown.height() - 1);
    const QRgb last = picture.pixel(picture.width() - 1, picture.height() - 1);
    const bool reached = geom::left(ui.Picture2) + geom::width(ui.Picture2) == geom::width(ui.Picture9)
        && std::abs(qGray(corner) - qGray(last)) < 8;

    ui.mnuPieceCounts.back()->trigger();
    ui.mnuStart->trigger();
    ui.Timer1->stop();
    ui.Timer5->stop();
    std::set<std::pair<int, int>> places;
    for (std::size_t i = 0; i < 100; ++i)
        places.insert({game.boardFields().BoxSlot[i][1], game.boardFields().BoxSlot[i][2]});
    const int distinct = static_cast<int>(places.size());

    ui.mnuZoomFit->trigger();
    ui.mnuPieceBox->trigger(); // every piece out
    const double scale = board->zoomScale();
    for (std::size_t i = 0; i < 100; ++i) {
        PictureBox *piece = ui.Picture1[i];
        const auto &place = game.boardFields().CorrectPos[i];
        const QPointF by = (QPointF(place[1], place[2])
                            - QPointF(geom::left(piece), geom::top(piece))) * scale;
        const QPointF grab = QRectF(piece->rect()).center();
        sendMouse(piece, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        sendMouse(piece, QEvent::MouseMove, grab + by, Qt::NoButton, Qt::LeftButton);
        sendMouse(piece, QEvent::MouseButtonRelease, grab + by, Qt::LeftButton, Qt::NoButton);
    }
    std::printf("width=%d height=%d reached=%d slots=%d completed=%d\n", picture.width(),
                picture.height(), reached ? 1 : 0, distinct,
                game.boardFields().Completed == 1 ? 1 : 0);
    return 0;
}

int play(Game &game, PaintWatch &watch, bool drag, bool zoom)
{
    game.start();
    SelectForm *form = game.frmSelect();
    if (!QTest::qWaitForWindowExposed(form))
        return 2;
    settle();
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    settle();
    const long idleKb = statusKb("VmRSS:");
    resetPeakMemory();

    watch.watch([](const QObject *o) { return named(o, "Picture2"); });
    const qint64 go = bench::monotonicNs();
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    BoardForm *board = game.boardIfLoaded();
    if (!board || !waitFor([&watch] { return watch.paintedNs.has_value(); }))
        return 3;
    const double goMs = msSince(go, watch);

    // The player reads the question panel once it has slid in, then asks for 100 pieces.
    const BoardControls &ui = board->ui();
    if (!waitFor([&] { return game.state().BoardActivated == 1 && !ui.Timer3->isActive(); }))
        return 4;
    ui.mnuPieceCounts.back()->trigger();
    settle();
    watch.watch([](const QObject *o) { return named(o, "Picture6("); });
    const qint64 start = bench::monotonicNs();
    ui.mnuStart->trigger();
    const double startMs = msSince(start, watch);
    settle();
    const long peakKb = statusKb("VmHWM:");
    int pieces = 0;
    for (const PictureBox *slot : ui.Picture6)
        pieces += slot->isVisible() && slot->hasPicture() ? 1 : 0;
    std::printf("go_ms=%.2f start_ms=%.2f idle_kb=%ld peak_kb=%ld pieces=%d width=%d height=%d",
                goMs, startMs, idleKb, peakKb, pieces, board->gamePicture().width(),
                board->gamePicture().height());

    if (drag) {
        ui.mnuPieceBox->trigger(); // every piece out on the board
        ui.Timer1->stop();
        ui.Timer5->stop();
        waitFor([&ui] { return !ui.Timer4->isActive(); });
        // The dragged piece lies in the view, wherever the view was scrolled to, over the
        // others.
        PictureBox *piece = ui.Picture1[55];
        geom::move(piece, 40 - ui.Picture2->x(), 30 - ui.Picture2->y());
        piece->raise();
        settle();
        std::printf(" drag_ms=%.4f", dragMoveMs(board, piece));
    }
    if (zoom) {
        zoomStep(board, watch);
        std::printf(" zoom_peak_kb=%ld", statusKb("VmHWM:"));
    }
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: bench_player startup|play|drag|zoom|giant <program folder>\n");
        return 1;
    }
    PaintWatch watch;
    app.installEventFilter(&watch);
    Game game(args[2]);

    if (args[1] == QLatin1String("startup")) {
        watch.watch([](const QObject *o) { return named(o, "Image1("); });
        game.start();
        if (!waitFor([&watch] { return watch.paintedNs.has_value(); }))
            return 2;
        std::printf("painted_ns=%lld\n", static_cast<long long>(*watch.paintedNs));
        return 0;
    }
    if (args[1] == QLatin1String("giant"))
        return giant(game);
    const bool zoom = args[1] == QLatin1String("zoom");
    return play(game, watch, zoom || args[1] == QLatin1String("drag"), zoom);
}
