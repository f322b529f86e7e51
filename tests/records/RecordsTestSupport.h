#pragma once

#include "board/BoardTestSupport.h"
#include "sound/SoundCues.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The board of a 16-piece game in a temporary program folder, with the helpers the save and
// record questions need. The notice and completion waves are left out: their beeps are
// shorter, and nothing here listens to them.
class RecordsBoardTest : public BoardTest
{
protected:
    RecordsBoardTest();

    // Launches a new game on a pattern picture of that name and starts it with 16 pieces.
    void startSmallGame(const QString &pictureName = QStringLiteral("pic.png"));

    // Puts board piece i on the board at (left, top).
    void placePiece(int index, double left, double top);

    // Lays every piece on its place and runs the completion check, as the last release does.
    void completeGame();

    // Types a text into the panel's input box and presses OK.
    void answer(const QString &text);
    void pressOk();
    void pressNo();
    // Picks item text from the panel's input box list.
    void pick(const QString &text);

    QString panelText() const;
    double panelMode() { return state().PanelMode; }
    int clicks() const;

    QByteArray fileBytes(const QString &relative) const;
    // The Shift_JIS lines of a file below the program folder.
    QStringList fileLines(const QString &relative) const;
};

// Shift_JIS bytes of the lines, each ended by CR LF.
QByteArray shiftJisLines(const QStringList &lines);
