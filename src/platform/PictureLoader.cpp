#include "PictureLoader.h"

#include <QBuffer>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <QSysInfo>

#include <turbojpeg.h>

#include <memory>
#include <utility>

namespace jigsaw::picture {

namespace {

// Whether an image of this size may be decoded at all: each side within kMaxSide and the
// 32-bit pixels within Qt's allocation limit (which Qt's own readers enforce too, so both
// decoders refuse the same pictures).
bool isAcceptableSize(QSize size)
{
    if (size.width() <= 0 || size.height() <= 0 || size.width() > kMaxSide
        || size.height() > kMaxSide)
        return false;
    const int limitMegabytes = QImageReader::allocationLimit();
    if (limitMegabytes <= 0)
        return true;
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    return bytes <= qint64(limitMegabytes) * 1024 * 1024;
}

bool looksLikeJpeg(const QByteArray &head)
{
    return head.size() >= 3 && static_cast<unsigned char>(head[0]) == 0xFF
        && static_cast<unsigned char>(head[1]) == 0xD8
        && static_cast<unsigned char>(head[2]) == 0xFF;
}

QImage readWithQt(QImageReader &reader)
{
    reader.setAutoTransform(false);
    if (!isAcceptableSize(reader.size()))
        return {};
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

// Frees a libjpeg-turbo decompressor when its handle goes out of scope.
struct TurboJpegCloser
{
    void operator()(void *handle) const { tjDestroy(handle); }
};
using TurboJpegHandle = std::unique_ptr<void, TurboJpegCloser>;

enum class JpegOutcome { Decoded, Refused, NotHandled };

// Decodes a JPEG with libjpeg-turbo, with the same accurate DCT and smooth chroma upsampling
// that Qt's JPEG reader uses, into a QImage in the format that reader would give. NotHandled
// leaves the bytes to Qt (an unreadable header, CMYK, a fatal decoding error); Refused means
// the header claims a size we will not allocate.
JpegOutcome decodeJpeg(const QByteArray &bytes, QImage &image)
{
    const TurboJpegHandle handle(tjInitDecompress());
    if (!handle)
        return JpegOutcome::NotHandled;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colorspace)
        != 0)
        return JpegOutcome::NotHandled;
    if (!isAcceptableSize(QSize(width, height)))
        return JpegOutcome::Refused;

    QImage::Format format = QImage::Format_RGB32;
    int pixelFormat = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? TJPF_BGRA : TJPF_ARGB;
    switch (colorspace) {
    case TJCS_GRAY:
        format = QImage::Format_Grayscale8;
        pixelFormat = TJPF_GRAY;
        break;
    case TJCS_CMYK:
    case TJCS_YCCK:
        return JpegOutcome::NotHandled; // libjpeg-turbo gives CMYK only; Qt converts to RGB
    default:
        break;
    }

    QImage decoded;
    if (!QImageIOHandler::allocateImage(QSize(width, height), format, &decoded))
        return JpegOutcome::Refused;
    const int result = tjDecompress2(handle.get(), data, size, decoded.bits(), width,
                                     static_cast<int>(decoded.bytesPerLine()), height,
                                     pixelFormat, TJFLAG_ACCURATEDCT);
    // A warning (such as a truncated file) still yields a picture, as it does through Qt.
    if (result != 0 && tjGetErrorCode(handle.get()) != TJERR_WARNING)
        return JpegOutcome::NotHandled;
    image = std::move(decoded);
    return JpegOutcome::Decoded;
}

// The decoder's own scale M/8 (M = 1..8) that gives the smallest picture still covering the
// box. The size asked for is rounded down so that Qt's JPEG reader chooses exactly that M
// (rounded up it would pick M + 1); libjpeg rounds up, and Qt then scales away the odd pixel.
QSize jpegThumbnailSize(QSize natural, QSize box)
{
    for (qint64 m = 1; m < 8; ++m) {
        const QSize scaled(static_cast<int>(natural.width() * m / 8),
                           static_cast<int>(natural.height() * m / 8));
        if (scaled.width() >= box.width() && scaled.height() >= box.height())
            return scaled;
    }
    return natural;
}

QSize coveringSize(QSize natural, QSize box)
{
    if (natural.width() <= box.width() || natural.height() <= box.height())
        return natural;
    return natural.scaled(box, Qt::KeepAspectRatioByExpanding);
}

} // namespace

QImage loadPicture(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (!looksLikeJpeg(file.peek(3))) {
        QImageReader reader(&file);
        return readWithQt(reader);
    }

    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    QImage image;
    switch (decodeJpeg(bytes, image)) {
    case JpegOutcome::Decoded:
        return image;
    case JpegOutcome::Refused:
        return {};
    case JpegOutcome::NotHandled:
        break;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readWithQt(reader);
}

QImage loadThumbnail(const QString &path, QSize box)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize natural = reader.size();
    if (!isAcceptableSize(natural))
        return {};
    if (box.isValid() && !box.isEmpty()) {
        reader.setScaledSize(reader.format() == "jpeg" ? jpegThumbnailSize(natural, box)
                                                       : coveringSize(natural, box));
    }
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QSize pictureSize(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    return size.isValid() && !size.isEmpty() ? size : QSize();
}

} // namespace jigsaw::picture
