#include "PictureMemory.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>

namespace jigsaw::picture {

namespace {

// What the game needs besides its picture: its windows, painting, the sound.
constexpr qint64 kReserve = qint64(128) << 20;
// Transparent huge pages are 2 MB on the machines we run on.
constexpr std::size_t kLargePage = std::size_t(2) << 20;

std::atomic<qint64> g_cap{0};

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

// Room left under the memory limits of the process's control group and of every group above
// it (cgroup v2); -1 when none is set.
qint64 controlGroupRoom()
{
    qint64 room = -1;
    for (const QByteArray &line : readSmallFile(QStringLiteral("/proc/self/cgroup")).split('\n')) {
        if (!line.startsWith("0::"))
            continue;
        const QString root = QStringLiteral("/sys/fs/cgroup");
        QString group = QDir::cleanPath(root + QString::fromUtf8(line.mid(3)).trimmed());
        for (;;) {
            const auto number = [&group](const char *name, bool *ok) {
                return readSmallFile(group + QLatin1Char('/') + QLatin1String(name))
                    .trimmed()
                    .toLongLong(ok);
            };
            bool limited = false;
            bool counted = false;
            const qint64 max = number("memory.max", &limited);
            const qint64 current = number("memory.current", &counted);
            if (limited && counted)
                room = room < 0 ? max - current : std::min(room, max - current);
            if (group == root || !group.startsWith(root + QLatin1Char('/')))
                break;
            group = QDir::cleanPath(group + QStringLiteral("/.."));
        }
    }
    return room;
}

// Room left in the process's address space when it is limited; -1 when it is not.
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

struct Mapping
{
    void *base;
    std::size_t length;
};

void unmapPicture(void *info)
{
    const auto *mapping = static_cast<Mapping *>(info);
    munmap(mapping->base, mapping->length);
    delete mapping;
}

} // namespace

qint64 memoryBudget()
{
    qint64 available =
        procKilobytes(readSmallFile(QStringLiteral("/proc/meminfo")), "MemAvailable:");
    if (available < 0)
        available = qint64(sysconf(_SC_AVPHYS_PAGES)) * sysconf(_SC_PAGESIZE);
    for (const qint64 room : {controlGroupRoom(), addressSpaceRoom()}) {
        if (room >= 0)
            available = std::min(available, room);
    }
    qint64 budget = std::max<qint64>(0, available - kReserve);
    if (const qint64 cap = g_cap.load(); cap > 0)
        budget = std::min(budget, cap);
    return budget;
}

void setMemoryCap(qint64 bytes)
{
    g_cap.store(std::max<qint64>(0, bytes));
}

QImage allocatePicture(QSize size, QImage::Format format)
{
    if (size.isEmpty() || QImage::toPixelFormat(format).bitsPerPixel() != 32)
        return {};
    const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(size.height());
    const std::size_t length = (bytes + kLargePage - 1) / kLargePage * kLargePage;

    // Map one large page more than needed, then trim the ends, so the buffer starts on a
    // large-page boundary and every part of it can be a large page.
    void *raw = mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return {};
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
    if (aligned > start)
        munmap(raw, aligned - start);
    if (const std::size_t tail = kLargePage - (aligned - start); tail > 0)
        munmap(reinterpret_cast<void *>(aligned + length), tail);
    void *base = reinterpret_cast<void *>(aligned);
    madvise(base, length, MADV_HUGEPAGE); // only a wish: without large pages all still works

    auto *mapping = new Mapping{base, length};
    QImage image(static_cast<uchar *>(base), size.width(), size.height(), bytesPerLine, format,
                 unmapPicture, mapping);
    if (image.isNull())
        unmapPicture(mapping);
    return image;
}

void prefaultPicture(const QImage &picture, const std::stop_token &stop)
{
#ifdef MADV_POPULATE_WRITE
    auto *base = const_cast<uchar *>(picture.constBits());
    const auto bytes = static_cast<std::size_t>(picture.sizeInBytes());
    for (std::size_t done = 0; done < bytes && !stop.stop_requested(); done += kLargePage) {
        // Unknown to kernels before 5.14: then the decoder takes the faults as it goes.
        if (madvise(base + done, std::min(kLargePage, bytes - done), MADV_POPULATE_WRITE) != 0)
            return;
    }
#else
    (void)picture;
    (void)stop;
#endif
}

} // namespace jigsaw::picture
