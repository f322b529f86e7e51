#pragma once

#include "platform/FileLock.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QDate>
#include <QList>
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

// What reading a record file found.
struct Contents
{
    text::ReadStatus status = text::ReadStatus::Missing;
    QString countLine;             // line 1 as it stands
    QList<QByteArray> storedLines; // every record line, as its bytes stand in the file
    QStringList records;           // the same lines as text
};

// The records of a file's bytes: every line after the count line that is not blank. The count
// line only describes the file; a count that is damaged, too small or too large loses no
// record and gains none. A first line that is no number but holds the "*" of a record line is
// a record whose count line went missing.
Contents parse(const QByteArray &bytes);

// Reads the Shift_JIS file as parse does. Only an ordinary file of at most
// text::kLargestTextFile bytes is read.
Contents read(const QString &path);

// The file's bytes for these record lines: the true count as a number line, then the lines.
QByteArray fileBytes(const QList<QByteArray> &storedLines);

// Holds the lock of a record file (the record file's name + ".lock") for as long as it
// lives, so that two copies of the game that add or sort records at the same time take turns
// instead of losing each other's records.
class Lock : public files::FileLock
{
public:
    explicit Lock(const QString &recordPath);
};

// Writes the record lines whole, the text of each line as stored, the count first.
files::WriteStatus write(const QString &path, const QList<QByteArray> &storedLines);

enum class AddStatus {
    Ok,
    NotStorable,    // the line has a character Shift_JIS cannot store or a line break
    NameTooLong,    // the record file's name would be too long for the folder
    FolderUnusable, // the record folder cannot be made or written
    NotAFile,       // a folder or a link has the record file's name
    SpecialFile,    // a FIFO, a device or a socket has the record file's name
    TooLarge,       // the existing record file is too large to read
    Unreadable,     // the existing record file cannot be read
    Busy,           // another copy of the game keeps the file locked
    Failed,         // writing failed: a full disk or an I/O error; the old file is whole
};

// Whether the record line can be stored in the picture's record file at all: Ok, or why not
// (NotStorable, NameTooLong). Nothing is touched.
AddStatus checkRecord(const QString &imageFileName, double pieceCount, const QString &line);

// Puts a new record line at the top of the picture's record file, before every record the
// file holds, making the record folder when it is missing. The old records are written back
// byte for byte, under the file's lock.
AddStatus addRecord(const QString &recordFolder, const QString &imageFileName, double pieceCount,
                    const QString &line);

} // namespace recordfile

} // namespace jigsaw
