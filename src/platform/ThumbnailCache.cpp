#include "ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>

#include <cstdio>

namespace jigsaw::picture {

namespace {

// An entry takes some 60 KB; this many are 16 MB at most.
constexpr int kMaxEntries = 256;
constexpr int kStoresBetweenPrunes = 64;
// Far more than a thumbnail takes: anything larger is not ours.
constexpr qint64 kMaxEntryBytes = qint64(1) << 20;
constexpr int kMaxSide = 1024;
// A temporary file this old was left by a game that stopped while writing it.
constexpr qint64 kStaleSeconds = 60;

// An entry: this mark, the width and height, then the pixels' red, green and blue bytes row by
// row. Read back without any image codec or decompression, so that a page of kept thumbnails
// shows at once: a photo's thumbnail hardly compresses anyway. An empty file stands for a
// picture that gives no thumbnail. Entries of an older mark are made anew.
const QByteArray kMark("JTH2");
constexpr qsizetype kHeaderBytes = 8;
const QString kSuffix = QStringLiteral(".thumb");

QByteArray encode(const QImage &thumbnail)
{
    const QImage rgb = thumbnail.convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    bytes.reserve(kHeaderBytes + qsizetype(rgb.width()) * rgb.height() * 3);
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeRawData(kMark.constData(), int(kMark.size()));
    out << quint16(rgb.width()) << quint16(rgb.height());
    for (int y = 0; y < rgb.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), qsizetype(rgb.width()) * 3);
    return bytes;
}

QImage decode(const QByteArray &bytes, QSize size)
{
    QDataStream in(bytes);
    QByteArray mark(kMark.size(), '\0');
    quint16 width = 0;
    quint16 height = 0;
    if (in.readRawData(mark.data(), int(mark.size())) != mark.size() || mark != kMark)
        return {};
    in >> width >> height;
    if (in.status() != QDataStream::Ok || QSize(width, height) != size || width > kMaxSide
        || height > kMaxSide || bytes.size() != kHeaderBytes + qsizetype(width) * height * 3)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    const auto *from = reinterpret_cast<const uchar *>(bytes.constData()) + kHeaderBytes;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x, from += 3)
            line[x] = qRgb(from[0], from[1], from[2]);
    }
    return image;
}

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
    const QImage image = decode(file.read(kMaxEntryBytes), size);
    if (image.isNull())
        return std::nullopt;
    return image;
}

void ThumbnailCache::store(const QString &key, const QImage &thumbnail)
{
    if (key.isEmpty() || m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return;
    if (m_stores.fetch_add(1) % kStoresBetweenPrunes == 0)
        prune();
    const QByteArray bytes = thumbnail.isNull() ? QByteArray() : encode(thumbnail);
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
