#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace jigsaw {

// The record file of one picture and piece count: its name, its lines and the fields of a
// record line. The only code that knows the layout of that file.
namespace recordfile {

// "sea.jpg&49枚.txt" for sea.jpg with 49 pieces.
QString fileName(const QString &imageFileName, double pieceCount);
// The same with the piece count as a text, as the records form holds it.
QString fileName(const QString &imageFileName, const QString &pieceCountText);
// The record file of a picture and piece count in the record folder.
QString filePath(const QString &recordFolder, const QString &imageFileName, double pieceCount);
QString filePath(const QString &recordFolder, const QString &imageFileName,
                 const QString &pieceCountText);

// The piece counts that have a record file for the picture, among the names of the record
// folder's files: for every name of the form picture + "&" + count + "枚.txt", the count. Whole
// numbers come first in ascending order, anything else after them in text order.
QStringList pieceCountsFor(const QStringList &fileNames, const QString &imageFileName);

// A record line: "yyyy/mm/dd+picture%pieces\seconds*player".
QString makeLine(const QDate &date, const QString &imageFileName, double pieceCount,
                 long long seconds, const QString &playerName);
// A record line from its fields as texts.
QString joinLine(const QString &date, const QString &imageFileName, const QString &pieceCountText,
                 const QString &timeText, const QString &playerName);
// The fields of a record line, found by position as every reader finds them: the date is the
// first 10 characters, the time lies between the first "\" and the first "*", and the player
// name is everything after the first "*" (the whole line when it has none).
QString dateOf(const QString &line);
QString timeTextOf(const QString &line);
QString playerNameOf(const QString &line);

enum class ReadStatus {
    Ok,
    Missing, // there is no such file
    Failed,  // it exists but cannot be read
};

// What reading a record file found.
struct Contents
{
    bool exists = false;  // false when there is no such file, it is empty or cannot be read
    QStringList records;  // the record lines after the count line, in file order
    QString countLine;    // line 1 as it stands
    bool countKnown = false; // line 1 reads as a number, so the records are known
    ReadStatus status = ReadStatus::Missing;
};

// Reads the Shift_JIS file: the count on line 1, then that many record lines (fewer when the
// file ends early). Every record is read, however many there are.
Contents read(const QString &path);

// The file's lines for these records: the count as a number line, then the records.
QStringList fileLines(const QStringList &records);

// Writes the records whole: the old file stays as it was unless the new one is complete.
bool write(const QString &path, const QStringList &records);

// Puts a new record line at the top of the picture's record file, before every record the
// file holds, making the record folder when it is missing. Nothing is written when the
// existing file cannot be read, its count line is damaged, or the line cannot be stored.
bool addRecord(const QString &recordFolder, const QString &imageFileName, double pieceCount,
               const QString &line);

} // namespace recordfile

} // namespace jigsaw
