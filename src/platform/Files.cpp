#include "Files.h"

#include "NameOrder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace jigsaw::files {

QStringList listFiles(const QString &folder)
{
    QStringList names;
    if (folder.isEmpty())
        return names;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    names::sortNaturally(names);
    return names;
}

bool makeFolder(const QString &path)
{
    return !path.isEmpty() && QDir().mkpath(path);
}

bool copyFile(const QString &from, const QString &to, Overwrite overwrite)
{
    if (!fileExists(from) || QFileInfo(to).isDir())
        return false;
    if (overwrite == Overwrite::No && QFileInfo::exists(to))
        return false;

    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return false;
        }
    }
    if (source.error() != QFileDevice::NoError) {
        target.cancelWriting();
        return false;
    }
    return target.commit();
}

bool removeFile(const QString &path)
{
    return fileExists(path) && QFile::remove(path);
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool folderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace jigsaw::files
