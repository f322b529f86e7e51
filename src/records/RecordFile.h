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
// The record folder of a program folder, without a trailing "/".
QString folderPath(const QString &appDir);
QString filePath(const QString &appDir, const QString &imageFileName, double pieceCount);

// A record line: "yyyy/mm/dd+picture%pieces\seconds*player".
QString makeLine(const QDate &date, const QString &imageFileName, double pieceCount,
                 long long seconds, const QString &playerName);
// The fields of a record line, found by position as every reader finds them: the date is the
// first 10 characters, the time lies between the first "\" and the first "*", and the player
// name is everything after the first "*" (the whole line when it has none).
QString dateOf(const QString &line);
QString timeTextOf(const QString &line);
QString playerNameOf(const QString &line);

struct Contents
{
    bool exists = false;  // false when there is no such file (or it cannot be read)
    QStringList records;  // the record lines after the count line, in file order
};

// Reads the Shift_JIS file: the count on line 1, then that many record lines (fewer when the
// file ends early).
Contents read(const QString &path);

} // namespace recordfile

} // namespace jigsaw
