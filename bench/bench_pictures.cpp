#include "BenchUtil.h"
#include "platform/PictureLoader.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <turbojpeg.h>

#include <cstdio>
#include <memory>

// Picture loading against libjpeg-turbo on its own: the six thumbnails of a browser page of
// 24-megapixel photos, and one photo at full size for a game.

namespace {

using namespace jigsaw;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kRepetitions = 7;
const QSize kThumbnailBox(169, 121); // a thumbnail control, 2535 × 1815 twips

volatile qint64 g_sink = 0; // keeps the decoded results from being optimised away

// libjpeg-turbo alone: read the file and decode it at a scale of num/denom into a fresh buffer.
void turboDecode(const QString &path, int num, int denom)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    tjhandle handle = tjInitDecompress();
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(handle, data, size, &width, &height, &subsampling, &colorspace) == 0) {
        const tjscalingfactor factor{num, denom};
        const int scaledWidth = TJSCALED(width, factor);
        const int scaledHeight = TJSCALED(height, factor);
        std::unique_ptr<unsigned char[]> pixels(
            new unsigned char[std::size_t(scaledWidth) * std::size_t(scaledHeight) * 4]);
        if (tjDecompress2(handle, data, size, pixels.get(), scaledWidth, 0, scaledHeight,
                          TJPF_BGRA, 0)
            == 0)
            g_sink = g_sink + pixels[0] + scaledWidth;
    }
    tjDestroy(handle);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    QStringList paths;
    for (unsigned i = 0; i < 6; ++i) {
        const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(i));
        if (!bench::writeFile(path, bench::makePhotoJpeg(kWidth, kHeight, 90, i + 1))) {
            std::fprintf(stderr, "cannot write the test pictures\n");
            return 1;
        }
        paths.append(path);
    }

    const auto thumbnails = bench::compareMedians(
        kRepetitions,
        [&] {
            for (const QString &path : paths)
                turboDecode(path, 1, 8);
        },
        [&] {
            for (const QString &path : paths)
                g_sink = g_sink + picture::loadThumbnail(path, kThumbnailBox).width();
        });
    bench::printRatio("thumbnails6_vs_turbojpeg_eighth", thumbnails, 1.5);

    const auto full = bench::compareMedians(
        kRepetitions, [&] { turboDecode(paths.first(), 1, 1); },
        [&] { g_sink = g_sink + picture::loadPicture(paths.first()).width(); });
    bench::printRatio("full_load_vs_turbojpeg", full, 1.2);
    return 0;
}
