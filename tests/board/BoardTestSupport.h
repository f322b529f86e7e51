#pragma once

#include "board/BoardForm.h"
#include "board/CaptionLabel.h"
#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Geometry.h"
#include "sound/Sound.h"
#include "app/Game.h"
#include "support/PlayerInput.h"
#include "support/TempAppDir.h"
#include "support/Wait.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPoint>
#include <QPointF>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// A picture whose every pixel tells where it lies, so a piece's pixels can be traced back to
// the place they were cut from.
QRgb patternAt(int x, int y);

// A photo of flat 500-pixel tiles, each of its own colour, which JPEG keeps nearly exact.
QRgb tileAt(int x, int y);
// Within JPEG's colour loss, well apart from the neighbouring tiles.
bool nearlyEqual(QRgb a, QRgb b);
// Writes the tiled photo row by row, so that one of hundreds of megapixels is written without
// holding its pixels; false when it cannot.
bool writeTiledJpeg(const QString &path, int width, int height);

// A game in a temporary program folder, launched through GO with the selection's fields set,
// played with real mouse events; timers are driven through their own slots. Without the cue
// files every cue is the short beep (still counted); the music plays from a folder of its own.
class BoardTest : public ::testing::Test
{
protected:
    BoardTest();

    // Writes a lossless picture with the pattern into the picture folder and selects it.
    void selectPicture(int width, int height, const QString &name = QStringLiteral("pic.png"));
    // Writes a tiled photo into the picture folder and selects it.
    void selectPhoto(int width, int height, const QString &name = QStringLiteral("photo.jpg"));
    // GO for a new game on a pattern picture of that size; the board form, or null.
    jigsaw::BoardForm *launchNew(int width, int height,
                                 const QString &name = QStringLiteral("pic.png"));
    // GO on the saved values 2 to 11 of a game with 3:12 played and half the limit left.
    jigsaw::BoardForm *launchResumed(int width, int height, double pieceCount, double gridSide,
                                     int placementSound, double limit = 0,
                                     const QString &name = QStringLiteral("pic.png"));
    // Keeps the board's one-second timers from ticking on their own during a test.
    void holdTheClocks();
    // GO on a new game, the board activated and the question panel slid in; on a pattern
    // picture of that size, or with no size on the picture already in the picture folder.
    void launch(int width = 480, int height = 360, const QString &name = QStringLiteral("pic.png"));
    // スタート, with the panel slid out again.
    void startGame();
    // スタート from the menu bar with the keys (Alt, Enter), the slides run out and the board
    // active again, as a window manager gives it back after a menu.
    void startWithTheKeys();
    // A started game of 16 pieces on 640 x 480: pieces of 160 x 120, tolerances 16 and 12.
    void startSixteen(const QString &pictureName = QStringLiteral("pic.png"));

    // GO with the selection's fields as set.
    void go();
    // Runs a timer's slot while the timer is on; the number of ticks it took.
    int drive(QTimer *timer, void (jigsaw::BoardForm::*handler)());
    void tick(void (jigsaw::BoardForm::*handler)(), int count)
    {
        for (int i = 0; i < count; ++i)
            (board()->*handler)();
    }
    // Lets both slides of the question panel run to their end.
    void finishSlides();
    // Sets the game-time limit through the menu and the panel as the player does.
    void setLimit(const QString &typed);

    // A double-click with the left button, and the release that ends it.
    static void doubleClick(QWidget *w)
    {
        QTest::mouseDClick(w, Qt::LeftButton);
        QTest::mouseRelease(w, Qt::LeftButton);
    }
    // A move over a control with these buttons held (none for a hover).
    static void moveOver(QWidget *w, QPointF at, Qt::MouseButtons buttons);
    void takeOut(int i) { doubleClick(slot(i)); }
    // Press at (20, 20) on the piece, one move by (dx, dy), release.
    void drag(int i, int dx, int dy, Qt::MouseButton button = Qt::LeftButton);
    // Drags a piece so that its board control lands at (left, top).
    void dragTo(int i, QPointF target);
    // Takes every piece out and drags each but `skip` to its place shifted by `offset`.
    void placeAllBut(int skip, QPoint offset);
    // A right click on the control, then a click on the item of the popup it opened.
    void chooseFromPopup(QWidget *at, QAction *item);

    jigsaw::BoardForm *board() const { return game->boardIfLoaded(); }
    const jigsaw::BoardControls &ui() const { return board()->ui(); }
    jigsaw::GameState &state() { return game->state(); }
    jigsaw::BoardFields &fields() { return game->boardFields(); }
    jigsaw::PictureBox *piece(int i) const { return ui().Picture1[static_cast<std::size_t>(i)]; }
    jigsaw::PictureBox *slot(int i) const { return ui().Picture6[static_cast<std::size_t>(i)]; }
    QPointF placeOf(int i) const { return {jigsaw::geom::left(piece(i)), jigsaw::geom::top(piece(i))}; }
    QPointF correctOf(int i)
    {
        const auto &place = fields().CorrectPos[static_cast<std::size_t>(i)];
        return {place[1], place[2]};
    }
    int cues(jigsaw::SoundCues::Cue cue) const { return game->sound().cues().playedCount(cue); }
    QString panelText(int panel) const { return ui().StatusBar1->panelText(panel); }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = true, .saveDir = true,
                                        .recordDir = true}};
    QTemporaryDir musicDir;
    std::unique_ptr<jigsaw::Game> game;
};
