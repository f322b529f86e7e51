#include "records/Ranking.h"

#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "records/RecordFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace jigsaw::ranking {

namespace {

// Beyond this a time is no longer a game's time but a damaged line; it also keeps the seconds
// well inside what a double holds exactly.
constexpr double kLongestTime = 1e15;

std::optional<long long> secondsOf(const QString &timeText)
{
    const std::optional<double> value = num::readNumber(timeText);
    if (!value || *value < 0 || *value > kLongestTime || *value != std::floor(*value))
        return std::nullopt;
    return static_cast<long long>(*value);
}

} // namespace

Item itemOf(const QString &recordLine, qsizetype line)
{
    Item item;
    item.line = line;
    item.timeText = recordfile::timeTextOf(recordLine);
    item.seconds = secondsOf(item.timeText);
    item.name = recordfile::playerNameOf(recordLine);
    item.date = recordfile::dateOf(recordLine);
    item.nameAndDate = item.name + item.date;
    return item;
}

QString fileTime(const Item &item)
{
    if (!item.seconds)
        return item.timeText;
    return QStringLiteral("%1").arg(*item.seconds, 5, 10, QLatin1Char('0'));
}

QString listText(const Item &item)
{
    return fileTime(item) + item.name + item.date;
}

bool before(const Item &a, const Item &b)
{
    if (a.seconds.has_value() != b.seconds.has_value())
        return a.seconds.has_value();
    if (a.seconds && *a.seconds != *b.seconds)
        return *a.seconds < *b.seconds;
    if (!a.seconds) {
        const int byTime = QString::compare(a.timeText, b.timeText, Qt::CaseInsensitive);
        if (byTime != 0)
            return byTime < 0;
    }
    return QString::compare(a.nameAndDate, b.nameAndDate, Qt::CaseInsensitive) < 0;
}

void sortItems(std::vector<Item> &items)
{
    std::stable_sort(items.begin(), items.end(), before);
}

QList<QByteArray> rewrittenLines(const std::vector<Item> &items,
                                 const QList<QByteArray> &storedLines, const QString &picture,
                                 const QString &pieceCountText)
{
    QList<QByteArray> lines;
    lines.reserve(static_cast<qsizetype>(items.size()));
    for (const Item &item : items) {
        const std::optional<QByteArray> rebuilt = text::encodeLines(
            {recordfile::joinLine(item.date, picture, pieceCountText, fileTime(item), item.name)});
        lines.append(rebuilt ? rebuilt->chopped(2) : storedLines.value(item.line));
    }
    return lines;
}

QString clockText(long long seconds)
{
    return QCoreApplication::translate("jigsaw::RecordsForm", "%1時間%2分%3秒")
        .arg(num::format00(seconds / 3600), num::format00(seconds / 60 % 60),
             num::format00(seconds % 60));
}

QString shownTime(const Item &item)
{
    return item.seconds ? clockText(*item.seconds) : item.timeText;
}

} // namespace jigsaw::ranking
