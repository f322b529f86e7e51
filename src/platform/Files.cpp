#include "Files.h"

#include "NameOrder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

namespace {

// A temporary file is written and renamed in moments; one untouched for this long was left
// by a game that ended in between.
constexpr time_t kStaleSeconds = 60;
constexpr qsizetype kTemporarySuffix = 7; // ".XXXXXX"

bool isTemporarySuffix(const QByteArray &suffix)
{
    if (suffix.size() != kTemporarySuffix || suffix.front() != '.')
        return false;
    for (qsizetype i = 1; i < suffix.size(); ++i) {
        const char c = suffix.at(i);
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Opens an ordinary file for reading without waiting on a special one.
bool openSource(const QString &path, QFile &file)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool copyContent(QIODevice &source, QIODevice &target)
{
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size())
            return false;
    }
    return true;
}

} // namespace

void removeStaleTemporaries(const QString &target)
{
    const QFileInfo info(target);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return;
    const QByteArray kind = QFile::encodeName(QLatin1Char('.') + suffix);
    DIR *folder = ::opendir(QFile::encodeName(info.path()).constData());
    if (folder == nullptr)
        return;
    const time_t staleBefore = std::time(nullptr) - kStaleSeconds;
    while (const dirent *entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name.size() <= kind.size() + kTemporarySuffix
            || !isTemporarySuffix(name.right(kTemporarySuffix))
            || !name.chopped(kTemporarySuffix).endsWith(kind))
            continue;
        struct stat file{};
        if (::fstatat(::dirfd(folder), entry->d_name, &file, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(file.st_mode) && file.st_uid == ::geteuid()
            && file.st_mtime < staleBefore)
            ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
    ::closedir(folder);
}

WriteStatus replaceFile(const QString &path, const std::function<bool(QIODevice &)> &fill)
{
    // QSaveFile would follow a link to its target, which may lie anywhere; a link, a folder or
    // a special file in the target's place is refused instead.
    const QFileInfo target(path);
    if (target.isSymLink() || (target.exists() && !target.isFile()))
        return WriteStatus::NotAFile;

    removeStaleTemporaries(path);
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
    if (overwrite == Overwrite::No)
        return copyAsNewFile(from, to) == CopyStatus::Ok;
    QFile source;
    if (!openSource(from, source))
        return false;
    const WriteStatus status = replaceFile(to, [&source](QIODevice &target) {
        return copyContent(source, target) && source.error() == QFileDevice::NoError;
    });
    return status == WriteStatus::Ok;
}

CopyStatus copyAsNewFile(const QString &from, const QString &to)
{
    QFile source;
    if (!openSource(from, source))
        return CopyStatus::NoSource;
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink())
        return CopyStatus::Exists;

    removeStaleTemporaries(to);
    const QByteArray name = QFile::encodeName(to);
    QByteArray temporary = name + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOENT
                || errno == ENOTDIR
            ? CopyStatus::CannotCreate
            : CopyStatus::Failed;
    }
    bool written = false;
    {
        QFile copy;
        if (copy.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                      QFileDevice::AutoCloseHandle)) {
            written = copyContent(source, copy) && source.error() == QFileDevice::NoError
                && copy.error() == QFileDevice::NoError && ::fchmod(fd, 0644) == 0
                && ::fsync(fd) == 0;
        } else {
            ::close(fd);
        }
    }
    if (written && ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, name.constData(),
                               RENAME_NOREPLACE) == 0)
        return CopyStatus::Ok;
    CopyStatus status = CopyStatus::Failed;
    // The rename gives the name only when it is still free. File systems that cannot rename
    // so take a second link, which fails the same way.
    if (written && (errno == EINVAL || errno == ENOSYS)
        && ::link(temporary.constData(), name.constData()) == 0)
        status = CopyStatus::Ok;
    else if (written && errno == EEXIST)
        status = CopyStatus::Exists;
    ::unlink(temporary.constData());
    return status;
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

bool isSpecialFile(const QString &path)
{
    struct stat info{};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0
        && (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)
            || S_ISSOCK(info.st_mode));
}

bool folderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace jigsaw::files
