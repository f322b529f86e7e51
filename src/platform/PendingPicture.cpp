#include "platform/PendingPicture.h"

#include "platform/JpegDecoder.h"
#include "platform/PictureMemory.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <atomic>
#include <memory>
#include <stop_token>
#include <utility>

namespace jigsaw::picture {

namespace {

// Rows decoded between two reports of progress and looks at whether the picture is still
// wanted.
constexpr int kRowsPerStep = 32;

qint64 pixelBytes(QSize size)
{
    return qint64(size.width()) * size.height() * 4;
}

// A picture the board draws fast: 32-bit pixels.
QImage drawable(QImage image)
{
    const QImage::Format format = image.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// Formats other than JPEG, through Qt's readers, after the same check of the memory needed.
QImage readWithQt(std::FILE *file, qint64 fileSize, qint64 budget, Failure &failure)
{
    QFile device;
    if (!device.open(file, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        failure = Failure::Unreadable;
        return {};
    }
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > kMaxSide || size.height() > kMaxSide) {
        failure = Failure::Unreadable;
        return {};
    }
    if (fileSize > budget || pixelBytes(size) > budget) {
        failure = Failure::TooLarge;
        return {};
    }
    noteDecode();
    QImage image;
    if (!reader.read(&image)) {
        failure = Failure::Unreadable;
        return {};
    }
    return drawable(std::move(image));
}

// What a fatal error leaves undecoded comes out grey, as the rows of a file cut short do.
void fillGrey(uchar *lines, qsizetype bytesPerLine, int width, int from, int to)
{
    for (int y = from; y < to; ++y) {
        auto *pixel = reinterpret_cast<QRgb *>(lines + bytesPerLine * y);
        std::fill(pixel, pixel + width, qRgb(128, 128, 128));
    }
}

// Decodes the rows from the decoder's next one down into the picture's lines, reporting each
// step to `ready`, until all are done or the decode is stopped.
void decodeRows(JpegDecoder &decoder, uchar *lines, const QImage &picture,
                std::atomic<int> *ready, const std::stop_token &stop)
{
    const qsizetype bytesPerLine = picture.bytesPerLine();
    const int height = picture.height();
    while (decoder.nextRow() < height && !stop.stop_requested()) {
        const int end = std::min(decoder.nextRow() + kRowsPerStep, height);
        if (!decoder.readRows(lines, bytesPerLine, end)) {
            fillGrey(lines, bytesPerLine, picture.width(), decoder.nextRow(), height);
            break;
        }
        if (ready) {
            ready->store(decoder.nextRow(), std::memory_order_release);
            ready->notify_all();
        }
    }
    if (ready) {
        ready->store(height, std::memory_order_release);
        ready->notify_all();
    }
}

} // namespace

PendingPicture PendingPicture::load(const QString &path, Decoding decoding)
{
    PendingPicture result;
    result.m_failure = Failure::Unreadable;
    qint64 fileSize = 0;
    FileHandle file = openPictureFile(path, fileSize);
    if (!file)
        return result;
    // A file larger than memory is no picture we could show; but only one whose header is a
    // picture's is too large: a vast file of anything else cannot be read at all. Reading a
    // header never reads far into the file.
    const qint64 budget = memoryBudget();
    if (!startsLikeJpeg(file.get())) {
        result.m_image = readWithQt(file.get(), fileSize, budget, result.m_failure);
        if (!result.m_image.isNull())
            result.m_failure = Failure::None;
        return result;
    }

    auto decoder = std::make_unique<JpegDecoder>(std::move(file));
    if (!decoder->readHeader())
        return result;
    const QSize size = decoder->size();
    if (fileSize > budget || pixelBytes(size) + decoder->workingBytes() > budget) {
        result.m_failure = Failure::TooLarge;
        return result;
    }
    QImage image = allocatePicture(size);
    if (image.isNull()) {
        result.m_failure = Failure::TooLarge;
        return result;
    }
    // Reads every scan of a progressive picture, so a hostile one is refused here.
    if (!decoder->start(8, budget - pixelBytes(size)))
        return result;

    result.m_failure = Failure::None;
    result.m_image = image;
    // The image is not shared yet, so these are its own lines. A worker writes through them
    // while the image is shown; a row is shown only once the count says it is final.
    auto *lines = const_cast<uchar *>(image.constBits());
    if (decoding == Decoding::Here) {
        decodeRows(*decoder, lines, image, nullptr, {});
        return result;
    }
    result.m_prefault =
        std::jthread([image](std::stop_token stop) { prefaultPicture(image, stop); });
    result.m_ready = std::make_shared<std::atomic<int>>(0);
    result.m_worker = std::jthread([decoder = std::move(decoder), image, lines,
                                    ready = result.m_ready](std::stop_token stop) {
        decodeRows(*decoder, lines, image, ready.get(), stop);
    });
    return result;
}

int PendingPicture::readyRows() const
{
    return m_ready ? m_ready->load(std::memory_order_acquire) : m_image.height();
}

void PendingPicture::waitForRows(int rows) const
{
    if (!m_ready)
        return;
    rows = std::min(rows, m_image.height());
    for (int ready = m_ready->load(std::memory_order_acquire); ready < rows;
         ready = m_ready->load(std::memory_order_acquire))
        m_ready->wait(ready, std::memory_order_acquire);
}

} // namespace jigsaw::picture
