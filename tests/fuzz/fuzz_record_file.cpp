// The record-file reader with the ranking's sort and rewrite and the record add: no record
// may be lost or gained on the way, and every file written reads back the same.

#include "FuzzSupport.h"

#include "platform/TextFile.h"
#include "records/Ranking.h"
#include "records/RecordFile.h"

#include <QDate>

#include <algorithm>

using namespace jigsaw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const recordfile::Contents contents = recordfile::parse(fuzz::bytesOf(data, size));
    FUZZ_CHECK(contents.records.size() == contents.storedLines.size());

    // A record added on top: the new line, then every old line as it was.
    const QString added = recordfile::makeLine(QDate(2024, 3, 9), QStringLiteral("sea.jpg"), 16,
                                               754, QStringLiteral("花子"));
    QList<QByteArray> withNew{*text::encodeShiftJis(added)};
    withNew.append(contents.storedLines);
    const recordfile::Contents afterAdd = recordfile::parse(recordfile::fileBytes(withNew));
    FUZZ_CHECK(afterAdd.storedLines == withNew);
    FUZZ_CHECK(afterAdd.records.first() == added);

    // The ranking sorts every record and puts every one of them back.
    std::vector<ranking::Item> items;
    for (qsizetype i = 0; i < contents.records.size(); ++i) {
        items.push_back(ranking::itemOf(contents.records[i], i));
        ranking::shownTime(items.back());
        ranking::listText(items.back());
    }
    ranking::sortItems(items);
    for (std::size_t i = 1; i < items.size(); ++i)
        FUZZ_CHECK(!ranking::before(items[i], items[i - 1]));
    const QList<QByteArray> sorted = ranking::rewrittenLines(
        items, contents.storedLines, QStringLiteral("sea.jpg"), QStringLiteral("16"));
    FUZZ_CHECK(sorted.size() == contents.storedLines.size());
    const recordfile::Contents afterSort = recordfile::parse(recordfile::fileBytes(sorted));
    FUZZ_CHECK(afterSort.storedLines == sorted);

    // The record folder's names: the piece counts offered for a picture.
    QStringList names = contents.records;
    names.append(contents.countLine);
    for (const QString &picture : {contents.countLine, QStringLiteral("sea.jpg")})
        recordfile::pieceCountsFor(names, picture);
    return 0;
}
