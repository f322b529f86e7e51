#include "ThumbnailCache.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cstdio>

namespace jigsaw::picture {

namespace {

// A page of thumbnails takes about 300 KB; this many entries are a few hundred pages.
constexpr int kMaxEntries = 256;
constexpr int kStoresBetweenPrunes = 64;
// Far more than a PNG of a thumbnail takes: anything larger is not ours.
constexpr qint64 kMaxEntryBytes = qint64(1) << 20;
// A temporary file this old was left by a game that stopped while writing it.
constexpr qint64 kStaleSeconds = 60;

const QString kSuffix = QStringLiteral(".png");

} // namespace

ThumbnailCache::ThumbnailCache(const QString &folder)
    : m_folder(folder)
{
}

QString ThumbnailCache::keyOf(const QString &path, QSize size)
{
    struct stat status{};
    if (stat(QFile::encodeName(path).constData(), &status) != 0
        || !S_ISREG(status.st_mode))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(QFileInfo(path).absoluteFilePath().toUtf8());
    const QString facts = QStringLiteral("|%1|%2.%3|%4x%5")
                              .arg(qint64(status.st_size))
                              .arg(qint64(status.st_mtim.tv_sec))
                              .arg(qint64(status.st_mtim.tv_nsec))
                              .arg(size.width())
                              .arg(size.height());
    hash.addData(facts.toLatin1());
    return QString::fromLatin1(hash.result().toHex());
}

std::optional<QImage> ThumbnailCache::find(const QString &key, QSize size) const
{
    if (key.isEmpty() || m_folder.isEmpty())
        return std::nullopt;
    const QString path = m_folder + QLatin1Char('/') + key + kSuffix;
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink() || info.size() > kMaxEntryBytes)
        return std::nullopt;
    if (info.size() == 0)
        return QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(kMaxEntryBytes);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "png");
    if (reader.size() != size)
        return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.size() != size)
        return std::nullopt;
    return image.convertToFormat(QImage::Format_RGB32);
}

void ThumbnailCache::store(const QString &key, const QImage &thumbnail)
{
    if (key.isEmpty() || m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return;
    if (m_stores.fetch_add(1) % kStoresBetweenPrunes == 0)
        prune();
    QByteArray bytes;
    if (!thumbnail.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!thumbnail.save(&buffer, "png"))
            return;
    }
    // Written aside and renamed into place, so a reader never meets half an entry.
    QTemporaryFile file(m_folder + QStringLiteral("/.entry-XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return;
    const QString target = m_folder + QLatin1Char('/') + key + kSuffix;
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target).constData())
        == 0)
        file.setAutoRemove(false);
}

void ThumbnailCache::prune()
{
    const QDateTime staleBefore = QDateTime::currentDateTime().addSecs(-kStaleSeconds);
    QFileInfoList entries;
    const QFileInfoList all = QDir(m_folder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Time);
    for (const QFileInfo &info : all) {
        if (info.fileName().endsWith(kSuffix))
            entries.append(info);
        else if (info.fileName().startsWith(QStringLiteral(".entry-"))
                 && info.lastModified() < staleBefore)
            QFile::remove(info.filePath());
    }
    // Newest first: the oldest go.
    for (qsizetype i = kMaxEntries; i < entries.size(); ++i)
        QFile::remove(entries[i].filePath());
}

} // namespace jigsaw::picture
