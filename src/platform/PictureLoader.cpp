#include "PictureLoader.h"

#include "platform/JpegDecoder.h"
#include "platform/PendingPicture.h"
#include "platform/PictureMemory.h"

#include <QFile>
#include <QImageReader>

#include <memory>

namespace jigsaw::picture {

namespace {

// The decoder's own scale M/8 (M = 1..8) that gives the smallest picture still covering the
// box.
int thumbnailEighths(const JpegDecoder &decoder, QSize box)
{
    for (int eighths = 1; eighths < 8; ++eighths) {
        const QSize scaled = decoder.scaledSize(eighths);
        if (scaled.width() >= box.width() && scaled.height() >= box.height())
            return eighths;
    }
    return 8;
}

QSize coveringSize(QSize natural, QSize box)
{
    if (natural.width() <= box.width() || natural.height() <= box.height())
        return natural;
    return natural.scaled(box, Qt::KeepAspectRatioByExpanding);
}

QImage jpegThumbnail(FileHandle file, QSize box, qint64 budget)
{
    JpegDecoder decoder(std::move(file));
    if (!decoder.readHeader())
        return {};
    const int eighths = box.isEmpty() ? 8 : thumbnailEighths(decoder, box);
    const QSize size = decoder.scaledSize(eighths);
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes + decoder.workingBytes() > budget)
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull() || !decoder.start(eighths, budget - bytes)
        || !decoder.readRows(image.bits(), image.bytesPerLine(), size.height()))
        return {};
    return image;
}

QImage qtThumbnail(std::FILE *file, QSize box, qint64 budget)
{
    QFile device;
    if (!device.open(file, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {};
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    const QSize natural = reader.size();
    if (natural.isEmpty() || natural.width() > kMaxSide || natural.height() > kMaxSide
        || qint64(natural.width()) * natural.height() * 4 > budget)
        return {};
    if (!box.isEmpty())
        reader.setScaledSize(coveringSize(natural, box));
    noteDecode();
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

} // namespace

QImage loadPicture(const QString &path, Failure *failure)
{
    const PendingPicture picture = PendingPicture::load(path, PendingPicture::Decoding::Here);
    if (failure)
        *failure = picture.failure();
    return picture.image();
}

QImage loadThumbnail(const QString &path, QSize box)
{
    qint64 fileSize = 0;
    FileHandle file = openPictureFile(path, fileSize);
    const qint64 budget = memoryBudget();
    if (!file || fileSize > budget)
        return {};
    if (startsLikeJpeg(file.get()))
        return jpegThumbnail(std::move(file), box, budget);
    return qtThumbnail(file.get(), box, budget);
}

QSize pictureSize(const QString &path)
{
    qint64 fileSize = 0;
    FileHandle file = openPictureFile(path, fileSize);
    if (!file)
        return {};
    if (startsLikeJpeg(file.get())) {
        JpegDecoder decoder(std::move(file));
        return decoder.readHeader() ? decoder.size() : QSize();
    }
    QFile device;
    if (!device.open(file.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {};
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    return size.isEmpty() ? QSize() : size;
}

int decodeCount()
{
    return decodesNoted();
}

} // namespace jigsaw::picture
