#include "records/RecordsTestSupport.h"

#include "platform/Geometry.h"
#include "platform/TextFile.h"
#include "support/PlayerInput.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

void RecordsBoardTest::completeGame()
{
    for (int i = 0; i < 16; ++i) {
        jigsaw::geom::move(piece(i), correctOf(i).x(), correctOf(i).y());
        piece(i)->show();
    }
    board()->CheckCompletion();
    ASSERT_EQ(fields().Completed, 1);
}

void RecordsBoardTest::answer(const QString &text)
{
    player::typeInto(ui().Combo1, text);
    player::click(ui().Command1);
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

QByteArray shiftJisLines(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += jigsaw::text::encodeShiftJis(line).value_or(QByteArray()) + "\r\n";
    return bytes;
}
