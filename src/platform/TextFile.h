#pragma once

#include "platform/Files.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The game's text files: Shift_JIS (code page 932) with CR LF line ends, read line by line and
// always written whole, so a crash or a full disk never leaves half a file behind.
namespace jigsaw::text {

// The largest text file the game reads: far beyond any saved game or record file it writes
// (100,000 records take about 6 MB), yet small enough to read whole without a second thought.
inline constexpr qint64 kLargestTextFile = 32 * 1024 * 1024;

enum class ReadStatus {
    Ok,
    Missing,  // the file or one of its folders does not exist
    NotAFile, // a folder, a FIFO or another special file has the name
    TooLarge, // larger than the reader accepts
    Failed,   // it exists but cannot be read (no permission, an I/O error)
};

// The bytes of an ordinary file, read whole.
struct BytesResult
{
    ReadStatus status = ReadStatus::Failed;
    QByteArray bytes;
};

// Reads an ordinary file of at most maxBytes. Anything else is refused without being waited
// on: a FIFO in the file's place never blocks the game, a huge file is never loaded.
BytesResult readBytes(const QString &path, qint64 maxBytes = kLargestTextFile);

// The lines of a file's bytes. A line ends at CR LF, a lone CR or a lone LF; a line end after
// the last line does not start another one, so "a\r\nb\r\n" holds two lines. Shift_JIS never
// uses these bytes inside a character, so the bytes split as the text does.
QList<QByteArray> splitLines(const QByteArray &bytes);
// The same for a text.
QStringList splitLines(const QString &text);

// What readLines found: how the read went and, when it went well, the lines.
struct ReadResult
{
    ReadStatus status = ReadStatus::Failed;
    QStringList lines;

    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads every line of a Shift_JIS file of at most maxBytes, as readBytes and splitLines do.
ReadResult readLines(const QString &path, qint64 maxBytes = kLargestTextFile);

// The Shift_JIS bytes of the lines, each ended by CR LF; no value when a line holds a
// character that Shift_JIS cannot store or a line break, which would shift every later line.
std::optional<QByteArray> encodeLines(const QStringList &lines);

// Writes the lines as encodeLines gives them into a temporary file beside the target that
// replaces it only once everything is on disk (files::replaceFile). NotStorable when a line
// cannot be stored; any old file is untouched unless the result is Ok.
files::WriteStatus writeLinesAtomically(const QString &path, const QStringList &lines);

// Replaces characters that code page 932 lacks by the look-alikes a player would expect
// (wave dash 〜 by ～, minus sign − by －, em dash — by ―, ...). Other characters are unchanged.
QString withShiftJisLookAlikes(const QString &text);

// The Shift_JIS bytes of a text after the look-alike replacement; no value when a character
// still has no Shift_JIS form (emoji, most accented letters).
std::optional<QByteArray> encodeShiftJis(const QString &text);

// The text of Shift_JIS bytes. Bytes that are not valid Shift_JIS decode to replacement
// characters rather than failing: what matters is reading back what the game wrote.
QString decodeShiftJis(const QByteArray &bytes);

} // namespace jigsaw::text
