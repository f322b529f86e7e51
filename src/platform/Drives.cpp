#include "Drives.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace jigsaw::drives {

namespace {

const QString kSlash = QStringLiteral("/");

QString withSlash(const QString &path)
{
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

// File systems that hold no pictures a player would choose: memory-backed, read-only package
// images and container layers below the root.
bool isSystemFileSystem(const QByteArray &type)
{
    static const QList<QByteArray> kTypes = {"tmpfs", "ramfs", "squashfs", "overlay",
                                             "devtmpfs", "proc", "sysfs", "autofs"};
    return kTypes.contains(type);
}

// Mount points the system keeps for itself; removable media below /run/media stay.
bool isSystemMountPoint(const QString &root)
{
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    static const QStringList kPrefixes = {
        QStringLiteral("/boot/"), QStringLiteral("/dev/"), QStringLiteral("/proc/"),
        QStringLiteral("/sys/"),  QStringLiteral("/run/"), QStringLiteral("/snap/"),
        QStringLiteral("/var/"),  QStringLiteral("/etc/"), QStringLiteral("/usr/"),
    };
    return std::any_of(kPrefixes.cbegin(), kPrefixes.cend(),
                       [&root](const QString &prefix) { return root.startsWith(prefix); });
}

QString labelFor(const QString &root, const QString &volumeName)
{
    QString path = root;
    if (path.size() > 1)
        path.chop(1);
    const QString lastPart = path.section(QLatin1Char('/'), -1);
    if (volumeName.isEmpty() || volumeName == lastPart)
        return path;
    return path + QStringLiteral(" [") + volumeName + QLatin1Char(']');
}

} // namespace

QList<Drive> listDrives()
{
    QList<Drive> drives{{kSlash, kSlash}};

    const QString home = withSlash(QDir::cleanPath(QDir::homePath()));
    if (home != kSlash && QFileInfo(home).isDir())
        drives.append({home, labelFor(home, {})});

    QList<Drive> volumes;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = withSlash(volume.rootPath());
        if (root == kSlash || root == home || !volume.isValid() || !volume.isReady()
            || isSystemFileSystem(volume.fileSystemType()) || isSystemMountPoint(root)
            || !QFileInfo(root).isDir())
            continue;
        volumes.append({root, labelFor(root, volume.name())});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Drive &a, const Drive &b) { return a.root < b.root; });
    drives.append(volumes);
    return drives;
}

QString driveOf(const QString &path, const QList<Drive> &drives)
{
    const QString folder = withSlash(QDir::cleanPath(QDir(path).absolutePath()));
    QString best = kSlash;
    for (const Drive &drive : drives) {
        if (folder.startsWith(drive.root) && drive.root.size() > best.size())
            best = drive.root;
    }
    return best;
}

bool isVolumeReady(const QString &root)
{
    const QFileInfo info(root);
    if (root.isEmpty() || !info.isDir() || !info.isReadable())
        return false;
    const QStorageInfo volume(root);
    return volume.isValid() && volume.isReady();
}

} // namespace jigsaw::drives
