#include "platform/PictureLoader.h"

#include "PlatformTestSupport.h"

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <turbojpeg.h>

#include <algorithm>
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
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(qBound(0, 255 * x / width + grain(random), 255),
                                      qBound(0, 255 * y / height + grain(random), 255), 128));
        }
    }
    return image.convertToFormat(format);
}

QString saveJpeg(const QTemporaryDir &dir, const char *name, const QImage &image,
                 bool progressive = false)
{
    QImageWriter writer(dir.filePath(QString::fromLatin1(name)), "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
    return writer.fileName();
}

// A CMYK (YCCK) JPEG, which libjpeg-turbo cannot turn into RGB by itself.
QByteArray cmykJpeg(int width, int height)
{
    std::vector<unsigned char> pixels(std::size_t(width) * std::size_t(height) * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>((i * 37) % 256);
    tjhandle handle = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    QByteArray bytes;
    if (tjCompress2(handle, pixels.data(), width, 0, height, TJPF_CMYK, &jpeg, &size, TJSAMP_444,
                    90, 0) == 0)
        bytes = QByteArray(reinterpret_cast<const char *>(jpeg), static_cast<qsizetype>(size));
    tjFree(jpeg);
    tjDestroy(handle);
    return bytes;
}

} // namespace

TEST(PictureLoader, JpegDecodesExactlyAsQtsReaderDoes)
{
    QTemporaryDir dir;
    const QString cmyk = dir.filePath(QStringLiteral("cmyk.jpg")); // goes through Qt's reader
    putBytes(cmyk, cmykJpeg(96, 64));
    const QStringList paths = {
        saveJpeg(dir, "colour.jpg", photoLike(1601, 1203)), // odd sizes exercise the chroma edges
        saveJpeg(dir, "progressive.JPEG", photoLike(640, 480), true),
        saveJpeg(dir, "grey.jpg", photoLike(333, 250, QImage::Format_Grayscale8)), cmyk};
    for (const QString &path : paths) {
        const QImage ours = picture::loadPicture(path);
        const QImage qts(path);
        ASSERT_FALSE(qts.isNull()) << qPrintable(path);
        EXPECT_EQ(ours.format(), QImage::Format_RGB32);
        EXPECT_TRUE(ours == qts.convertToFormat(QImage::Format_RGB32)) << qPrintable(path);
        EXPECT_EQ(picture::pictureSize(path), qts.size()) << qPrintable(path);
    }
}

// How far apart two pictures of one size are: the largest difference of any colour of any pixel.
int largestDifference(const QImage &a, const QImage &b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// The picture with every other band of `rows` rows darkened.
QImage banded(QImage image, int rows)
{
    for (int y = rows; y < image.height(); y += 2 * rows) {
        for (int dy = 0; dy < rows && y + dy < image.height(); ++dy) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y + dy));
            for (int x = 0; x < image.width(); ++x)
                line[x] = qRgb(qRed(line[x]) / 3, qGreen(line[x]) / 3, qBlue(line[x]) / 3);
        }
    }
    return image;
}

TEST(PictureLoader, ThumbnailIsThePictureStretchedToTheBox)
{
    QTemporaryDir dir;
    const QSize box(169, 121);
    const QImage photo = photoLike(1601, 1203);
    const QString png = dir.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(photoLike(400, 300).save(png));
    const QStringList paths = {
        // A large photo is decoded at 1/8; of a progressive one only the scans up to its
        // blocks' means are read.
        saveJpeg(dir, "baseline.jpg", photo), saveJpeg(dir, "progressive.jpg", photo, true),
        // 1/8 of a panorama is too low for the box: a larger scale covers it both ways, and
        // keeps the bands of rows that 1/8 would smear.
        saveJpeg(dir, "wide.jpg", banded(photoLike(2400, 600), 12)),
        // A small picture is stretched up.
        saveJpeg(dir, "small.jpg", photoLike(100, 80)), png};
    for (const QString &path : paths) {
        const QImage thumbnail = picture::loadThumbnail(path, box);
        ASSERT_EQ(thumbnail.size(), box) << qPrintable(path);
        const QImage expected =
            QImage(path).scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LE(largestDifference(thumbnail, expected), 12) << qPrintable(path);
    }
    EXPECT_TRUE(picture::loadThumbnail(paths[0], box, [] { return true; }).isNull());
}

TEST(PictureLoader, BrokenAndHostileFilesGiveNullPicturesAtOnce)
{
    QTemporaryDir dir;
    const QByteArray jpeg = fileBytes(saveJpeg(dir, "real.jpg", photoLike(320, 240)));
    QStringList paths = {dir.filePath(QStringLiteral("missing.jpg")), dir.path()};
    const QByteArray garbage = QByteArray("not a picture").repeated(100);
    const QByteArray badBody = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(2000, 'U');
    for (const QByteArray &bytes : {QByteArray(), garbage, badBody}) {
        paths.append(dir.filePath(QStringLiteral("broken%1.jpg").arg(paths.size())));
        putBytes(paths.last(), bytes);
    }
    // A FIFO would block a reader until someone writes into it.
    paths.append(dir.filePath(QStringLiteral("fifo.jpg")));
    ASSERT_EQ(mkfifo(QFile::encodeName(paths.last()).constData(), 0600), 0);
    for (const QString &path : paths) {
        picture::Failure failure = picture::Failure::None;
        EXPECT_TRUE(picture::loadPicture(path, &failure).isNull()) << qPrintable(path);
        EXPECT_EQ(failure, picture::Failure::Unreadable) << qPrintable(path);
        EXPECT_TRUE(picture::loadThumbnail(path, QSize(169, 121)).isNull()) << qPrintable(path);
    }
    EXPECT_FALSE(picture::pictureSize(paths[2]).isValid()); // the zero-byte file
    EXPECT_FALSE(picture::pictureSize(paths[5]).isValid()); // the FIFO

    // A file cut short still shows what it holds, as Qt's reader does; a progressive one too,
    // its missing scans guessed from the blocks around.
    const QByteArray progressive =
        fileBytes(saveJpeg(dir, "whole.jpg", photoLike(640, 480), true));
    for (const QByteArray &bytes : {jpeg.left(jpeg.size() / 2), progressive.left(progressive.size() * 2 / 3)}) {
        const QString truncated = dir.filePath(QStringLiteral("truncated.jpg"));
        putBytes(truncated, bytes);
        const QImage cut = picture::loadPicture(truncated);
        EXPECT_FALSE(cut.isNull());
        EXPECT_TRUE(cut == QImage(truncated).convertToFormat(QImage::Format_RGB32));
    }

    // A progressive picture whose last scan repeats two thousand times (every scan is a pass
    // over the whole picture) is what its first scans make; its thumbnail, which would need
    // all of them, is given up.
    QByteArray endless = fileBytes(saveJpeg(dir, "progressive.jpg", photoLike(64, 48), true));
    const qsizetype lastScan = endless.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype end = endless.lastIndexOf(QByteArray("\xFF\xD9", 2));
    ASSERT_TRUE(lastScan > 0 && end > lastScan);
    endless.insert(end, endless.mid(lastScan, end - lastScan).repeated(2000));
    const QString endlessPath = dir.filePath(QStringLiteral("endless.jpg"));
    putBytes(endlessPath, endless);
    EXPECT_EQ(picture::loadPicture(endlessPath).size(), QSize(64, 48));
    EXPECT_TRUE(picture::loadThumbnail(endlessPath, QSize(169, 121)).isNull());
}

TEST(PictureLoader, PicturesLargerThanTheMemoryGivenAreRefusedAsTooLarge)
{
    QTemporaryDir dir;
    const MemoryCap cap(8 << 20);
    // 1200 × 900 pixels take 4.3 MB; twice as many would take more than the 8 MB given.
    const QString fits = saveJpeg(dir, "fits.jpg", photoLike(1200, 900));
    EXPECT_EQ(picture::loadPicture(fits).size(), QSize(1200, 900));
    const QString large = saveJpeg(dir, "large.jpg", photoLike(1800, 1200));
    // A real header claiming 60000 × 60000 pixels (14 GB as 32-bit pixels), and one claiming
    // 65535 × 65535, more than JPEG allows at all.
    const QString hugeHeader = dir.filePath(QStringLiteral("huge.jpg"));
    putBytes(hugeHeader, withClaimedSize(fileBytes(fits), 60000, 60000));
    const QString beyondJpeg = dir.filePath(QStringLiteral("beyond.jpg"));
    putBytes(beyondJpeg, withClaimedSize(fileBytes(fits), 65535, 65535));
    // A file larger than the memory, nearly all of it a hole: it is never read.
    const QString vast = dir.filePath(QStringLiteral("vast.jpg"));
    putBytes(vast, fileBytes(fits));
    ASSERT_TRUE(QFile::resize(vast, qint64(1) << 30));
    const QString png = dir.filePath(QStringLiteral("large.png"));
    ASSERT_TRUE(photoLike(1800, 1200).save(png));
    for (const QString &path : {large, hugeHeader, beyondJpeg, vast, png}) {
        picture::Failure failure = picture::Failure::None;
        EXPECT_TRUE(picture::loadPicture(path, &failure).isNull()) << qPrintable(path);
        EXPECT_EQ(failure, picture::Failure::TooLarge) << qPrintable(path);
    }
    // The thumbnail of a large photo is decoded small; a vast file is refused all the same.
    EXPECT_EQ(picture::loadThumbnail(large, QSize(169, 121)).size(), QSize(169, 121));
    EXPECT_TRUE(picture::loadThumbnail(vast, QSize(169, 121)).isNull());
    EXPECT_TRUE(picture::loadThumbnail(beyondJpeg, QSize(169, 121)).isNull());
}
