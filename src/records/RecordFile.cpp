#include "records/RecordFile.h"

#include "platform/Files.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <optional>

namespace jigsaw::recordfile {

namespace {

constexpr QChar kCountSeparator = QLatin1Char('&');
const QString kCountSuffix = QStringLiteral("枚.txt");

// A piece count written as a whole number.
std::optional<double> wholeCount(const QString &text)
{
    const std::optional<double> value = num::readNumber(text);
    if (!value || *value != num::intDown(*value) || text.trimmed() != text)
        return std::nullopt;
    return value;
}

} // namespace

QString fileName(const QString &imageFileName, double pieceCount)
{
    return fileName(imageFileName, num::numberText(pieceCount));
}

QString fileName(const QString &imageFileName, const QString &pieceCountText)
{
    return imageFileName + kCountSeparator + pieceCountText + kCountSuffix;
}

QString filePath(const QString &recordFolder, const QString &imageFileName, double pieceCount)
{
    return recordFolder + QLatin1Char('/') + fileName(imageFileName, pieceCount);
}

QString filePath(const QString &recordFolder, const QString &imageFileName,
                 const QString &pieceCountText)
{
    return recordFolder + QLatin1Char('/') + fileName(imageFileName, pieceCountText);
}

QStringList pieceCountsFor(const QStringList &fileNames, const QString &imageFileName)
{
    // The picture's name may itself hold "&", so the count is what lies between the picture's
    // name and the suffix, not what follows the first "&".
    const QString prefix = imageFileName + kCountSeparator;
    QStringList counts;
    for (const QString &name : fileNames) {
        if (!name.startsWith(prefix) || !name.endsWith(kCountSuffix))
            continue;
        const qsizetype length = name.size() - prefix.size() - kCountSuffix.size();
        if (length <= 0)
            continue;
        const QString count = name.mid(prefix.size(), length);
        if (!count.contains(kCountSeparator))
            counts.append(count);
    }
    std::stable_sort(counts.begin(), counts.end(), [](const QString &a, const QString &b) {
        const std::optional<double> x = wholeCount(a);
        const std::optional<double> y = wholeCount(b);
        if (x && y)
            return *x < *y;
        if (x || y)
            return x.has_value();
        return a < b;
    });
    return counts;
}

QString makeLine(const QDate &date, const QString &imageFileName, double pieceCount,
                 long long seconds, const QString &playerName)
{
    return joinLine(date.toString(QStringLiteral("yyyy/MM/dd")), imageFileName,
                    num::numberText(pieceCount), QString::number(seconds), playerName);
}

QString joinLine(const QString &date, const QString &imageFileName, const QString &pieceCountText,
                 const QString &timeText, const QString &playerName)
{
    return date + QLatin1Char('+') + imageFileName + QLatin1Char('%') + pieceCountText
        + QLatin1Char('\\') + timeText + QLatin1Char('*') + playerName;
}

QString dateOf(const QString &line)
{
    return line.left(10);
}

QString timeTextOf(const QString &line)
{
    const qsizetype backslash = line.indexOf(QLatin1Char('\\'));
    const qsizetype star = line.indexOf(QLatin1Char('*'));
    if (backslash < 0 || star < 0 || star < backslash)
        return QString();
    return line.mid(backslash + 1, star - backslash - 1);
}

QString playerNameOf(const QString &line)
{
    const qsizetype star = line.indexOf(QLatin1Char('*'));
    return star < 0 ? line : line.mid(star + 1);
}

Contents parse(const QByteArray &bytes)
{
    Contents contents;
    contents.status = text::ReadStatus::Ok;
    const QList<QByteArray> lines = text::splitLines(bytes);
    // Decoding the file at once is much faster than line by line. Shift_JIS never hides a line
    // end inside a character, so the text has the same lines; should the decoder ever see it
    // otherwise, each line is decoded on its own.
    QStringList decoded = text::splitLines(text::decodeShiftJis(bytes));
    if (decoded.size() != lines.size()) {
        decoded.clear();
        for (const QByteArray &line : lines)
            decoded.append(text::decodeShiftJis(line));
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = decoded[i];
        if (i == 0 && (num::readNumber(line) || !line.contains(QLatin1Char('*')))) {
            contents.countLine = line;
            continue;
        }
        if (line.trimmed().isEmpty())
            continue;
        contents.storedLines.append(lines[i]);
        contents.records.append(line);
    }
    return contents;
}

Contents read(const QString &path)
{
    const text::BytesResult file = text::readBytes(path);
    if (file.status != text::ReadStatus::Ok) {
        Contents contents;
        contents.status = file.status;
        return contents;
    }
    return parse(file.bytes);
}

QByteArray fileBytes(const QList<QByteArray> &storedLines)
{
    QByteArray bytes = num::numberLine(static_cast<double>(storedLines.size())).toLatin1();
    bytes += "\r\n";
    for (const QByteArray &line : storedLines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

// The record file's name leaves room for the 7 bytes of a temporary name (files::nameFits),
// so the 5 of ".lock" fit too.
Lock::Lock(const QString &recordPath)
    : files::FileLock(recordPath + QStringLiteral(".lock"))
{
}

files::WriteStatus write(const QString &path, const QList<QByteArray> &storedLines)
{
    return files::replaceFile(path, fileBytes(storedLines));
}

AddStatus checkRecord(const QString &imageFileName, double pieceCount, const QString &line)
{
    if (!text::encodeLines({line}))
        return AddStatus::NotStorable;
    if (!files::nameFits(fileName(imageFileName, pieceCount)))
        return AddStatus::NameTooLong;
    return AddStatus::Ok;
}

AddStatus addRecord(const QString &recordFolder, const QString &imageFileName, double pieceCount,
                    const QString &line)
{
    if (const AddStatus refused = checkRecord(imageFileName, pieceCount, line);
        refused != AddStatus::Ok)
        return refused;
    const std::optional<QByteArray> encoded = text::encodeLines({line});
    if (!encoded)
        return AddStatus::NotStorable;
    if (!files::makeFolder(recordFolder))
        return AddStatus::FolderUnusable;

    const QString path = filePath(recordFolder, imageFileName, pieceCount);
    const Lock lock(path);
    switch (lock.status()) {
    case files::FileLock::Status::Held:
        break;
    case files::FileLock::Status::Busy:
        return AddStatus::Busy;
    case files::FileLock::Status::NotPermitted:
        return AddStatus::FolderUnusable;
    case files::FileLock::Status::Failed:
        return AddStatus::Failed;
    }
    const Contents old = read(path);
    switch (old.status) {
    case text::ReadStatus::Ok:
    case text::ReadStatus::Missing:
        break;
    case text::ReadStatus::NotAFile:
        return files::isSpecialFile(path) ? AddStatus::SpecialFile : AddStatus::NotAFile;
    case text::ReadStatus::TooLarge:
        return AddStatus::TooLarge;
    case text::ReadStatus::Failed:
        return AddStatus::Unreadable;
    }

    QList<QByteArray> lines;
    lines.reserve(old.storedLines.size() + 1);
    lines.append(encoded->chopped(2)); // without its CR LF
    lines.append(old.storedLines);
    switch (write(path, lines)) {
    case files::WriteStatus::Ok:
        return AddStatus::Ok;
    case files::WriteStatus::NotStorable:
        return AddStatus::NotStorable;
    case files::WriteStatus::NotAFile:
        return AddStatus::NotAFile;
    case files::WriteStatus::CannotCreate:
        return AddStatus::FolderUnusable;
    case files::WriteStatus::Failed:
        break;
    }
    return AddStatus::Failed;
}

} // namespace jigsaw::recordfile
