#include "Files.h"

#include "NameOrder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

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

WriteStatus replaceFile(const QString &path, const std::function<bool(QIODevice &)> &fill)
{
    // QSaveFile would follow a link to its target, which may lie anywhere; a link, a folder or
    // a special file in the target's place is refused instead.
    const QFileInfo target(path);
    if (target.isSymLink() || (target.exists() && !target.isFile()))
        return WriteStatus::NotAFile;

    QSaveFile file(path);
    // Unbuffered, so that every write reaches the system at once and its error is seen. A last
    // buffered write would only fail inside commit(), which renames the short file over the
    // old one all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WriteStatus::CannotCreate;
    const bool written = fill(file) && file.flush() && file.error() == QFileDevice::NoError
        && ::fsync(file.handle()) == 0;
    if (!written) {
        file.cancelWriting();
        return WriteStatus::Failed;
    }
    return file.commit() ? WriteStatus::Ok : WriteStatus::Failed;
}

WriteStatus replaceFile(const QString &path, const QByteArray &bytes)
{
    return replaceFile(path, [&bytes](QIODevice &file) {
        return file.write(bytes) == bytes.size();
    });
}

bool copyFile(const QString &from, const QString &to, Overwrite overwrite)
{
    if (!fileExists(from))
        return false;
    if (overwrite == Overwrite::No && (QFileInfo::exists(to) || QFileInfo(to).isSymLink()))
        return false;

    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const WriteStatus status = replaceFile(to, [&source](QIODevice &target) {
        constexpr qint64 kChunk = 1 << 20;
        while (!source.atEnd()) {
            const QByteArray chunk = source.read(kChunk);
            if (chunk.isEmpty() || target.write(chunk) != chunk.size())
                return false;
        }
        return source.error() == QFileDevice::NoError;
    });
    return status == WriteStatus::Ok;
}

bool nameFits(const QString &fileName)
{
    // Linux file systems take names of up to 255 bytes; QSaveFile adds ".XXXXXX" for its
    // temporary file.
    constexpr qsizetype kLongestName = 255 - 7;
    return QFile::encodeName(fileName).size() <= kLongestName;
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
