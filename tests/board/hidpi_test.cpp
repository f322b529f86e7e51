#include "BoardTestSupport.h"

#include <QDir>

#include <cstdlib>

using namespace jigsaw;

namespace {

// Fine columns of black and white over the top quarter, whose screen pixels average them to
// grey; below, a steep sawtooth of greys whose neighbouring screen pixels differ.
QRgb stripesAt(int x, int y, int height)
{
    const int grey = y < height / 4 ? (x % 2 ? 255 : 0) : (x * 8) % 256;
    return qRgb(grey, grey, grey);
}

} // namespace

// A screen of two device pixels to the pixel, as a high-density laptop's.
using HighDensityScreen = BoardTest;

TEST_F(HighDensityScreen, AFittedPhotoIsDrawnFromItsOwnPixelsAtTheScreensResolution)
{
    const QSize size(4000, 3000);
    QImage photo(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = stripesAt(x, y, size.height());
    }
    const QString folder = app.filePath(QStringLiteral("pictures"));
    QDir().mkpath(folder);
    ASSERT_TRUE(photo.save(folder + QStringLiteral("/stripes.png"), "PNG", 0));
    ASSERT_NO_FATAL_FAILURE(launch(0, 0, QStringLiteral("stripes.png")));
    ASSERT_EQ(board()->devicePixelRatioF(), 2);
    ASSERT_LT(board()->zoomScale(), 0.5);

    // The columns average out to grey, as a scaled-down photo's pixels do, and the sawtooth
    // keeps steps between neighbouring screen pixels that a doubled picture would not have.
    const auto drawnFromItsPixels = [this] {
        const QImage shown = ui().Picture9->grab().toImage();
        bool grey = true;
        int pairsApart = 0;
        for (int y = 8; y < shown.height() - 8; y += 8) {
            const bool fine = y < shown.height() / 4 - 8;
            if (!fine && y < shown.height() / 4 + 8)
                continue;
            for (int x = 8; x + 1 < shown.width() - 8; x += 2) {
                const int left = qGray(shown.pixel(x, y));
                if (fine)
                    grey = grey && std::abs(left - 128) < 24;
                else if (std::abs(left - qGray(shown.pixel(x + 1, y))) > 8)
                    ++pairsApart;
            }
        }
        return grey && pairsApart > shown.width();
    };
    EXPECT_SOON(drawnFromItsPixels());
}
