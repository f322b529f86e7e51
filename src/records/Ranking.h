#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace jigsaw::ranking {

// One record as the ranking sorts and shows it.
struct Item
{
    // The time in whole seconds; none when the record's time is not a whole number of seconds
    // (a damaged line), which the ranking keeps but puts after every timed record.
    std::optional<long long> seconds;
    QString timeText; // the time as the record line held it
    QString name;
    QString date;
    QString nameAndDate; // what equal times are ordered by, kept to sort many records fast
    qsizetype line = 0;  // where the record stands among the file's records
};

// The record's fields, found by position as in the record file; `line` is its place there.
Item itemOf(const QString &recordLine, qsizetype line = 0);

// The time as the record file keeps it once sorted: five digits with leading zeros up to
// 99999 seconds ("00754"), all digits beyond; a record without a readable time keeps its text.
QString fileTime(const Item &item);

// The item's text in the ranking's hidden list: the file time, the name, the date.
QString listText(const Item &item);

// The ranking's order: by time, shortest first; equal times by the name and date as one text,
// ignoring letter case. Records without a readable time come last.
bool before(const Item &a, const Item &b);

// Sorts in the ranking's order; records that compare equal keep their order.
void sortItems(std::vector<Item> &items);

// The record file's lines once sorted: each item rebuilt with the picture, the piece count
// and its file time; an item whose rebuilt line cannot be stored (its line held bytes that
// were never Shift_JIS) keeps its stored bytes, `storedLines[item.line]`.
QList<QByteArray> rewrittenLines(const std::vector<Item> &items,
                                 const QList<QByteArray> &storedLines, const QString &picture,
                                 const QString &pieceCountText);

// A time as the ranking shows it: "00時間12分34秒" for 754 seconds. Hours take as many digits
// as they need beyond two ("123時間00分00秒").
QString clockText(long long seconds);

// The time column of an item: its clock text, or the time as the record held it.
QString shownTime(const Item &item);

} // namespace jigsaw::ranking
