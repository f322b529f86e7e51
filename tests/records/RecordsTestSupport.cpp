#include "records/RecordsTestSupport.h"

#include "board/PictureBox.h"
#include "platform/Geometry.h"
#include "platform/TextFile.h"
#include "select/LaunchGame.h"
#include "sound/Sound.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

RecordsBoardTest::RecordsBoardTest()
{
    QFile::remove(app.filePath(QStringLiteral("gazou.wav")));
    QFile::remove(app.filePath(QStringLiteral("kansei.wav")));
}

void RecordsBoardTest::startSmallGame(const QString &pictureName)
{
    selectPicture(400, 300, pictureName);
    state().LaunchMode = 1;
    jigsaw::LaunchGame(*game);
    ASSERT_NE(board(), nullptr);
    // What the menu ピース数16枚 sets before Start.
    state().PieceCount = 16;
    state().GridSide = 4;
    start();
}

void RecordsBoardTest::placePiece(int index, double left, double top)
{
    jigsaw::PictureBox *piece = ui().Picture1[static_cast<std::size_t>(index)];
    jigsaw::geom::move(piece, left, top);
    piece->show();
}

void RecordsBoardTest::completeGame()
{
    for (int i = 0; i < 16; ++i) {
        const auto k = static_cast<std::size_t>(i);
        placePiece(i, fields().CorrectPos[k][1], fields().CorrectPos[k][2]);
    }
    board()->CheckCompletion();
    ASSERT_EQ(fields().Completed, 1);
}

void RecordsBoardTest::answer(const QString &text)
{
    ui().Combo1->setEditText(text);
    pressOk();
}

void RecordsBoardTest::pressOk()
{
    ui().Command1->click();
}

void RecordsBoardTest::pressNo()
{
    ui().Command3->click();
}

void RecordsBoardTest::pick(const QString &text)
{
    const int index = ui().Combo1->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    ui().Combo1->setCurrentIndex(index);
    emit ui().Combo1->activated(index);
}

QString RecordsBoardTest::panelText() const
{
    return ui().Label5->text();
}

int RecordsBoardTest::clicks() const
{
    return game->sound().cues().playedCount(jigsaw::SoundCues::Cue::Click);
}

QByteArray RecordsBoardTest::fileBytes(const QString &relative) const
{
    QFile file(app.filePath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList RecordsBoardTest::fileLines(const QString &relative) const
{
    return jigsaw::text::readLines(app.filePath(relative)).lines;
}

QByteArray shiftJisLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += jigsaw::text::encodeShiftJis(line).value_or(QByteArray()) + "\r\n";
    return bytes;
}
