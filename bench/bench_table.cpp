#include "BenchUtil.h"
#include "GameRun.h"
#include "XScreen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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

// Runs of each figure; BENCH_RUNS sets fewer for a quick look.
int g_runs = 5;
// BENCH_ONLY names the figures to take (startup, go, start, giant), all when unset.
bool wanted(const char *figures)
{
    const QByteArray only = qgetenv("BENCH_ONLY");
    return only.isEmpty() || only.split(',').contains(QByteArray(figures));
}
constexpr qint64 kMs = 1000000;
constexpr int kTimeoutMs = 180000;
constexpr int kWakeSeconds = 30;
// Rows of pieces in sight further apart than this are bands of their own.
constexpr int kBandGap = 256;

XScreen g_screen;
QString g_player;
QString g_djpeg;
QString g_runtimeDir;
// The desktop's message bus. Without one (a bare X server) the toolkit would try to start one
// in every game, which is no part of what a player waits for.
QString g_sessionBus;

struct Photo
{
    QString path;
    int width = 0;
    int height = 0;
};

// A line the game said about where things are: its kind and its fields, each a list of numbers.
struct Report
{
    QByteArray kind;
    QList<std::pair<QByteArray, QList<int>>> fields;

    // The first field of that name, and all of them in the order said.
    QList<int> value(const QByteArray &key) const { return values(key).value(0); }
    QList<QList<int>> values(const QByteArray &key) const
    {
        QList<QList<int>> all;
        for (const auto &[name, numbers] : fields) {
            if (name == key)
                all.append(numbers);
        }
        return all;
    }
};

Report parseReport(const QByteArray &line)
{
    Report report;
    const QList<QByteArray> words = line.split(' ');
    report.kind = words.value(0);
    for (qsizetype i = 1; i < words.size(); ++i) {
        const qsizetype equals = words[i].indexOf('=');
        if (equals < 0)
            continue;
        QList<int> numbers;
        for (const QByteArray &number : words[i].mid(equals + 1).split(','))
            numbers.append(number.toInt());
        report.fields.append({words[i].left(equals), numbers});
    }
    return report;
}

QRect rectOf(const QList<int> &v)
{
    return v.size() >= 4 ? QRect(v[0], v[1], v[2], v[3]) : QRect();
}

// A point of the screen and the point of the photo it must show.
struct Probe
{
    QPoint screen;
    QPoint picture;
};

// Probes over a part of the screen showing the photo from `origin` on at its own size, away
// from the part's edges (focus frames) and from the rows `skipTop` to `skipBottom` (the
// question panel sliding over the board).
void addProbes(std::vector<Probe> &probes, const QRect &part, QPoint origin, int skipTop = 0,
               int skipBottom = 0)
{
    const QRect inner = part.adjusted(6, 6, -6, -6) & g_screen.screenRect();
    if (inner.isEmpty())
        return;
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 10; ++i) {
            const QPoint at(inner.left() + inner.width() * i / 10, inner.top() + inner.height() * j / 10);
            if (at.y() >= skipTop && at.y() < skipBottom)
                continue;
            probes.push_back({at, origin + (at - part.topLeft())});
        }
    }
}

// With BENCH_VERBOSE set, what the benchmark is doing goes to the standard error.
void note(const char *what, double value = 0)
{
    static const bool verbose = qEnvironmentVariableIsSet("BENCH_VERBOSE");
    if (verbose)
        std::fprintf(stderr, "  %s %.1f\n", what, value);
}

bool shows(const std::vector<Probe> &probes, const Photo &photo)
{
    if (probes.empty())
        return false;
    return std::all_of(probes.begin(), probes.end(), [&photo](const Probe &probe) {
        return isPhotoColour(g_screen.pixel(probe.screen.x(), probe.screen.y()), probe.picture.x(),
                             probe.picture.y(), photo.width, photo.height);
    });
}

// One fresh game process and the screen it draws on.
class Session
{
public:
    // `quiet`: the game's process runs nothing of the bench's own that wakes it.
    Session(const QString &programFolder, const QString &dataHome, bool quiet = false)
        : m_run(g_player, {programFolder},
                {QStringLiteral("XDG_DATA_HOME=") + dataHome,
                 QStringLiteral("XDG_RUNTIME_DIR=") + g_runtimeDir,
                 QStringLiteral("SDL_AUDIODRIVER=dummy"), g_sessionBus,
                 QStringLiteral("BENCH_QUIET=") + (quiet ? QStringLiteral("1") : QString())})
    {
    }

    GameRun &run() { return m_run; }

    // Waits for the game to say where things of a kind are.
    std::optional<Report> report(const QByteArray &kind)
    {
        std::optional<Report> found;
        pump([&] {
            for (qsizetype i = 0; i < m_reports.size(); ++i) {
                if (m_reports[i].kind == kind) {
                    found = m_reports.takeAt(i);
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    // From now on, each time the server reports drawing, the probes' rows are read back from it;
    // the first time every probe shows the photo is kept. Looks at once too.
    void watchFor(const std::vector<Probe> &probes, const Photo &photo)
    {
        m_probes = probes;
        m_photo = photo;
        m_probeRows.clear();
        for (const Probe &probe : probes)
            m_probeRows.push_back(probe.screen.y());
        m_shownNs = -1;
        look();
    }
    // Waits until the probes show the photo; the time they first did, or -1.
    qint64 shown()
    {
        pump([this] { return m_shownNs >= 0; });
        const qint64 time = m_shownNs;
        m_probes.clear();
        return time;
    }

    // Waits until the game has spent no CPU time for `quietMs`.
    void waitIdle(int quietMs = 400)
    {
        long last = m_run.cpuTicks();
        qint64 since = monotonicNs();
        pump([&] {
            const long now = m_run.cpuTicks();
            if (now != last) {
                last = now;
                since = monotonicNs();
            }
            return now < 0 || monotonicNs() - since > quietMs * kMs;
        });
    }

    // The longest the game's user-interface thread was kept from an event posted between two
    // times, in ms.
    double longestLate(qint64 fromNs, qint64 toNs) const
    {
        double longest = 0;
        for (const auto &[at, ms] : m_late) {
            if (at >= fromNs && at <= toNs)
                longest = std::max(longest, ms);
        }
        return longest;
    }

    void wait(int ms)
    {
        const qint64 until = monotonicNs() + ms * kMs;
        pump([until] { return monotonicNs() >= until; });
    }

private:
    void look()
    {
        if (m_probes.empty() || m_shownNs >= 0 || !g_screen.grabRows(m_probeRows))
            return;
        if (shows(m_probes, m_photo))
            m_shownNs = monotonicNs();
    }

    // Handles the server's events and the game's lines until done() says so.
    void pump(const std::function<bool()> &done)
    {
        const qint64 deadline = monotonicNs() + kTimeoutMs * kMs;
        for (;;) {
            handleEvents();
            if (done() || monotonicNs() > deadline)
                return;
            pollfd fds[2] = {{g_screen.fd(), POLLIN, 0}, {m_run.outputFd(), POLLIN, 0}};
            poll(fds, m_run.outputFd() >= 0 ? 2 : 1, 5);
        }
    }

    void handleEvents()
    {
        for (const QByteArray &line : m_run.takeLines()) {
            if (line.startsWith("late ")) {
                const QList<QByteArray> words = line.split(' ');
                m_late.emplace_back(words.value(2).mid(3).toLongLong(), words.value(1).mid(3).toDouble());
            } else {
                m_reports.append(parseReport(line));
            }
        }
        if (g_screen.takeEvents())
            look();
    }

    GameRun m_run;
    QList<Report> m_reports;
    std::vector<Probe> m_probes;
    std::vector<int> m_probeRows;
    Photo m_photo;
    qint64 m_shownNs = -1;
    std::vector<std::pair<qint64, double>> m_late;
};

// djpeg with these switches and file, its output thrown away.
double djpegMs(const QStringList &arguments)
{
    return GameRun::runMs(g_djpeg, QStringList{QStringLiteral("-outfile"), QStringLiteral("/dev/null")}
                                       + arguments);
}

// A program folder whose picture library holds these photos, with near-silent cues: the cues
// block the game on purpose, and their length is not what is measured here.
QString makeProgramFolder(const QString &folder, const QList<Photo> &photos)
{
    const QString library = folder + QStringLiteral("/gazou");
    if (!QDir().mkpath(library) || !QDir().mkpath(folder + QStringLiteral("/save")))
        return {};
    for (const Photo &photo : photos) {
        // A second name for the photo, not a copy: the giant one takes hundreds of megabytes.
        const QString name = library + QLatin1Char('/') + QFileInfo(photo.path).fileName();
        if (link(QFile::encodeName(photo.path).constData(), QFile::encodeName(name).constData()) != 0
            && !QFile::copy(photo.path, name))
            return {};
    }
    // A mono 16-bit wave of a single silent sample.
    const QByteArray silence("RIFF\x26\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0"
                             "\x88\x58\x01\0\x02\0\x10\0data\x02\0\0\0\0\0",
                             46);
    for (const char *name : {"gazou.wav", "click.wav", "kansei.wav"}) {
        QFile wave(folder + QLatin1Char('/') + QLatin1String(name));
        if (!wave.open(QIODevice::WriteOnly) || wave.write(silence) != silence.size())
            return {};
    }
    return folder;
}

void printRow(const char *figure, double ours, double floor, const char *unit, double goal)
{
    const bool measured = ours >= 0 && floor > 0;
    const double ratio = measured ? ours / floor : 0;
    std::printf("%-58s %10.1f %-3s %10.1f %-3s %7.3f  <= %-5.3g %s\n", figure, ours, unit, floor,
                unit, ratio, goal, measured && ratio <= goal ? "met" : "NOT MET");
    std::fflush(stdout);
}

void printPlain(const char *figure, double ours, const char *unit, double goal)
{
    std::printf("%-58s %10.1f %-3s %14s %7s  <= %-5.3g %s\n", figure, ours, unit, "", "", goal,
                ours >= 0 && ours <= goal ? "met" : "NOT MET");
    std::fflush(stdout);
}

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

std::vector<Probe> viewProbes(const Report &board)
{
    std::vector<Probe> probes;
    const QList<int> panel = board.value("panel");
    addProbes(probes, rectOf(board.value("view")) & g_screen.screenRect(), QPoint(0, 0),
              panel.value(0), panel.value(1));
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
            Session session(folder, dataHome);
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
    const std::optional<Report> select = session.report("select");
    note("selection form shown", double(select.has_value()));
    if (!select)
        return;
    session.waitIdle();
    g_screen.click(rectOf(select->value("thumb")).center());
    session.waitIdle(200);
    const long idleKb = session.run().residentKb();
    session.run().resetPeak();

    const bool learnt = g_layouts.contains("board");
    if (learnt && !start)
        session.watchFor(viewProbes(g_layouts.value("board")), photo);
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
        std::vector<Probe> probes;
        std::vector<int> rows;
        for (const QList<int> &probe : box ? box->values("probe") : QList<QList<int>>()) {
            probes.push_back({QPoint(probe.value(0), probe.value(1)), QPoint(probe.value(2), probe.value(3))});
            rows.push_back(probe.value(3));
        }
        session.watchFor(probes, photo);
        const qint64 shown = session.shown();
        note("pieces shown, ms", shown > 0 ? double(shown - startClicked) / kMs : -1);
        runs.startMs.push_back(shown > 0 ? double(shown - startClicked) / kMs : -1);
        // The floor: for each band of rows the pieces in sight show, djpeg passing over the rows
        // above it and decoding it; the slowest band. A decoder going down would have to do at
        // least as much for the lowest band alone.
        std::sort(rows.begin(), rows.end());
        double floor = -1;
        for (std::size_t first = 0, last = 0; first < rows.size(); first = last) {
            last = first + 1;
            while (last < rows.size() && rows[last] - rows[last - 1] <= kBandGap)
                ++last;
            floor = std::max(floor, djpegMs({QStringLiteral("-crop"),
                                             QStringLiteral("%1x%2+0+%3")
                                                 .arg(photo.width)
                                                 .arg(rows[last - 1] + 1 - rows[first])
                                                 .arg(rows[first]),
                                             photo.path}));
        }
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
    const int rowsInView = std::min(photo.height, view.height());
    runs.floorMs.push_back(progressive ? djpegMs({photo.path})
                                       : djpegMs({QStringLiteral("-crop"),
                                                  QStringLiteral("%1x%2+0+0").arg(photo.width).arg(rowsInView),
                                                  photo.path}));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (const int runs = qEnvironmentVariableIntValue("BENCH_RUNS"); runs > 0)
        g_runs = runs;
    g_player = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_player");
    g_djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
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
    const QString photos = root.filePath(QStringLiteral("photos"));
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
        written = written && writePhotoJpeg(photo.path, photo.width, photo.height, false);
    written = written && writePhotoJpeg(baseline.path, baseline.width, baseline.height, false)
        && writePhotoJpeg(progressive.path, progressive.width, progressive.height, true)
        && (!wanted("giant") || writePhotoJpeg(giant.path, giant.width, giant.height, false));
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
    return 0;
}
