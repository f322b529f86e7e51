#include "BoardTestSupport.h"

#include "select/LaunchGame.h"
#include "select/SelectForm.h"
#include "support/PlayerInput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

using namespace jigsaw;

QRgb patternAt(int x, int y)
{
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | (y >> 8));
}

QRgb tileAt(int x, int y)
{
    return qRgb((14 * (x / 500)) % 256, (20 * (y / 500)) % 256, 128);
}

bool nearlyEqual(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 6 && std::abs(qGreen(a) - qGreen(b)) <= 6
        && std::abs(qBlue(a) - qBlue(b)) <= 6;
}

bool writeTiledJpeg(const QString &path, int width, int height)
{
    std::FILE *file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct jpeg{};
    jpeg_error_mgr errors{};
    jpeg.err = jpeg_std_error(&errors);
    jpeg_create_compress(&jpeg);
    jpeg_stdio_dest(&jpeg, file);
    jpeg.image_width = static_cast<JDIMENSION>(width);
    jpeg.image_height = static_cast<JDIMENSION>(height);
    jpeg.input_components = 3;
    jpeg.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg);
    jpeg_set_quality(&jpeg, 95, TRUE);
    // Full colour resolution: the tiles' edges, on block edges, stay sharp.
    jpeg.comp_info[0].h_samp_factor = 1;
    jpeg.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&jpeg, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    while (jpeg.next_scanline < jpeg.image_height) {
        const int y = static_cast<int>(jpeg.next_scanline);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = tileAt(x, y);
            const auto at = static_cast<std::size_t>(x) * 3;
            row[at] = static_cast<JSAMPLE>(qRed(colour));
            row[at + 1] = static_cast<JSAMPLE>(qGreen(colour));
            row[at + 2] = static_cast<JSAMPLE>(qBlue(colour));
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&jpeg, rows, 1);
    }
    jpeg_finish_compress(&jpeg);
    jpeg_destroy_compress(&jpeg);
    return std::fclose(file) == 0;
}

BoardTest::BoardTest()
{
    for (const char *name : {"gazou.wav", "click.wav", "kansei.wav"})
        QFile::remove(app.filePath(QString::fromLatin1(name)));
    QFile::copy(app.filePath(QStringLiteral("Tesselbgm.wav")),
                musicDir.filePath(QStringLiteral("Tesselbgm.wav")));
    game = std::make_unique<Game>(app.path(), musicDir.path());
    state().AppDir = app.path();
}

void BoardTest::selectPicture(int width, int height, const QString &name)
{
    const QString folder = app.filePath(QStringLiteral("pictures"));
    QDir().mkpath(folder);
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, patternAt(x, y));
    }
    ASSERT_TRUE(picture.save(folder + QLatin1Char('/') + name, "PNG"));
    state().PictureDir = folder;
    state().ImageFileName = name;
    state().SelectedThumb = 0;
}

void BoardTest::selectPhoto(int width, int height, const QString &name)
{
    const QString folder = app.filePath(QStringLiteral("pictures"));
    QDir().mkpath(folder);
    ASSERT_TRUE(writeTiledJpeg(folder + QLatin1Char('/') + name, width, height));
    state().PictureDir = folder;
    state().ImageFileName = name;
    state().SelectedThumb = 0;
}

BoardForm *BoardTest::launchNew(int width, int height, const QString &name)
{
    selectPicture(width, height, name);
    state().LaunchMode = 1;
    go();
    holdTheClocks();
    return board();
}

BoardForm *BoardTest::launchResumed(int width, int height, double pieceCount, double gridSide,
                                    int placementSound, double limit, const QString &name)
{
    selectPicture(width, height, name);
    state().LaunchMode = 2;
    state().ChosenSavedGame = QStringLiteral("続き");
    const auto line = [](double value) { return QStringLiteral(" %1 ").arg(value); };
    // Limit, cue, elapsed seconds and minutes, seconds left, bar step (a full bar of 3375
    // twips over the limit), countdown, pieces.
    state().SavedValues = {QString(), QString(), line(limit), line(placementSound), line(12),
                           line(3), line(limit * 30), line(limit ? 3375 / (limit * 60) : 0),
                           line(60), line(limit / 2 - 1), line(pieceCount), line(gridSide)};
    go();
    holdTheClocks();
    return board();
}

void BoardTest::go()
{
    LaunchGame(game->session(), game->boardInstance(), game->frmSelect());
}

void BoardTest::holdTheClocks()
{
    // The tests tick the clocks and the music through their slots; on a slow run the real
    // one-second timers must not tick in between.
    if (BoardForm *form = board()) {
        for (QTimer *timer : {form->ui().Timer1, form->ui().Timer2, form->ui().Timer5})
            timer->setInterval(24 * 60 * 60 * 1000);
    }
}

void BoardTest::launch(int width, int height, const QString &name)
{
    if (width > 0) {
        ASSERT_NE(launchNew(width, height, name), nullptr);
    } else {
        state().ImageFileName = name;
        state().PictureDir = app.filePath(QStringLiteral("pictures"));
        state().SelectedThumb = 0;
        state().LaunchMode = 1;
        go();
        holdTheClocks();
        ASSERT_NE(board(), nullptr);
    }
    ASSERT_SOON(state().BoardActivated == 1.0);
    finishSlides();
}

void BoardTest::startGame()
{
    ui().mnuStart->trigger();
    ASSERT_EQ(state().InPlay, 1);
    finishSlides();
}

void BoardTest::startWithTheKeys()
{
    player::pressKey(Qt::Key_Alt);
    player::pressKey(Qt::Key_Return);
    ASSERT_EQ(state().InPlay, 1);
    finishSlides();
    board()->activateWindow();
    ASSERT_SOON(board()->isActiveWindow());
}

void BoardTest::startSixteen(const QString &pictureName)
{
    launch(640, 480, pictureName);
    ui().mnuPieceCounts[0]->trigger();
    startGame();
}

int BoardTest::drive(QTimer *timer, void (BoardForm::*handler)())
{
    int ticks = 0;
    while (timer->isActive() && ticks < 5000) {
        (board()->*handler)();
        ++ticks;
    }
    return ticks;
}

void BoardTest::finishSlides()
{
    drive(ui().Timer3, &BoardForm::Timer3_Timer);
    drive(ui().Timer4, &BoardForm::Timer4_Timer);
}

void BoardTest::setLimit(const QString &typed)
{
    ui().mnuSetGameTime->trigger();
    finishSlides();
    player::typeInto(ui().Combo1, typed);
    player::click(ui().Command1);
    finishSlides();
}

void BoardTest::moveOver(QWidget *w, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

void BoardTest::drag(int i, int dx, int dy, Qt::MouseButton button)
{
    const QPoint grab(20, 20);
    QTest::mousePress(piece(i), button, {}, grab);
    QTest::mouseMove(piece(i), grab + QPoint(dx, dy));
    QTest::mouseRelease(piece(i), button, {}, grab);
}

void BoardTest::dragTo(int i, QPointF target)
{
    const QPointF by = target - placeOf(i);
    drag(i, static_cast<int>(std::lround(by.x())), static_cast<int>(std::lround(by.y())));
}

void BoardTest::placeAllBut(int skip, QPoint offset)
{
    ui().mnuPieceBox->trigger(); // BoxMode 1: all pieces out
    for (int i = 0; i < static_cast<int>(state().PieceCount); ++i) {
        if (i != skip)
            dragTo(i, correctOf(i) + offset);
    }
}

void BoardTest::chooseFromPopup(QWidget *at, QAction *item)
{
    QTest::mouseClick(at, Qt::RightButton, {}, QPoint(5, 5));
    QMenu *popup = ui().PopupMenu;
    ASSERT_SOON(popup->isVisible());
    ASSERT_TRUE(item->isEnabled()) << item->text().toStdString();
    const QPoint on = popup->actionGeometry(item).center();
    QTest::mouseMove(popup, on);
    QTest::mouseClick(popup, Qt::LeftButton, {}, on);
    ASSERT_SOON(!popup->isVisible());
}
