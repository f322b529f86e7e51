#include "platform/PictureLoader.h"

#include "QtPrinting.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace picture = jigsaw::picture;

namespace {

// Smooth gradients with grain, so that the JPEG has both flat areas and fine detail.
QImage photoLike(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> grain(-20, 20);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = qRgb(qBound(0, 255 * x / width + grain(random), 255),
                           qBound(0, 255 * y / height + grain(random), 255),
                           qBound(0, 128 + grain(random) * 3, 255));
        }
    }
    return image.convertToFormat(format);
}

void saveJpeg(const QImage &image, const QString &path, bool progressive = false)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    ASSERT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
}

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What Qt's own reader makes of a file.
QImage readByQt(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

// A CMYK (YCCK) JPEG, which libjpeg-turbo cannot turn into RGB by itself.
QByteArray cmykJpeg(int width, int height)
{
    std::vector<unsigned char> pixels(std::size_t(width) * height * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>((i * 37) % 256);
    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(handle, pixels.data(), width, 0, height, TJPF_CMYK, &jpeg,
                                   &size, TJSAMP_444, 90, 0);
    QByteArray bytes;
    if (result == 0)
        bytes = QByteArray(reinterpret_cast<const char *>(jpeg), static_cast<qsizetype>(size));
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

// Mean difference of all colour channels, 0 to 255.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col]))
                 + std::abs(qBlue(p[col]) - qBlue(q[col]));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

} // namespace

TEST(PictureLoader, JpegDecodesExactlyAsQtsReaderDoes)
{
    QTemporaryDir dir;
    const QString colour = dir.filePath(QStringLiteral("colour.jpg"));
    const QString progressive = dir.filePath(QStringLiteral("progressive.JPEG"));
    const QString grey = dir.filePath(QStringLiteral("grey.jpg"));
    const QString cmyk = dir.filePath(QStringLiteral("cmyk.jpg"));
    const QString png = dir.filePath(QStringLiteral("picture.png"));
    saveJpeg(photoLike(1601, 1203), colour); // odd sizes exercise the chroma edges
    saveJpeg(photoLike(640, 480), progressive, true);
    saveJpeg(photoLike(333, 250, QImage::Format_Grayscale8), grey);
    putBytes(cmyk, cmykJpeg(96, 64));
    ASSERT_TRUE(photoLike(300, 200).save(png));

    for (const QString &path : {colour, progressive, grey, cmyk, png}) {
        const QImage ours = picture::loadPicture(path);
        const QImage qts = readByQt(path);
        ASSERT_FALSE(qts.isNull()) << qPrintable(path);
        EXPECT_EQ(ours.format(), qts.format()) << qPrintable(path);
        EXPECT_TRUE(ours == qts) << qPrintable(path);
        EXPECT_EQ(picture::pictureSize(path), qts.size()) << qPrintable(path);
    }
    EXPECT_EQ(picture::loadPicture(colour).size(), QSize(1601, 1203));
    EXPECT_EQ(picture::loadPicture(colour).format(), QImage::Format_RGB32);
}

TEST(PictureLoader, ThumbnailIsDecodedSmallButCoversTheBox)
{
    QTemporaryDir dir;
    const QString jpeg = dir.filePath(QStringLiteral("big.jpg"));
    const QString odd = dir.filePath(QStringLiteral("odd.jpg"));
    const QString png = dir.filePath(QStringLiteral("big.png"));
    saveJpeg(photoLike(1600, 1200), jpeg);
    saveJpeg(photoLike(1601, 1201), odd);
    ASSERT_TRUE(photoLike(400, 300).save(png));
    const QSize box(169, 121);

    // 1/8 of 1600 × 1200 still covers the box, so the decoder itself scales by 1/8.
    const QImage thumbnail = picture::loadThumbnail(jpeg, box);
    EXPECT_EQ(thumbnail.size(), QSize(200, 150));
    const QImage reference = picture::loadPicture(jpeg).scaled(200, 150, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation);
    EXPECT_LT(meanDifference(thumbnail, reference), 6.0) << "the thumbnail shows the picture";

    EXPECT_EQ(picture::loadThumbnail(odd, box).size(), QSize(200, 150));

    const QImage pngThumbnail = picture::loadThumbnail(png, box);
    EXPECT_GE(pngThumbnail.width(), box.width());
    EXPECT_GE(pngThumbnail.height(), box.height());
    EXPECT_LT(pngThumbnail.width(), 400);
    EXPECT_NEAR(double(pngThumbnail.width()) / pngThumbnail.height(), 4.0 / 3.0, 0.02);

    // A picture smaller than the box is never enlarged.
    const QString small = dir.filePath(QStringLiteral("small.jpg"));
    saveJpeg(photoLike(100, 80), small);
    EXPECT_EQ(picture::loadThumbnail(small, box).size(), QSize(100, 80));
}

TEST(PictureLoader, BrokenFilesGiveNullPictures)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.jpg"));
    saveJpeg(photoLike(320, 240), real);
    const QByteArray jpeg = fileBytes(real);

    const QString empty = dir.filePath(QStringLiteral("empty.jpg"));
    const QString garbage = dir.filePath(QStringLiteral("garbage.jpg"));
    const QString badBody = dir.filePath(QStringLiteral("bad-body.jpg"));
    const QString huge = dir.filePath(QStringLiteral("huge.jpg"));
    putBytes(empty, QByteArray());
    putBytes(garbage, QByteArray("this is not a picture at all").repeated(50));
    putBytes(badBody, QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(2000, '\x55'));
    // A real header claiming 60000 × 60000 pixels (14 GB as 32-bit pixels).
    QByteArray hugeBytes = jpeg;
    const qsizetype frame = hugeBytes.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    for (const qsizetype at : {frame + 5, frame + 7}) {
        hugeBytes[at] = '\xEA';
        hugeBytes[at + 1] = '\x60';
    }
    putBytes(huge, hugeBytes);

    for (const QString &path : {empty, garbage, badBody, huge,
                                dir.filePath(QStringLiteral("missing.jpg")), dir.path()}) {
        EXPECT_TRUE(picture::loadPicture(path).isNull()) << qPrintable(path);
        EXPECT_TRUE(picture::loadThumbnail(path, QSize(169, 121)).isNull()) << qPrintable(path);
    }
    EXPECT_FALSE(picture::pictureSize(empty).isValid());

    // A file cut short still shows what it holds, as Qt's reader does.
    const QString truncated = dir.filePath(QStringLiteral("truncated.jpg"));
    putBytes(truncated, jpeg.left(jpeg.size() / 2));
    const QImage cut = picture::loadPicture(truncated);
    EXPECT_EQ(cut.size(), QSize(320, 240));
    EXPECT_TRUE(cut == readByQt(truncated));
}
