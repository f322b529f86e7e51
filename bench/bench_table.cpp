#include "BenchSession.h"
#include "FitRows.h"

#include <QCoreApplication>
#include <QMap>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

// What a player waits for, each figure measured in fresh game processes on a real X display and
// set against a floor measured in the same run: libjpeg-turbo's own djpeg decoding the same
// files, each in a process of its own. The benchmark clicks through the X server (XTest) and
// stops the clock when the picture's own pixels are on the screen, read back from the server
// each time it reports drawing (Damage). Five runs, medians, one table. The photos are made
// here, of a pattern whose colour tells where in the photo a pixel lies.

namespace {

using namespace jigsaw::bench;

constexpr int kWakeSeconds = 30;

// Where the forms' parts lie on the screen is the same in every run: learnt from a run made
// first, so that each measured run knows where to look before anything is drawn. Each run's own
// report is checked against it.
QMap<QByteArray, Report> g_layouts;

bool sameLayout(const Report &learnt, const Report &said, const QByteArray &key)
{
    const bool same = learnt.values(key) == said.values(key);
    if (!same)
        note("the layout moved: this run is not counted");
    return same;
}

// The thumbnails' probes: a thumbnail shows its whole photo stretched.
std::vector<Probe> thumbnailProbes(const Report &select, const QList<Photo> &library)
{
    std::vector<Probe> probes;
    const QList<QList<int>> thumbs = select.values("thumb");
    for (qsizetype t = 0; t < thumbs.size() && t < library.size(); ++t) {
        const QRect thumb = rectOf(thumbs[t]);
        const Photo &photo = library[t];
        for (int j = 1; j < 4; ++j) {
            for (int k = 1; k < 4; ++k) {
                const QPoint at(thumb.left() + thumb.width() * k / 4,
                                thumb.top() + thumb.height() * j / 4);
                probes.push_back({at, QPoint(photo.width * k / 4, photo.height * j / 4)});
            }
        }
    }
    return probes;
}

struct StartUp
{
    std::vector<double> cold, warm, floor;
};

// Start-up with six photos in the library: from the process's start to every thumbnail showing
// its photo, with the player's data folder empty, then again with what the first start kept.
StartUp measureStartUp(const QString &folder, const QList<Photo> &library, const QString &runs)
{
    StartUp figures;
    QStringList files;
    for (const Photo &photo : library)
        files << photo.path;
    {
        Session learning(folder, runs + QStringLiteral("/startup-learnt"));
        if (const std::optional<Report> select = learning.report("select"))
            g_layouts.insert("select", *select);
        learning.waitIdle();
    }
    const std::vector<Probe> probes = thumbnailProbes(g_layouts.value("select"), library);
    for (int i = 0; i < g_runs; ++i) {
        double floor = 0;
        for (const QString &file : files)
            floor += djpegMs({QStringLiteral("-scale"), QStringLiteral("1/8"), file});
        figures.floor.push_back(floor);
        const QString dataHome = runs + QStringLiteral("/startup%1").arg(i);
        for (std::vector<double> *figure : {&figures.cold, &figures.warm}) {
            // Quiet: the thread that times the interface's answers is the bench's, no part of
            // a start-up the player waits for.
            Session session(folder, dataHome, true);
            session.watchFor(probes, library.first());
            const std::optional<Report> select = session.report("select");
            const qint64 shown = session.shown();
            figure->push_back(shown > 0 && select && sameLayout(g_layouts.value("select"), *select, "thumb")
                                  ? double(shown - session.run().startedNs()) / kMs
                                  : -1);
            session.waitIdle();
        }
    }
    return figures;
}

struct GoRuns
{
    std::vector<double> goMs, floorMs, memory, blockedMs, startMs, startFloorMs, wakes;
};

// Launches the first library photo; with `start`, clicks Start as soon as the board is there.
void goRun(GoRuns &runs, const QString &folder, const QString &dataHome, const Photo &photo,
           bool progressive, bool start, bool wakes)
{
    Session session(folder, dataHome, wakes);
    const std::optional<Report> select = chooseFirstPhoto(session);
    if (!select)
        return;
    const long idleKb = session.run().residentKb();
    session.run().resetPeak();

    const bool learnt = g_layouts.contains("board");
    if (learnt && !start)
        session.watchFor(fittedProbes(g_layouts.value("board"), photo), photo);
    const qint64 go = g_screen.click(rectOf(select->value("go")).center());
    const std::optional<Report> board = session.report("board");
    note("board shown", double(board.has_value()));
    if (!board)
        return;
    // From the board on the screen until the photo is decoded the interface answers at once.
    const qint64 boardShown = monotonicNs();
    const QRect view = rectOf(board->value("view"));
    if (!learnt) {
        // This run only learns where the board's parts lie.
        g_layouts.insert("board", *board);
        session.waitIdle();
        return;
    }

    if (start) {
        const qint64 startClicked = g_screen.click(rectOf(board->value("start")).center());
        const std::optional<Report> box = session.report("box");
        note("box shown", double(box.has_value()));
        const std::vector<Probe> probes = boxProbes(box);
        session.watchFor(probes, photo);
        const qint64 shown = session.shown();
        note("pieces shown, ms", shown > 0 ? double(shown - startClicked) / kMs : -1);
        runs.startMs.push_back(shown > 0 ? double(shown - startClicked) / kMs : -1);
        // The floor: libjpeg making every row of the pieces in sight, passing over the rows
        // between them, in one process.
        std::vector<std::pair<int, int>> bands;
        for (const QList<int> &cell : box ? box->values("cell") : QList<QList<int>>())
            bands.emplace_back(cell.value(1), cell.value(1) + cell.value(3));
        std::sort(bands.begin(), bands.end());
        QStringList arguments{photo.path};
        for (std::size_t i = 0; i < bands.size();) {
            auto [top, bottom] = bands[i];
            for (++i; i < bands.size() && bands[i].first <= bottom; ++i)
                bottom = std::max(bottom, bands[i].second);
            arguments << QStringLiteral("%1:%2").arg(top).arg(bottom);
        }
        const double floor = bands.empty() ? -1 : GameRun::runMs(g_decodeRows, arguments);
        runs.startFloorMs.push_back(floor);
        if (wakes) {
            session.waitIdle();
            session.wait(2000);
            // Thread by thread: a thread that ends meanwhile takes its count with it.
            const QMap<int, long> before = session.run().contextSwitches();
            session.wait(kWakeSeconds * 1000);
            long woken = 0;
            const QMap<int, long> after = session.run().contextSwitches();
            for (auto thread = after.cbegin(); thread != after.cend(); ++thread)
                woken += thread.value() - before.value(thread.key(), 0);
            runs.wakes.push_back(double(woken) / kWakeSeconds);
        }
        return;
    }

    const qint64 shown = session.shown();
    note("photo shown, ms", shown > 0 ? double(shown - go) / kMs : -1);
    runs.goMs.push_back(shown > 0 && sameLayout(g_layouts.value("board"), *board, "view")
                            ? double(shown - go) / kMs
                            : -1);
    // Until the whole photo is decoded and the game rests.
    session.waitIdle();
    runs.blockedMs.push_back(session.longestLate(boardShown, monotonicNs()));
    runs.memory.push_back(double(session.run().peakKb() - idleKb) * 1024.0
                          / (double(photo.width) * photo.height * 4));
    // The photo's rows the view shows, at the scale the board shows it.
    const QRect shownAt = rectOf(board->value("shown"));
    const QRect seen = view & shownAt & g_screen.screenRect();
    const double scale = double(shownAt.width()) / photo.width;
    const int top = std::clamp(int((seen.top() - shownAt.top()) / scale), 0, photo.height);
    const int bottom =
        std::clamp(int(std::ceil((seen.bottom() + 1 - shownAt.top()) / scale)), top, photo.height);
    runs.floorMs.push_back(progressive ? djpegMs({photo.path})
                                       : djpegMs({QStringLiteral("-crop"),
                                                  QStringLiteral("%1x%2+0+%3").arg(photo.width).arg(bottom - top).arg(top),
                                                  photo.path}));
}

bool writePhoto(const QString &path, int width, int height, bool progressive)
{
    return (qEnvironmentVariableIsSet("BENCH_PHOTOS") && QFileInfo::exists(path))
        || writePhotoJpeg(path, width, height, progressive);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (const int runs = qEnvironmentVariableIntValue("BENCH_RUNS"); runs > 0)
        g_runs = runs;
    g_player = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_player");
    g_djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    g_decodeRows = QCoreApplication::applicationDirPath() + QStringLiteral("/decode_rows");
    if (g_djpeg.isEmpty()) {
        std::fprintf(stderr, "djpeg is missing (Debian package libjpeg-turbo-progs)\n");
        return 1;
    }
    if (!g_screen.open()) {
        std::fprintf(stderr, "needs an X display with XTest, Damage and shared memory\n");
        return 1;
    }
    QTemporaryDir root;
    g_runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (g_runtimeDir.isEmpty()) {
        g_runtimeDir = root.filePath(QStringLiteral("runtime"));
        QDir().mkdir(g_runtimeDir);
        QFile::setPermissions(g_runtimeDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | QFileDevice::ExeOwner);
    }
    g_sessionBus = QStringLiteral("DBUS_SESSION_BUS_ADDRESS=")
        + qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS", QStringLiteral("disabled:"));
    // BENCH_PHOTOS keeps the photos in a folder of one's own between runs, made once.
    const QString photos = qEnvironmentVariable("BENCH_PHOTOS", root.filePath(QStringLiteral("photos")));
    std::printf("Making the photos...\n");
    std::fflush(stdout);
    QList<Photo> library;
    for (int i = 1; i <= 6; ++i)
        library.append({photos + QStringLiteral("/ジグソー写真%1.jpg").arg(i), 4000, 3000});
    const Photo baseline{photos + QStringLiteral("/baseline24.jpg"), 6000, 4000};
    const Photo progressive{photos + QStringLiteral("/progressive24.jpg"), 6000, 4000};
    const Photo giant{photos + QStringLiteral("/giant1g.jpg"), 40000, 25000};
    bool written = true;
    for (const Photo &photo : library)
        written = written && writePhoto(photo.path, photo.width, photo.height, false);
    written = written && writePhoto(baseline.path, baseline.width, baseline.height, false)
        && writePhoto(progressive.path, progressive.width, progressive.height, true)
        && (!wanted("giant") || writePhoto(giant.path, giant.width, giant.height, false));
    const QString runs = root.filePath(QStringLiteral("runs"));
    const QString libraryFolder = makeProgramFolder(root.filePath(QStringLiteral("lib")), library);
    const QString folder24 = makeProgramFolder(root.filePath(QStringLiteral("p24")), {baseline});
    const QString folderProgressive =
        makeProgramFolder(root.filePath(QStringLiteral("p24p")), {progressive});
    const QString folderGiant =
        wanted("giant") ? makeProgramFolder(root.filePath(QStringLiteral("p1g")), {giant}) : QStringLiteral("-");
    if (!written || libraryFolder.isEmpty() || folder24.isEmpty() || folderProgressive.isEmpty()
        || folderGiant.isEmpty()) {
        std::fprintf(stderr, "cannot write the photos\n");
        return 1;
    }
    std::printf("Each figure: median of %d fresh game processes on %dx%d X, clicked through the "
                "server, stopped when the photo's own pixels are on the screen; floor: djpeg, "
                "one process per file, in the same run.\n\n",
                g_runs, g_screen.screenRect().width(), g_screen.screenRect().height());
    std::printf("%-58s %14s %14s %7s  %-8s %s\n", "figure", "ours", "floor", "ratio", "goal", "met");

    if (wanted("startup")) {
        const StartUp startUp = measureStartUp(libraryFolder, library, runs);
        const double startUpFloor = median(startUp.floor);
        printRow("start-up -> 6 thumbnails of 12 MP photos shown", median(startUp.cold),
                 startUpFloor, "ms", 1.0);
        printRow("start-up again, thumbnails kept from before", median(startUp.warm),
                 startUpFloor, "ms", 0.2);
    }

    GoRuns base;
    GoRuns prog;
    GoRuns giantRuns;
    GoRuns startRuns;
    GoRuns learning;
    goRun(learning, folder24, runs + QStringLiteral("/go-learnt"), baseline, false, false, false);
    for (int i = 0; i < g_runs; ++i) {
        const QString data = runs + QStringLiteral("/go%1").arg(i);
        if (wanted("go")) {
            goRun(base, folder24, data, baseline, false, false, false);
            goRun(prog, folderProgressive, data, progressive, true, false, false);
        }
        if (wanted("start"))
            goRun(startRuns, folder24, data, baseline, false, true, true);
        if (wanted("giant"))
            goRun(giantRuns, folderGiant, data, giant, false, true, false);
    }
    const double pictureMb = double(baseline.width) * baseline.height * 4 / (1 << 20);
    printRow("GO -> photo in view painted, 24 MP baseline (floor: rows in view)", median(base.goMs),
             median(base.floorMs), "ms", 1.3);
    printRow("GO -> first whole photo painted, 24 MP progressive", median(prog.goMs),
             median(prog.floorMs), "ms", 0.5);
    printPlain("  longest the interface did not answer, board shown to decoded",
               median(prog.blockedMs), "ms", 20);
    printRow("Start at once after GO -> box pieces painted, 24 MP", median(startRuns.startMs),
             median(startRuns.startFloorMs), "ms", 1.5);
    printRow("Start at once after GO -> box pieces painted, 1 GP", median(giantRuns.startMs),
             median(giantRuns.startFloorMs), "ms", 1.5);
    printRow("peak memory above idle, 24 MP baseline", median(base.memory) * pictureMb, pictureMb,
             "MB", 1.15);
    printRow("peak memory above idle, 24 MP progressive", median(prog.memory) * pictureMb,
             pictureMb, "MB", 1.15);
    printPlain("wake-ups a second, idle on the board with the clock running",
               median(startRuns.wakes), "/s", 5);

    if (wanted("fit")) {
        const Photo photo100{photos + QStringLiteral("/baseline100.jpg"), 12000, 8000};
        const QString folder100 = writePhoto(photo100.path, photo100.width, photo100.height, false)
            ? makeProgramFolder(root.filePath(QStringLiteral("p100")), {photo100})
            : QString();
        printFittedPhoto("24 MP", folder24, baseline, runs);
        if (!folder100.isEmpty())
            printFittedPhoto("100 MP", folder100, photo100, runs);
    }
    if (wanted("wide")) {
        const Photo wide{photos + QStringLiteral("/wide.jpg"), 60000, 8000};
        const QString folderWide = writePhoto(wide.path, wide.width, wide.height, false)
            ? makeProgramFolder(root.filePath(QStringLiteral("pwide")), {wide})
            : QString();
        if (!folderWide.isEmpty())
            printGiantPhoto(folderWide, runs);
    }
    return 0;
}
