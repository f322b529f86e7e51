#include "platform/PendingPicture.h"
#include "platform/PictureLoader.h"

#include "PlatformTestSupport.h"
#include "support/Wait.h"

#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace picture = jigsaw::picture;
using picture::PendingPicture;

namespace {

// Gradients in both directions with a fine grain, so that a coarse picture and the final one
// differ in detail but not in their colours at any place.
QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int grain = ((x * 7 + y * 13) % 9) - 4;
            line[x] = qRgb(qBound(0, 255 * x / width + grain, 255),
                           qBound(0, 255 * y / height + grain, 255), 96);
        }
    }
    return image;
}

QString saveJpeg(const QTemporaryDir &dir, const char *name, const QImage &image,
                 bool progressive)
{
    QImageWriter writer(dir.filePath(QString::fromLatin1(name)), "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
    return writer.fileName();
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

TEST(PictureWorker, ProgressivePhotoStandsInCoarseFirstAndEndsExactlyAsQtsReaderMakesIt)
{
    QTemporaryDir dir;
    const QString path = saveJpeg(dir, "progressive.jpg", gradient(1600, 1200), true);
    PendingPicture pending = PendingPicture::load(path);
    ASSERT_FALSE(pending.isNull());
    picture::PictureRows *rows = pending.rows();
    ASSERT_NE(rows, nullptr);
    // Whatever shows it asks for its bottom rows first, as a board scrolled down would.
    rows->request(1100, 1200);
    pending.finish();
    EXPECT_TRUE(rows->areFinal(0, 1200));
    EXPECT_TRUE(pending.image() == QImage(path).convertToFormat(QImage::Format_RGB32));

    // The coarse picture of the first scans: one pixel per 8 × 8 block, the block's colour.
    const QImage standIn = rows->standIn();
    ASSERT_EQ(standIn.size(), QSize(200, 150));
    const QImage blocks = pending.image().scaled(standIn.size(), Qt::IgnoreAspectRatio,
                                                 Qt::SmoothTransformation);
    int far = 0;
    for (int y = 0; y < standIn.height(); ++y) {
        for (int x = 0; x < standIn.width(); ++x)
            far += near(standIn.pixel(x, y), blocks.pixel(x, y), 8) ? 0 : 1;
    }
    EXPECT_EQ(far, 0);
}

TEST(PictureWorker, RowsWishedForFarBelowComeFromADecoderOfTheirOwnAndTheWholeIsExact)
{
    QTemporaryDir dir;
    // Tall, so that the decoder going down is far from the bottom when the wish comes.
    const QString path = saveJpeg(dir, "tall.jpg", gradient(480, 16000), false);
    const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
    const int decodes = picture::decodeCount();
    PendingPicture pending = PendingPicture::load(path);
    ASSERT_FALSE(pending.isNull());
    picture::PictureRows *rows = pending.rows();
    rows->request(15000, 15200);
    ASSERT_SOON(rows->areFinal(15000, 15200));
    pending.finish();
    EXPECT_EQ(picture::decodeCount() - decodes, 2);
    EXPECT_TRUE(pending.image() == expected);

    // Wishes coming in turn from higher and higher rows, each above the rows the last jump
    // made, as a box of pieces from all over a tall photo asks for them: the rows read on the way
    // to wishes stay within twice the picture's height, so at most two jumping decoders start
    // besides the one going down, and the picture is not read again for every wish.
    const QString taller = saveJpeg(dir, "taller.jpg", gradient(640, 40000), false);
    const int before = picture::decodeCount();
    PendingPicture wished = PendingPicture::load(taller);
    ASSERT_FALSE(wished.isNull());
    for (int row = 38000; row >= 20000; row -= 2000) {
        wished.rows()->request(row, row + 32);
        ASSERT_SOON(wished.rows()->areFinal(row, row + 32));
    }
    wished.finish();
    EXPECT_LE(picture::decodeCount() - before, 3);

    // Pieces from all over the picture wished for at once cover most of its rows: the decoder
    // going down meets them as soon as any would, and no other starts to read rows twice.
    const int allOver = picture::decodeCount();
    PendingPicture box = PendingPicture::load(taller);
    ASSERT_FALSE(box.isNull());
    for (int row = 35000; row >= 5000; row -= 5000)
        box.rows()->request(row, row + 4000);
    box.finish();
    EXPECT_EQ(picture::decodeCount() - allOver, 1);
    EXPECT_TRUE(box.image() == wished.image());

    // A picture that is not a JPEG is read whole: every row final at once.
    const QString png = dir.filePath(QStringLiteral("small.png"));
    ASSERT_TRUE(gradient(400, 300).save(png));
    const PendingPicture whole = PendingPicture::load(png);
    ASSERT_NE(whole.rows(), nullptr);
    EXPECT_TRUE(whole.isComplete());
}
