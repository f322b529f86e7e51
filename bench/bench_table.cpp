#include "BenchUtil.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

// What a player waits for, each figure measured in a fresh game process and set against a
// floor measured in the same run: libjpeg-turbo's own djpeg decoding the same files, each in a
// process of its own. Five runs, medians, one table. The photos are made here, never taken
// from the picture library.

namespace {

using namespace jigsaw;

constexpr int kRuns = 5;
constexpr double kFrameMs = 1000.0 / 60;

struct Photo
{
    int width;
    int height;
};

QString g_player;
QString g_djpeg;
QProcessEnvironment g_environment;

// Runs a program to its end; its output, or nothing when it failed.
std::optional<QByteArray> run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(g_environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

double runMs(const QString &program, const QStringList &arguments)
{
    const qint64 start = bench::monotonicNs();
    if (!run(program, arguments))
        return -1;
    return double(bench::monotonicNs() - start) / 1e6;
}

// The floor: djpeg decoding each file in full or at a scale, one process after another.
double djpegMs(const QStringList &files, const QString &scale = QString())
{
    double total = 0;
    for (const QString &file : files) {
        QStringList arguments;
        if (!scale.isEmpty())
            arguments << QStringLiteral("-scale") << scale;
        arguments << QStringLiteral("-outfile") << QStringLiteral("/dev/null") << file;
        const double ms = runMs(g_djpeg, arguments);
        if (ms < 0)
            return -1;
        total += ms;
    }
    return total;
}

// The key=value figures a player process reports; none when it failed.
QHash<QByteArray, double> playerFigures(const QString &mode, const QString &programFolder)
{
    QHash<QByteArray, double> figures;
    const QByteArray output = run(g_player, {mode, programFolder}).value_or(QByteArray());
    for (const QByteArray &pair : output.trimmed().split(' ')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0)
            figures.insert(pair.left(equals), pair.mid(equals + 1).toDouble());
    }
    return figures;
}

// A program folder whose picture library holds these photos.
QString makeProgramFolder(const QTemporaryDir &root, const QString &name,
                          const std::vector<Photo> &photos, QStringList *files)
{
    const QString folder = root.filePath(name);
    unsigned seed = 1;
    for (const Photo &photo : photos) {
        const QString file = folder
            + QStringLiteral("/gazou/ジグソー写真%1.jpg").arg(seed, 2, 10, QLatin1Char('0'));
        if (!bench::writeFile(file, bench::makePhotoJpeg(photo.width, photo.height, 90, seed)))
            return {};
        files->append(file);
        ++seed;
    }
    QDir(folder).mkpath(QStringLiteral("save"));
    return folder;
}

void printRow(const QByteArray &figure, double ours, double floor, const char *unit, double goal)
{
    const bool measured = ours >= 0 && floor > 0;
    const double ratio = measured ? ours / floor : 0;
    std::printf("%-52s %10.1f %s %10.1f %s %8.3f   <= %-5.3g %s\n", figure.constData(), ours, unit, floor, unit,
                ratio, goal, measured && ratio <= goal ? "met" : "NOT MET");
    std::fflush(stdout);
}

void printPlays(const char *figure, double goMs, double startMs, double floor, bool plays)
{
    std::printf("%-52s %10.1f ms %10.1f ms %8.3f   plays %s   (first Start %.1f ms)\n", figure,
                goMs, floor, floor > 0 ? goMs / floor : 0, plays ? "met" : "NOT MET", startMs);
    std::fflush(stdout);
}

struct PlayRuns
{
    std::vector<double> goMs, startMs, peakAboveIdleMb, dragMs, floorMs;
    std::vector<double> zoomMs, zoomSharpMs, zoomPeakAboveIdleMb;
    bool allPlayed = true;
    int width = 0;
    int height = 0;
};

// Five runs of a game process on one photo, each after the floor on the same file.
PlayRuns playRuns(const QString &mode, const QString &folder, const QString &file)
{
    PlayRuns runs;
    for (int i = 0; i < kRuns; ++i) {
        runs.floorMs.push_back(djpegMs({file}));
        const QHash<QByteArray, double> f = playerFigures(mode, folder);
        runs.allPlayed = runs.allPlayed && f.value("pieces") == 100 && f.value("go_ms", -1) > 0
            && f.value("start_ms", -1) > 0;
        runs.goMs.push_back(f.value("go_ms", -1));
        runs.startMs.push_back(f.value("start_ms", -1));
        runs.peakAboveIdleMb.push_back((f.value("peak_kb") - f.value("idle_kb")) / 1024);
        runs.dragMs.push_back(f.value("drag_ms", -1));
        runs.zoomMs.push_back(f.value("zoom_ms", -1));
        runs.zoomSharpMs.push_back(f.value("zoom_sharp_ms", -1));
        runs.zoomPeakAboveIdleMb.push_back((f.value("zoom_peak_kb") - f.value("idle_kb")) / 1024);
        runs.width = int(f.value("width"));
        runs.height = int(f.value("height"));
    }
    return runs;
}

// A photo at the scale that fits the screen, as GO shows it: what the player waits for from GO
// to a zoom step, each against its floor.
void printFittedPhoto(const char *name, const QString &folder, const QString &file)
{
    const PlayRuns runs = playRuns(QStringLiteral("zoom"), folder, file);
    const double floor = bench::median(runs.floorMs);
    const double pictureMb = double(runs.width) * runs.height * 4 / (1 << 20);
    const auto figure = [name](const char *what) {
        return QStringLiteral("%1 at fit: %2").arg(QLatin1String(name), QLatin1String(what)).toUtf8();
    };
    printRow(figure("GO -> board painted"), bench::median(runs.goMs), floor, "ms", 1.5);
    printRow(figure("first Start, 100 pieces"), bench::median(runs.startMs), floor, "ms", 0.2);
    printRow(figure("one drag move (floor: a frame)"), bench::median(runs.dragMs), kFrameMs, "ms",
             0.05);
    printRow(figure("zoom step -> painted (floor: a frame)"), bench::median(runs.zoomMs),
             kFrameMs, "ms", 1.0);
    printRow(figure("zoom step -> sharp from its copy"), bench::median(runs.zoomSharpMs), floor,
             "ms", 0.5);
    printRow(figure("peak memory above idle"), bench::median(runs.zoomPeakAboveIdleMb), pictureMb,
             "MB", 1.2);
}

// A photo beyond 16 bits a side, played once: its far corner reached at full size, a slot of its
// own for each of 100 pieces, and every piece dragged onto its place.
void printGiantPhoto(const QString &folder)
{
    const QHash<QByteArray, double> f = playerFigures(QStringLiteral("giant"), folder);
    const bool met = f.value("reached") == 1 && f.value("slots") == 100 && f.value("completed") == 1;
    std::printf("%-52s %s (far corner %s, %d distinct slots, %s)\n",
                QStringLiteral("%1 x %2 photo: every column, 100 pieces")
                    .arg(f.value("width"))
                    .arg(f.value("height"))
                    .toUtf8()
                    .constData(),
                met ? "met" : "NOT MET", f.value("reached") == 1 ? "shown" : "NOT shown",
                int(f.value("slots")), f.value("completed") == 1 ? "completed" : "NOT completed");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_player = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_player");
    g_djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (g_djpeg.isEmpty()) {
        std::fprintf(stderr, "djpeg is missing (Debian package libjpeg-turbo-progs)\n");
        return 1;
    }
    QTemporaryDir root;
    // The game's per-user folders lie in the run's own folder.
    g_environment = QProcessEnvironment::systemEnvironment();
    g_environment.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
    if (!g_environment.contains(QStringLiteral("XDG_RUNTIME_DIR"))) {
        const QString runtime = root.filePath(QStringLiteral("runtime"));
        QDir().mkdir(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ExeOwner);
        g_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    }
    if (!g_environment.contains(QStringLiteral("SDL_AUDIODRIVER")))
        g_environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));

    std::printf("Making the photos...\n");
    std::fflush(stdout);
    QStringList library, photo24, photo48, photo100;
    const std::vector<Photo> page(6, {4000, 3000});
    const QString libraryFolder = makeProgramFolder(root, QStringLiteral("lib"), page, &library);
    const QString folder24 =
        makeProgramFolder(root, QStringLiteral("p24"), {{6000, 4000}}, &photo24);
    const QString folder48 =
        makeProgramFolder(root, QStringLiteral("p48"), {{8000, 6000}}, &photo48);
    const QString folder100 =
        makeProgramFolder(root, QStringLiteral("p100"), {{12000, 8000}}, &photo100);
    if (library.size() != 6 || photo24.isEmpty() || photo48.isEmpty() || photo100.isEmpty()) {
        std::fprintf(stderr, "cannot write the photos\n");
        return 1;
    }
    std::printf("Each figure: median of %d fresh game processes; floor: djpeg, one process per "
                "file, in the same run (platform: %s).\n\n",
                kRuns, qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "X11");
    std::printf("%-52s %13s %13s %8s   %-8s %s\n", "figure", "ours", "floor", "ratio", "goal",
                "met");

    // Start-up, from the process's start to the selection form painted with its first page.
    std::vector<double> startup, startupFloor;
    for (int i = 0; i < kRuns; ++i) {
        startupFloor.push_back(djpegMs(library, QStringLiteral("1/8")));
        const qint64 spawned = bench::monotonicNs();
        const double painted =
            playerFigures(QStringLiteral("startup"), libraryFolder).value("painted_ns", -1);
        startup.push_back(painted > 0 ? (painted - double(spawned)) / 1e6 : -1);
    }
    printRow("start-up -> selection form painted, 6 x 12 MP", bench::median(startup),
             bench::median(startupFloor), "ms", 2.5);

    const PlayRuns p24 = playRuns(QStringLiteral("drag"), folder24, photo24.first());
    const double floor24 = bench::median(p24.floorMs);
    printRow("GO -> board painted, 24 MP JPEG", bench::median(p24.goMs), floor24, "ms", 1.5);
    printRow("first Start, 100 pieces -> pieces painted", bench::median(p24.startMs), floor24, "ms",
             0.2);
    printRow("peak memory after Start above idle", bench::median(p24.peakAboveIdleMb),
             double(p24.width) * p24.height * 4 / (1 << 20), "MB", 1.2);
    printRow("one drag move, 100 pieces (floor: a 60 Hz frame)", bench::median(p24.dragMs),
             kFrameMs, "ms", 0.05);

    const PlayRuns p48 = playRuns(QStringLiteral("play"), folder48, photo48.first());
    printPlays("48 MP photo (8000 x 6000): GO -> board painted", bench::median(p48.goMs),
               bench::median(p48.startMs), bench::median(p48.floorMs), p48.allPlayed);
    const PlayRuns p100 = playRuns(QStringLiteral("play"), folder100, photo100.first());
    printPlays("100 MP photo (12000 x 8000): GO -> board painted", bench::median(p100.goMs),
               bench::median(p100.startMs), bench::median(p100.floorMs), p100.allPlayed);

    printFittedPhoto("24 MP", folder24, photo24.first());
    printFittedPhoto("100 MP", folder100, photo100.first());
    QStringList giantPhoto;
    const QString giantFolder =
        makeProgramFolder(root, QStringLiteral("giant"), {{60000, 8000}}, &giantPhoto);
    if (giantPhoto.isEmpty())
        return 1;
    printGiantPhoto(giantFolder);
    return 0;
}
