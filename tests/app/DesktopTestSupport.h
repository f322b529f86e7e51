#pragma once

#include "board/BoardTestSupport.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QStringList>

class QMainWindow;

// What a player reads on a form: every shown label, button and frame caption with its text.
struct ShownText
{
    QWidget *control = nullptr;
    QString name; // the control's object name, for the failure messages
    QString text;
};
QList<ShownText> shownTexts(QWidget *form);

// Why the control's text does not fit its width; empty when it fits.
QString fitProblem(const ShownText &shown);

// The contrast of the control's text colour against the colour most of its area shows in a
// grab of the whole form (the text's own pixels left out), 1 to 21.
double textContrast(const ShownText &shown, const QImage &formGrab);

// Whether a text holds no Japanese (kana, kanji or full-width signs).
bool isFreeOfJapanese(const QString &text);

// A whole game on the real forms: the selection form started with one library picture,
// played with the mouse and the keyboard to the ranking.
class DesktopGameTest : public BoardTest
{
protected:
    DesktopGameTest();

    // Starts the game and waits for the selection form, the library's picture on show.
    void startGame();
    // Chooses the library's picture and presses GO; the board, its greeting slid in.
    void goToBoard();
    // The 16-piece game started, every piece then laid on its place: the congratulation.
    void playSixteenToCompletion();
    // The record's name typed and OK, then OK to the ranking offer and the ranking button.
    jigsaw::RecordsForm *recordAndShowRanking(const QString &player);

    jigsaw::SelectForm *select() const;

    // The library picture, 640 x 480, under the name the library gives its pictures.
    static const QString kPicture;
};
