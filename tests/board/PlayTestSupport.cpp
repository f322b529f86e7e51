#include "PlayTestSupport.h"

#include "platform/Geometry.h"
#include "select/LaunchGame.h"
#include "sound/Sound.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

#include <cmath>

using namespace jigsaw;

PlayTest::PlayTest()
{
    for (const char *name : {"gazou.wav", "click.wav", "kansei.wav"})
        QFile::remove(app.filePath(QString::fromLatin1(name)));
}

void PlayTest::startSixteen(const QString &pictureName)
{
    selectPicture(640, 480, pictureName);
    state().LaunchMode = 1;
    LaunchGame(*game);
    ASSERT_NE(board(), nullptr);
    QTRY_COMPARE(state().BoardActivated, 1.0);
    // As the piece-count item 16枚 sets them.
    state().PieceCount = 16;
    state().GridSide = 4;
    start();
    ASSERT_EQ(state().InPlay, 1);
    ASSERT_EQ(fields().PlaceTolX, 16);
    ASSERT_EQ(fields().PlaceTolY, 12);
}

PictureBox *PlayTest::piece(int i) const
{
    return ui().Picture1[static_cast<std::size_t>(i)];
}

PictureBox *PlayTest::slot(int i) const
{
    return ui().Picture6[static_cast<std::size_t>(i)];
}

QPointF PlayTest::placeOf(int i) const
{
    return {geom::left(piece(i)), geom::top(piece(i))};
}

QPointF PlayTest::correctOf(int i)
{
    const auto &place = fields().CorrectPos[static_cast<std::size_t>(i)];
    return {place[1], place[2]};
}

int PlayTest::cues(SoundCues::Cue cue) const
{
    return game->sound().cues().playedCount(cue);
}

void PlayTest::doubleClick(QWidget *w)
{
    QTest::mouseDClick(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
}

void PlayTest::moveOver(QWidget *w, QPointF at, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

void PlayTest::takeOut(int i)
{
    doubleClick(slot(i));
}

void PlayTest::drag(int i, int dx, int dy, Qt::MouseButton button)
{
    const QPoint grab(20, 20);
    QTest::mousePress(piece(i), button, {}, grab);
    QTest::mouseMove(piece(i), grab + QPoint(dx, dy));
    QTest::mouseRelease(piece(i), button, {}, grab);
}

void PlayTest::dragTo(int i, QPointF target)
{
    const QPointF by = target - placeOf(i);
    drag(i, static_cast<int>(std::lround(by.x())), static_cast<int>(std::lround(by.y())));
}

void PlayTest::placeAll(QPoint offset, int last, bool placeLast)
{
    ui().mnuPieceBox->trigger(); // BoxMode 1: all pieces out
    for (int i = 0; i < 16; ++i) {
        if (i != last)
            dragTo(i, correctOf(i) + offset);
    }
    if (placeLast)
        dragTo(last, correctOf(last) + offset);
}
