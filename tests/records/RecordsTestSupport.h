#pragma once

#include "board/BoardTestSupport.h"
#include "platform/PlatformTestSupport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QComboBox;

// The board of a started 16-piece game, with the helpers the save and record questions need.
class RecordsBoardTest : public BoardTest
{
protected:
    // Lays every piece on its place and runs the completion check, as the last release does.
    void completeGame();

    // Types a text into the question panel's input box and presses OK.
    void answer(const QString &text);
    QString question() const;
    double panelMode() { return state().PanelMode; }

    QByteArray fileBytes(const QString &relative) const;
    // The Shift_JIS lines of a file below the program folder.
    QStringList fileLines(const QString &relative) const;
};

// Shift_JIS bytes of the lines, each ended by CR LF.
QByteArray shiftJisLines(const QStringList &lines);
