#include "BenchUtil.h"
#include "platform/PictureLoader.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>


#include <cstdio>
#include <memory>

// Picture loading against libjpeg-turbo on its own: the six thumbnails of a browser page of
// 24-megapixel photos, and one photo at full size for a game.

namespace {

volatile qint64 g_sink = 0; // keeps the decoded results from being optimised away

using namespace jigsaw;

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kRepetitions = 7;
const QSize kThumbnailBox(169, 121); // a thumbnail control, 2535 × 1815 twips


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
                bench::turboDecode(path, 1, 8);
        },
        [&] {
            for (const QString &path : paths)
                g_sink = g_sink + picture::loadThumbnail(path, kThumbnailBox).width();
        });
    bench::printRatio("thumbnails6_vs_turbojpeg_eighth", thumbnails, 1.5);

    const auto full = bench::compareMedians(
        kRepetitions, [&] { bench::turboDecode(paths.first()); },
        [&] { g_sink = g_sink + picture::loadPicture(paths.first()).width(); });
    bench::printRatio("full_load_vs_turbojpeg", full, 1.2);
    return 0;
}
