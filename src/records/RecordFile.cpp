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

Contents read(const QString &path)
{
    Contents contents;
    const text::ReadResult file = text::readLines(path);
    if (file.status == text::ReadStatus::Missing)
        return contents;
    if (!file.ok()) {
        contents.status = ReadStatus::Failed;
        return contents;
    }
    contents.status = ReadStatus::Ok;
    if (file.lines.isEmpty())
        return contents;
    contents.exists = true;
    contents.countLine = file.lines.first();
    const std::optional<double> count = num::readNumber(contents.countLine);
    contents.countKnown = count.has_value();
    const qsizetype available = file.lines.size() - 1;
    const qsizetype wanted = count && *count > 0
        ? std::min<qsizetype>(available, static_cast<qsizetype>(*count))
        : 0;
    contents.records = file.lines.mid(1, wanted);
    return contents;
}

QStringList fileLines(const QStringList &records)
{
    QStringList lines;
    lines.reserve(records.size() + 1);
    lines.append(num::numberLine(static_cast<double>(records.size())));
    lines.append(records);
    return lines;
}

bool write(const QString &path, const QStringList &records)
{
    return text::writeLinesAtomically(path, fileLines(records));
}

bool addRecord(const QString &recordFolder, const QString &imageFileName, double pieceCount,
               const QString &line)
{
    if (!text::encodeShiftJis(line) || !files::makeFolder(recordFolder))
        return false;
    const QString path = filePath(recordFolder, imageFileName, pieceCount);
    const Contents old = read(path);
    if (old.status == ReadStatus::Failed || (old.exists && !old.countKnown))
        return false;
    return write(path, QStringList{line} + old.records);
}

} // namespace jigsaw::recordfile
