#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The game's text files: Shift_JIS (code page 932) with CR LF line ends, read line by line and
// always written whole, so a crash or a full disk never leaves half a file behind.
namespace jigsaw::text {

enum class ReadStatus {
    Ok,
    Missing, // the file or one of its folders does not exist
    Failed,  // it exists but cannot be read (a folder, no permission, an I/O error)
};

// What readLines found: how the read went and, when it went well, the lines.
struct ReadResult
{
    ReadStatus status = ReadStatus::Failed;
    QStringList lines;

    bool ok() const { return status == ReadStatus::Ok; }
};

// Reads every line of a file. A line ends at CR LF, a lone CR or a lone LF; a line end after
// the last line does not start another one, so "a\r\nb\r\n" holds two lines.
ReadResult readLines(const QString &path);

// Writes the lines, each ended by CR LF, to a temporary file beside the target that replaces
// it only once everything is on disk. Fails, leaving any old file untouched, when a line holds
// a character that Shift_JIS cannot store or a line break, or the file cannot be written.
bool writeLinesAtomically(const QString &path, const QStringList &lines);

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
