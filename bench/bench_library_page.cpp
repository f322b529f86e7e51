#include "BenchUtil.h"
#include "select/SelectForm.h"
#include "state/Game.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>


#include <cstdio>
#include <memory>

// One page of the picture library on the selection form, six large photos, against
// libjpeg-turbo decoding the same six files at 1/8 scale: what a page must cost at least.

namespace {

using namespace jigsaw;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kPictures = 6;
constexpr int kRepetitions = 7;


} // namespace

int main(int argc, char **argv)
{
    bench::useHeadlessDefaults();
    QApplication app(argc, argv);

    QTemporaryDir appDir;
    QTemporaryDir musicDir;
    QDir(appDir.path()).mkdir(QStringLiteral("gazou"));
    QStringList paths;
    for (int i = 0; i < kPictures; ++i) {
        const QString path = appDir.filePath(QStringLiteral("gazou/photo%1.jpg").arg(i));
        if (!bench::writeFile(path, bench::makePhotoJpeg(kWidth, kHeight, 90,
                                                         static_cast<unsigned>(i) + 1))) {
            std::fprintf(stderr, "cannot write the test pictures\n");
            return 1;
        }
        paths.append(path);
    }

    Game game(appDir.path(), musicDir.path());
    game.start();
    SelectForm *form = game.frmSelect();

    const auto page = bench::compareMedians(
        kRepetitions,
        [&] {
            for (const QString &path : paths)
                bench::turboDecode(path, 1, 8);
        },
        [&] { form->ShowPicturePage(); });
    bench::printRatio("library_page_vs_turbojpeg_eighth", page, 1.5);
    return 0;
}
