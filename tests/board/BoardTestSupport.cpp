#include "BoardTestSupport.h"

#include "select/LaunchGame.h"

#include <QAction>
#include <QDir>

#include <cmath>

namespace boardtest {

QRgb patternAt(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | (y >> 8));
}

QImage patternPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = patternAt(x, y);
    }
    return picture;
}

int edge(double value)
{
    return static_cast<int>(std::lround(value));
}

} // namespace boardtest

BoardTest::BoardTest()
    : game(std::make_unique<jigsaw::Game>(app.path()))
{
    state().AppDir = app.path();
}

void BoardTest::selectPicture(int width, int height, const QString &name)
{
    const QString folder = app.filePath(QStringLiteral("pictures"));
    QDir().mkpath(folder);
    ASSERT_TRUE(boardtest::patternPicture(width, height).save(folder + QLatin1Char('/') + name,
                                                              "PNG"));
    state().PictureDir = folder;
    state().ImageFileName = name;
    state().SelectedThumb = 0;
}

jigsaw::BoardForm *BoardTest::launchNew(int width, int height)
{
    selectPicture(width, height);
    state().LaunchMode = 1;
    jigsaw::LaunchGame(*game);
    return board();
}

jigsaw::BoardForm *BoardTest::launchResumed(int width, int height, double pieceCount,
                                            double gridSide, int placementSound, double limit)
{
    selectPicture(width, height);
    jigsaw::GameState &s = state();
    s.LaunchMode = 2;
    const auto line = [](double value) { return QStringLiteral(" %1 ").arg(value); };
    s.SavedValues[2] = line(limit);
    s.SavedValues[3] = line(placementSound);
    s.SavedValues[4] = line(12);            // ElapsedSec
    s.SavedValues[5] = line(3);             // ElapsedMin
    s.SavedValues[6] = line(limit * 30);    // RemainingTotalSec: half the limit left
    s.SavedValues[7] = QStringLiteral(" .75 "); // TimeBarStep
    s.SavedValues[8] = line(60);
    s.SavedValues[9] = line(limit / 2);
    s.SavedValues[10] = line(pieceCount);
    s.SavedValues[11] = line(gridSide);
    jigsaw::LaunchGame(*game);
    return board();
}

void BoardTest::start()
{
    ASSERT_NE(board(), nullptr);
    ui().mnuStart->trigger();
}
