#include "MemoryLimits.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QDir>
#include <QFile>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace jigsaw::memory {

namespace {

// What the game needs besides its picture: its windows, painting, the sound.
constexpr qint64 kReserve = qint64(128) << 20;

QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(1 << 16);
}

// The value of a "Name:   123 kB" line of a /proc file, in bytes.
qint64 procKilobytes(const QByteArray &text, const QByteArray &name)
{
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

// A number alone in a file; none for "max" or anything else.
std::optional<qint64> numberIn(const QString &path)
{
    bool ok = false;
    const qint64 value = readSmallFile(path).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

// A path of /proc/self/mountinfo, where a space is written \040 and a backslash \134.
QString unescaped(const QByteArray &field)
{
    QByteArray path;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                path += char(code);
                i += 3;
                continue;
            }
        }
        path += field[i];
    }
    return QFile::decodeName(path);
}

// One hierarchy of control groups: which files hold its limit and its use, where it is
// mounted, and which of its groups the mount shows as its top.
struct Hierarchy
{
    const char *limitFile;
    const char *usageFile;
    QString mountPoint;
    QString mountRoot = QStringLiteral("/");
};

// Where the hierarchy is mounted: the cgroup2 file system (v2), or the cgroup file system
// that carries the memory controller (v1).
void findMount(const QString &systemRoot, bool version2, Hierarchy &hierarchy)
{
    const QByteArray mounts = readSmallFile(systemRoot + QStringLiteral("/proc/self/mountinfo"));
    for (const QByteArray &line : mounts.split('\n')) {
        const QByteArrayList fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (separator < 5 || separator + 3 >= fields.size())
            continue;
        const QByteArray &type = fields[separator + 1];
        const bool found = version2
            ? type == "cgroup2"
            : type == "cgroup" && fields[separator + 3].split(',').contains("memory");
        if (found) {
            hierarchy.mountRoot = unescaped(fields[3]);
            hierarchy.mountPoint = unescaped(fields[4]);
            return;
        }
    }
}

// The least room under the limits of the group at `path` of the hierarchy and every group
// above it, within `room`.
qint64 roomInHierarchy(const QString &systemRoot, Hierarchy hierarchy, const QString &path,
                       qint64 room)
{
    const QString mount = QDir::cleanPath(systemRoot + hierarchy.mountPoint);
    const QString top = QDir::cleanPath(hierarchy.mountRoot);
    const QString own = QDir::cleanPath(path);
    // The mount shows the groups from its root down; a group outside it is not in sight.
    QString inside;
    if (top == QStringLiteral("/"))
        inside = own;
    else if (own == top || own.startsWith(top + QLatin1Char('/')))
        inside = own.mid(top.size());
    QString group = QDir::cleanPath(mount + QLatin1Char('/') + inside);
    for (;;) {
        const std::optional<qint64> limit =
            numberIn(group + QLatin1Char('/') + QLatin1String(hierarchy.limitFile));
        const std::optional<qint64> usage =
            numberIn(group + QLatin1Char('/') + QLatin1String(hierarchy.usageFile));
        if (limit && usage)
            room = room < 0 ? *limit - *usage : std::min(room, *limit - *usage);
        if (group == mount || !group.startsWith(mount + QLatin1Char('/')))
            break;
        group = QDir::cleanPath(group + QStringLiteral("/.."));
    }
    return room;
}

} // namespace

qint64 availableMemory(const QString &systemRoot)
{
    return procKilobytes(readSmallFile(systemRoot + QStringLiteral("/proc/meminfo")),
                         "MemAvailable:");
}

qint64 controlGroupRoom(const QString &systemRoot)
{
    Hierarchy v2{"memory.max", "memory.current", QStringLiteral("/sys/fs/cgroup")};
    Hierarchy v1{"memory.limit_in_bytes", "memory.usage_in_bytes",
                 QStringLiteral("/sys/fs/cgroup/memory")};
    findMount(systemRoot, true, v2);
    findMount(systemRoot, false, v1);

    qint64 room = -1;
    const QByteArray groups = readSmallFile(systemRoot + QStringLiteral("/proc/self/cgroup"));
    for (const QByteArray &line : groups.split('\n')) {
        // "0::/path" for v2; "4:memory:/path" for v1's memory controller.
        const qsizetype first = line.indexOf(':');
        const qsizetype second = line.indexOf(':', first + 1);
        if (first < 0 || second < 0)
            continue;
        const QByteArray controllers = line.mid(first + 1, second - first - 1);
        const QString path = QString::fromUtf8(line.mid(second + 1)).trimmed();
        if (line.startsWith("0::"))
            room = roomInHierarchy(systemRoot, v2, path, room);
        else if (controllers.split(',').contains("memory"))
            room = roomInHierarchy(systemRoot, v1, path, room);
    }
    return room;
}

qint64 addressSpaceRoom()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    const qint64 pages =
        readSmallFile(QStringLiteral("/proc/self/statm")).split(' ').first().toLongLong();
    const qint64 limitBytes = limit.rlim_cur > std::uint64_t(std::numeric_limits<qint64>::max())
        ? std::numeric_limits<qint64>::max()
        : qint64(limit.rlim_cur);
    return limitBytes - pages * sysconf(_SC_PAGESIZE);
}

qint64 pictureBudget(const QString &systemRoot)
{
    qint64 free = availableMemory(systemRoot);
    if (free < 0)
        free = qint64(sysconf(_SC_AVPHYS_PAGES)) * sysconf(_SC_PAGESIZE);
    for (const qint64 room : {controlGroupRoom(systemRoot), addressSpaceRoom()}) {
        if (room >= 0)
            free = std::min(free, room);
    }
    return std::max<qint64>(0, std::min(free - kReserve, free / 2));
}

} // namespace jigsaw::memory
