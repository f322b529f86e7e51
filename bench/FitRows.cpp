#include "FitRows.h"

#include <QMap>

namespace jigsaw::bench {

namespace {

// A frame of a 60 Hz screen, in ms: what a step of the zoom may take to show.
constexpr double kFrameMs = 1000.0 / 60;
// A piece dragged to and fro this many times, this far: far enough that the piece's pixels at
// one end are not its pixels at the other.
constexpr int kDragMoves = 40;
constexpr int kDragStep = 200;
// How long a figure of these waits for the game before it counts the run as failed.
constexpr int kWaitMs = 60000;

// Where the board shows each photo at the scale that fits, learnt from a run made first.
QMap<QString, Report> g_fitLayouts;

} // namespace

// Probes over the part of the view where the board shows the photo, scaled to `shown`, away
// from the question panel's rows.
std::vector<Probe> fittedProbes(const Report &board, const Photo &photo)
{
    std::vector<Probe> probes;
    const QRect shown = rectOf(board.value("shown"));
    const QList<int> panel = board.value("panel");
    const QRect inner =
        (rectOf(board.value("view")) & shown & g_screen.screenRect()).adjusted(6, 6, -6, -6);
    if (inner.isEmpty() || shown.width() <= 0)
        return probes;
    const double scale = double(shown.width()) / photo.width;
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 10; ++i) {
            const QPoint at(inner.left() + inner.width() * i / 10, inner.top() + inner.height() * j / 10);
            if (at.y() >= panel.value(0) && at.y() < panel.value(1))
                continue;
            const QPointF picture = QPointF(at - shown.topLeft()) / scale;
            probes.push_back({at, QPoint(std::min(int(picture.x()), photo.width - 1),
                                         std::min(int(picture.y()), photo.height - 1))});
        }
    }
    return probes;
}

namespace {


struct FitRuns
{
    std::vector<double> goMs, startMs, dragMs, zoomMs, sharpMs, memory, floorMs;
};

double sinceMs(qint64 thenNs, qint64 nowNs)
{
    return nowNs > 0 ? double(nowNs - thenNs) / kMs : -1;
}

// A piece of the box put on the board with a double click and dragged to and fro: the median
// time from a move of the pointer until the piece shows at its new place, or -1 when a move
// never showed.
double dragMoveMs(Session &session, const std::vector<Probe> &box, double scale, const Photo &photo)
{
    if (box.empty())
        return -1;
    // A double click the game took for two single ones leaves the piece in the box: another.
    std::optional<Report> piece;
    for (std::size_t tried = 0; tried < 3 && !piece; ++tried) {
        session.forgetReports();
        const QPoint slot = box[(box.size() / 2 + tried * 7) % box.size()].screen;
        g_screen.click(slot);
        g_screen.click(slot);
        piece = session.report("piece", 2000);
    }
    if (!piece)
        return -1;
    session.waitIdle(200);
    const QRect at = rectOf(piece->value("at"));
    const QRect cell = rectOf(piece->value("cell"));
    // The piece is held by its middle and carried a little, as a hand would, until it follows.
    QPoint from = at.center();
    const QPoint held = cell.topLeft() + (QPointF(from - at.topLeft()) / scale).toPoint();
    g_screen.press(from);
    for (int step = 0; step < 5; ++step) {
        from += QPoint(-4, 0);
        g_screen.moveTo(from);
        session.wait(10);
    }
    session.waitIdle(200);
    const auto pieceAt = [held, scale](QPoint pointer) {
        std::vector<Probe> probes;
        for (int dy = -4; dy <= 4; dy += 4) {
            for (int dx = -4; dx <= 4; dx += 4)
                probes.push_back({pointer + QPoint(dx, dy), held + (QPointF(dx, dy) / scale).toPoint()});
        }
        return probes;
    };
    std::vector<double> times;
    bool allShown = true;
    for (int i = 0; i < kDragMoves && allShown; ++i) {
        const QPoint to = from + QPoint(i % 2 == 0 ? -kDragStep : 0, 0);
        // Looked at before the move: the piece must not show there yet.
        session.watchFor(pieceAt(to), photo);
        const qint64 moved = g_screen.moveTo(to);
        const qint64 shown = session.shown(2000);
        allShown = shown >= moved;
        times.push_back(sinceMs(moved, shown));
    }
    g_screen.release(from);
    session.waitIdle();
    note("drag moves shown", double(allShown));
    return allShown ? median(times) : -1;
}

// One game: GO until the photo shows at the scale that fits, Start with the most pieces until
// the box's pieces show, a piece dragged about, one notch of Ctrl and the wheel until the box's pieces show at the
// new scale, and until they show again from the copy made for it. Without a layout learnt for
// the photo, this run only learns it.
void fitRun(FitRuns &runs, const QString &key, const QString &folder, const QString &dataHome,
            const Photo &photo)
{
    Session session(folder, dataHome, false, {QStringLiteral("BENCH_PIECES=most")});
    const std::optional<Report> select = chooseFirstPhoto(session, kWaitMs);
    if (!select)
        return;
    const long idleKb = session.run().residentKb();
    session.run().resetPeak();

    const bool learnt = g_fitLayouts.contains(key);
    if (learnt)
        session.watchFor(fittedProbes(g_fitLayouts.value(key), photo), photo);
    const qint64 go = g_screen.click(rectOf(select->value("go")).center());
    const std::optional<Report> board = session.report("board", kWaitMs);
    note("board shown", double(board.has_value()));
    if (!board)
        return;
    if (!learnt) {
        g_fitLayouts.insert(key, *board);
        session.waitIdle();
        return;
    }
    const bool sameShown = board->values("shown") == g_fitLayouts.value(key).values("shown");
    runs.goMs.push_back(sameShown ? sinceMs(go, session.shown()) : -1);

    // The player reads the question panel, asks for the most pieces, and starts.
    const std::optional<Report> pieces = session.report("pieces", kWaitMs);
    if (!pieces || pieces->value("n").value(0) != 100) {
        note("not 100 pieces: this run is not counted");
        return;
    }
    session.waitIdle(200);
    const qint64 started = g_screen.click(rectOf(board->value("start")).center());
    const std::vector<Probe> box = boxProbes(session.report("box", kWaitMs));
    session.watchFor(box, photo);
    runs.startMs.push_back(sinceMs(started, session.shown()));
    session.waitIdle();

    const QRect view = rectOf(board->value("view"));
    const double scale = double(rectOf(board->value("shown")).width()) / photo.width;
    runs.dragMs.push_back(dragMoveMs(session, box, scale, photo));

    // The wheel over the left of the board, away from the box.
    session.forgetReports();
    const qint64 wheeled = g_screen.ctrlWheelUp(QPoint(view.left() + view.width() / 4, view.center().y()));
    const std::vector<Probe> zoomed = boxProbes(session.report("box", kWaitMs));
    session.watchFor(zoomed, photo);
    const qint64 zoomShown = session.shown();
    runs.zoomMs.push_back(sinceMs(wheeled, zoomShown));
    // A copy made before the first paint at the new scale leaves nothing more to wait for.
    qint64 sharp = zoomShown;
    if (session.report("sharp", 2000)) {
        session.watchFor(zoomed, photo);
        sharp = std::max(sharp, session.shown());
    }
    runs.sharpMs.push_back(zoomShown > 0 ? sinceMs(wheeled, sharp) : -1);
    session.waitIdle();
    runs.memory.push_back(double(session.run().peakKb() - idleKb) * 1024.0
                          / (double(photo.width) * photo.height * 4));
    runs.floorMs.push_back(djpegMs({photo.path}));
}

} // namespace

void printFittedPhoto(const char *name, const QString &folder, const Photo &photo,
                      const QString &runs)
{
    FitRuns fit;
    const QString key = QString::fromUtf8(name);
    FitRuns learning;
    fitRun(learning, key, folder, runs + QStringLiteral("/fit-learnt-") + key, photo);
    for (int i = 0; i < g_runs; ++i)
        fitRun(fit, key, folder, runs + QStringLiteral("/fit%1-").arg(i) + key, photo);
    const double floor = median(fit.floorMs);
    const double pictureMb = double(photo.width) * photo.height * 4 / (1 << 20);
    const auto figure = [name](const char *what) {
        return QStringLiteral("%1 at fit: %2").arg(QLatin1String(name), QLatin1String(what)).toUtf8();
    };
    printRow(figure("GO -> board painted").constData(), median(fit.goMs), floor, "ms", 1.5);
    printRow(figure("first Start, 100 pieces").constData(), median(fit.startMs), floor, "ms", 0.2);
    printRow(figure("one drag move (floor: a frame)").constData(), median(fit.dragMs), kFrameMs,
             "ms", 0.05);
    printRow(figure("zoom step -> painted (floor: a frame)").constData(), median(fit.zoomMs), kFrameMs, "ms",
             1.0);
    printRow(figure("zoom step -> sharp from its copy").constData(), median(fit.sharpMs), floor, "ms", 0.5);
    printRow(figure("peak memory above idle").constData(), median(fit.memory) * pictureMb, pictureMb, "MB", 1.2);
}

void printGiantPhoto(const QString &folder, const QString &runs)
{
    Session session(folder, runs + QStringLiteral("/giant-check"), false,
                    {QStringLiteral("BENCH_CHECK=giant")});
    const std::optional<Report> giant = session.report("giant", kTimeoutMs);
    const bool reached = giant && giant->value("reached").value(0) == 1;
    const bool completed = giant && giant->value("completed").value(0) == 1;
    const int distinctSlots = giant ? giant->value("slots").value(0) : 0;
    const QByteArray figure = QStringLiteral("%1 x %2 photo: every column, 100 pieces")
                                  .arg(giant ? giant->value("width").value(0) : 0)
                                  .arg(giant ? giant->value("height").value(0) : 0)
                                  .toUtf8();
    std::printf("%-58s %s (far corner %s, %d distinct slots, %s)\n", figure.constData(),
                reached && distinctSlots == 100 && completed ? "met" : "NOT MET",
                reached ? "shown" : "NOT shown", distinctSlots, completed ? "completed" : "NOT completed");
    std::fflush(stdout);
}

} // namespace jigsaw::bench
