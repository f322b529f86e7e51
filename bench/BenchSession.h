#pragma once

#include "BenchUtil.h"
#include "GameRun.h"
#include "XScreen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QRect>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

// What the benchmark's figures share: the display, the game run in a process of its own and
// what it says, the probes that tell the photo's own pixels on the screen, djpeg for the
// floors, and the table's rows.
namespace jigsaw::bench {

// Runs of each figure; BENCH_RUNS sets fewer for a quick look.
inline int g_runs = 5;
// BENCH_ONLY names the figures to take (startup, go, start, giant, fit, wide), all
// when unset.
inline bool wanted(const char *figures)
{
    const QByteArray only = qgetenv("BENCH_ONLY");
    return only.isEmpty() || only.split(',').contains(QByteArray(figures));
}
inline constexpr qint64 kMs = 1000000;
// BENCH_TIMEOUT (seconds) shortens the wait for a quick look.
inline const int kTimeoutMs = qEnvironmentVariableIntValue("BENCH_TIMEOUT") > 0
    ? qEnvironmentVariableIntValue("BENCH_TIMEOUT") * 1000
    : 180000;

inline XScreen g_screen;
inline QString g_player;
inline QString g_djpeg;
// libjpeg over several bands of rows, for the floors djpeg cannot take.
inline QString g_decodeRows;
inline QString g_runtimeDir;
// The desktop's message bus. Without one (a bare X server) the toolkit would try to start one
// in every game, which is no part of what a player waits for.
inline QString g_sessionBus;

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

inline Report parseReport(const QByteArray &line)
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

inline QRect rectOf(const QList<int> &v)
{
    return v.size() >= 4 ? QRect(v[0], v[1], v[2], v[3]) : QRect();
}

// A point of the screen and the point of the photo it must show.
struct Probe
{
    QPoint screen;
    QPoint picture;
};

// The points of the box's pieces in sight the game said after Start, with what they show.
inline std::vector<Probe> boxProbes(const std::optional<Report> &box)
{
    std::vector<Probe> probes;
    for (const QList<int> &probe : box ? box->values("probe") : QList<QList<int>>())
        probes.push_back({QPoint(probe.value(0), probe.value(1)), QPoint(probe.value(2), probe.value(3))});
    return probes;
}

// With BENCH_VERBOSE set, what the benchmark is doing goes to the standard error.
inline void note(const char *what, double value = 0)
{
    static const bool verbose = qEnvironmentVariableIsSet("BENCH_VERBOSE");
    if (verbose)
        std::fprintf(stderr, "  %s %.1f\n", what, value);
}

inline bool shows(const std::vector<Probe> &probes, const Photo &photo)
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
    // `asks`: more of the player's environment (NAME=value).
    Session(const QString &programFolder, const QString &dataHome, bool quiet = false,
            const QStringList &asks = {})
        : m_run(g_player, {programFolder},
                QStringList{QStringLiteral("XDG_DATA_HOME=") + dataHome,
                            QStringLiteral("XDG_RUNTIME_DIR=") + g_runtimeDir,
                            QStringLiteral("SDL_AUDIODRIVER=dummy"), g_sessionBus,
                            QStringLiteral("BENCH_QUIET=") + (quiet ? QStringLiteral("1") : QString())}
                    + asks)
    {
    }

    GameRun &run() { return m_run; }

    // Waits for the game to say where things of a kind are.
    std::optional<Report> report(const QByteArray &kind, int timeoutMs = kTimeoutMs)
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
        }, timeoutMs);
        return found;
    }
    // Forgets what the game has said so far.
    void forgetReports()
    {
        handleEvents();
        m_reports.clear();
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
    qint64 shown(int timeoutMs = kTimeoutMs)
    {
        pump([this] { return m_shownNs >= 0; }, timeoutMs);
        const qint64 time = m_shownNs;
        if (time < 0)
            tellMismatches();
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
    // With BENCH_VERBOSE set, the first probes that never showed the photo: what they show.
    void tellMismatches()
    {
        if (!qEnvironmentVariableIsSet("BENCH_VERBOSE") || !g_screen.grabRows(m_probeRows))
            return;
        if (const QString shot = qEnvironmentVariable("BENCH_SHOT"); !shot.isEmpty())
            QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), shot});
        int told = 0;
        for (const Probe &probe : m_probes) {
            const Colour seen = g_screen.pixel(probe.screen.x(), probe.screen.y());
            if (isPhotoColour(seen, probe.picture.x(), probe.picture.y(), m_photo.width, m_photo.height)
                || told++ >= 5)
                continue;
            const Colour wanted = photoColour(probe.picture.x(), probe.picture.y(), m_photo.width,
                                              m_photo.height);
            std::fprintf(stderr, "  probe %d,%d for %d,%d shows %d,%d,%d, not %d,%d,%d\n",
                         probe.screen.x(), probe.screen.y(), probe.picture.x(), probe.picture.y(),
                         seen.red, seen.green, seen.blue, wanted.red, wanted.green, wanted.blue);
        }
    }

    void look()
    {
        if (m_probes.empty() || m_shownNs >= 0 || !g_screen.grabRows(m_probeRows))
            return;
        if (shows(m_probes, m_photo))
            m_shownNs = monotonicNs();
    }

    // Handles the server's events and the game's lines until done() says so.
    void pump(const std::function<bool()> &done, int timeoutMs = kTimeoutMs)
    {
        const qint64 deadline = monotonicNs() + timeoutMs * kMs;
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

// Waits for the selection form and clicks its first photo; what the form said, once the game
// rests again.
inline std::optional<Report> chooseFirstPhoto(Session &session, int timeoutMs = kTimeoutMs)
{
    const std::optional<Report> select = session.report("select", timeoutMs);
    note("selection form shown", double(select.has_value()));
    if (!select)
        return select;
    session.waitIdle();
    g_screen.click(rectOf(select->value("thumb")).center());
    session.waitIdle(200);
    return select;
}

// djpeg with these switches and file, its output thrown away.
inline double djpegMs(const QStringList &arguments)
{
    return GameRun::runMs(g_djpeg, QStringList{QStringLiteral("-outfile"), QStringLiteral("/dev/null")}
                                       + arguments);
}

// A program folder whose picture library holds these photos, with near-silent cues: the cues
// block the game on purpose, and their length is not what is measured here.
inline QString makeProgramFolder(const QString &folder, const QList<Photo> &photos)
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

inline void printRow(const char *figure, double ours, double floor, const char *unit, double goal)
{
    const bool measured = ours >= 0 && floor > 0;
    const double ratio = measured ? ours / floor : 0;
    std::printf("%-58s %10.1f %-3s %10.1f %-3s %7.3f  <= %-5.3g %s\n", figure, ours, unit, floor,
                unit, ratio, goal, measured && ratio <= goal ? "met" : "NOT MET");
    std::fflush(stdout);
}

inline void printPlain(const char *figure, double ours, const char *unit, double goal)
{
    std::printf("%-58s %10.1f %-3s %14s %7s  <= %-5.3g %s\n", figure, ours, unit, "", "", goal,
                ours >= 0 && ours <= goal ? "met" : "NOT MET");
    std::fflush(stdout);
}

} // namespace jigsaw::bench
