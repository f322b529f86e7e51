#include "PictureLoader.h"

#include "platform/JpegDecoder.h"
#include "platform/PendingPicture.h"
#include "platform/PictureMemory.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

namespace jigsaw::picture {

namespace {

using Clock = std::chrono::steady_clock;

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

QImage jpegThumbnail(SharedFile file, QSize box, qint64 budget,
                     const std::function<bool()> &interrupted)
{
    JpegDecoder decoder(std::move(file));
    decoder.setInterruption(interrupted);
    if (!decoder.readHeader())
        return {};
    const int eighths = thumbnailEighths(decoder, box);
    const QSize size = decoder.scaledSize(eighths);
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (bytes + decoder.workingBytes() > budget)
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    if (decoder.hasScans()) {
        if (!decoder.startScans(eighths, budget - bytes))
            return {};
        // At 1/8 a pixel is its block's mean: the scans after the means change nothing.
        for (int scans = 0; !(eighths == 1 && decoder.meansComplete());) {
            const JpegDecoder::Scan scan = decoder.readScan();
            if (scan == JpegDecoder::Scan::Interrupted || ++scans > kMaxScans)
                return {};
            if (scan == JpegDecoder::Scan::InputEnded)
                break;
        }
        if (!decoder.startOutput())
            return {};
    } else if (!decoder.start(eighths, budget - bytes)) {
        return {};
    }
    if (!decoder.readRows(image.bits(), image.bytesPerLine(), size.height()))
        return {};
    return image;
}

// How the pixels of one axis of a stretched picture are made from the source's: each output
// pixel is a weighed sum of a few source pixels.
struct Tap
{
    int index;
    float weight;
};

std::vector<std::vector<Tap>> tapsFor(int from, int to)
{
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double scale = double(from) / to;
    for (int i = 0; i < to; ++i) {
        std::vector<Tap> &out = taps[std::size_t(i)];
        if (to >= from) {
            // Growing: between the two nearest source pixels.
            const double at = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(from - 1));
            const int left = static_cast<int>(at);
            const auto fraction = static_cast<float>(at - left);
            out.push_back({left, 1.0f - fraction});
            if (fraction > 0)
                out.push_back({std::min(left + 1, from - 1), fraction});
            continue;
        }
        // Shrinking: every source pixel by the part of it the output pixel covers.
        const double start = i * scale;
        const double end = (i + 1) * scale;
        for (int s = static_cast<int>(start); s < from && s < end; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(start, double(s));
            if (covered > 0)
                out.push_back({s, static_cast<float>(covered / scale)});
        }
    }
    return taps;
}

} // namespace

QImage stretchPicture(const QImage &picture, QSize size)
{
    if (picture.isNull() || size.isEmpty())
        return {};
    const QImage source = picture.format() == QImage::Format_RGB32
        ? picture
        : picture.convertToFormat(QImage::Format_RGB32);
    const int sourceWidth = source.width();
    const int sourceHeight = source.height();
    const auto across = tapsFor(sourceWidth, size.width());
    const auto down = tapsFor(sourceHeight, size.height());

    // Across first, into rows of the output's width in floating point, then down.
    std::vector<float> rows(std::size_t(size.width()) * std::size_t(sourceHeight) * 3);
    for (int y = 0; y < sourceHeight; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        float *out = rows.data() + std::size_t(y) * std::size_t(size.width()) * 3;
        for (const std::vector<Tap> &taps : across) {
            float r = 0, g = 0, b = 0;
            for (const Tap &tap : taps) {
                const QRgb pixel = line[tap.index];
                r += tap.weight * float(qRed(pixel));
                g += tap.weight * float(qGreen(pixel));
                b += tap.weight * float(qBlue(pixel));
            }
            *out++ = r;
            *out++ = g;
            *out++ = b;
        }
    }
    QImage result(size, QImage::Format_RGB32);
    if (result.isNull())
        return {};
    const auto level = [](float value) {
        return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
    };
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            float r = 0, g = 0, b = 0;
            for (const Tap &tap : down[std::size_t(y)]) {
                const float *in = rows.data()
                    + (std::size_t(tap.index) * std::size_t(size.width()) + std::size_t(x)) * 3;
                r += tap.weight * in[0];
                g += tap.weight * in[1];
                b += tap.weight * in[2];
            }
            line[x] = qRgb(level(r), level(g), level(b));
        }
    }
    return result;
}

QImage loadPicture(const QString &path, Failure *failure)
{
    const PendingPicture picture = PendingPicture::load(path, PendingPicture::Decoding::Here);
    if (failure)
        *failure = picture.failure();
    return picture.image();
}

QImage loadThumbnail(const QString &path, QSize size, const std::function<bool()> &interrupted,
                     bool *gaveUp)
{
    if (gaveUp)
        *gaveUp = false;
    if (size.isEmpty())
        return {};
    qint64 fileSize = 0;
    FileHandle file = openPictureFile(path, fileSize);
    const qint64 budget = memoryBudget();
    if (!file || fileSize > budget)
        return {};
    const QSize natural = pictureSize(path);
    const qint64 megapixels = qint64(natural.width()) * natural.height() / 1000000;
    const Clock::time_point deadline = Clock::now()
        + std::chrono::seconds(kThumbnailSeconds + kThumbnailSeconds * megapixels / 10);
    bool stopped = false;
    const auto overBudget = [&] {
        stopped = stopped || Clock::now() > deadline || (interrupted && interrupted());
        return stopped;
    };
    QImage picture;
    if (startsLikeJpeg(file.get())) {
        picture = jpegThumbnail(SharedFile(file.release(), FileCloser()), size, budget, overBudget);
    } else {
        file.reset();
        picture = loadPicture(path);
    }
    if (gaveUp)
        *gaveUp = stopped || (interrupted && interrupted());
    if (picture.isNull() || (interrupted && interrupted()))
        return {};
    return stretchPicture(picture, size);
}

QSize pictureSize(const QString &path)
{
    qint64 fileSize = 0;
    FileHandle file = openPictureFile(path, fileSize);
    if (!file)
        return {};
    if (startsLikeJpeg(file.get())) {
        JpegDecoder decoder(SharedFile(file.release(), FileCloser()));
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
