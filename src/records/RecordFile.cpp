#include "records/RecordFile.h"

#include "platform/Numbers.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace jigsaw::recordfile {

QString fileName(const QString &imageFileName, double pieceCount)
{
    return imageFileName + QLatin1Char('&') + num::numberText(pieceCount) + QStringLiteral("枚.txt");
}

QString folderPath(const QString &appDir)
{
    return appDir + QStringLiteral("/datasave");
}

QString filePath(const QString &appDir, const QString &imageFileName, double pieceCount)
{
    return folderPath(appDir) + QLatin1Char('/') + fileName(imageFileName, pieceCount);
}

QString makeLine(const QDate &date, const QString &imageFileName, double pieceCount,
                 long long seconds, const QString &playerName)
{
    return date.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char('+') + imageFileName
        + QLatin1Char('%') + num::numberText(pieceCount) + QLatin1Char('\\')
        + QString::number(seconds) + QLatin1Char('*') + playerName;
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
    if (!file.ok() || file.lines.isEmpty())
        return contents;
    contents.exists = true;
    const std::optional<double> count = num::readNumber(file.lines.first());
    const qsizetype available = file.lines.size() - 1;
    const qsizetype wanted = count && *count > 0
        ? std::min<qsizetype>(available, static_cast<qsizetype>(*count))
        : 0;
    contents.records = file.lines.mid(1, wanted);
    return contents;
}

} // namespace jigsaw::recordfile
