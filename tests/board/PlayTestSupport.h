#pragma once

#include "BoardTestSupport.h"

#include "board/PictureBox.h"
#include "sound/SoundCues.h"

#include <QPoint>
#include <QPointF>

// A started game on the real board, played with real mouse events on the real piece controls.
// The wave files are left out, so every cue is the short beep; the cues still count.
class PlayTest : public BoardTest
{
protected:
    PlayTest();

    // Launches and starts a game of 16 pieces on a 640 x 480 picture of that name: pieces of
    // 160 x 120, tolerances 16 and 12.
    void startSixteen(const QString &pictureName = QStringLiteral("pic.png"));

    jigsaw::PictureBox *piece(int i) const;
    jigsaw::PictureBox *slot(int i) const;
    QPointF placeOf(int i) const;   // Left and Top of the board control
    QPointF correctOf(int i);       // CorrectPos
    int cues(jigsaw::SoundCues::Cue cue) const;

    // A double-click with the left button, and the release that ends it.
    static void doubleClick(QWidget *w);
    // A move over a control with these buttons held (none for a hover).
    static void moveOver(QWidget *w, QPointF at, Qt::MouseButtons buttons);

    // Takes a piece out of the box by double-clicking its slot.
    void takeOut(int i);
    // Press at (20, 20) on the piece, one move by (dx, dy), release.
    void drag(int i, int dx, int dy, Qt::MouseButton button = Qt::LeftButton);
    // Drags a piece so that its board control lands at (left, top).
    void dragTo(int i, QPointF target);

    // Takes every piece out and drags each one to its place shifted by `offset`, piece `last`
    // after all the others, or not at all when `placeLast` is false.
    void placeAll(QPoint offset, int last, bool placeLast);
};
