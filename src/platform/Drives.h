#pragma once

#include <QList>
#include <QString>

// The "drives" of the folder browser: on this system the root folder, the player's home folder
// and the mounted volumes that hold files (disks, USB sticks, network shares), without the
// system's own pseudo and temporary file systems.
namespace jigsaw::drives {

// One entry of the drive list.
struct Drive
{
    QString root;  // the folder the drive starts at, always ending in "/"
    QString label; // what the drive list shows: the path, with the volume name in brackets
};

// The drives, "/" first, then the home folder, then the other volumes by path.
QList<Drive> listDrives();

// The root of the drive in the list that holds a path (the one with the longest matching
// root); "/" when no other drive holds it.
QString driveOf(const QString &path, const QList<Drive> &drives);

// True when the drive's root is a mounted, ready, readable folder: a drive whose medium was
// removed, or a stale mount, is not.
bool isVolumeReady(const QString &root);

} // namespace jigsaw::drives
