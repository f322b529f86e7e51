#include "records/RecordsTestSupport.h"

#include "platform/Geometry.h"
#include "platform/TextFile.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

void RecordsBoardTest::placePiece(int index, double left, double top)
{
    jigsaw::geom::move(piece(index), left, top);
    piece(index)->show();
}

void RecordsBoardTest::completeGame()
{
    for (int i = 0; i < 16; ++i)
        placePiece(i, correctOf(i).x(), correctOf(i).y());
    board()->CheckCompletion();
    ASSERT_EQ(fields().Completed, 1);
}

void RecordsBoardTest::answer(const QString &text)
{
    ui().Combo1->setEditText(text);
    ui().Command1->click();
}

QString RecordsBoardTest::question() const
{
    return ui().Label5->text();
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

void choose(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

QByteArray shiftJisLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += jigsaw::text::encodeShiftJis(line).value_or(QByteArray()) + "\r\n";
    return bytes;
}
