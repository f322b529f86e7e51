#include "platform/QtPrinting.h"
#include "platform/TextFile.h"
#include "records/RecordFile.h"
#include "support/TempAppDir.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace jigsaw;

namespace {

QString recordLine(int seconds, const QString &name)
{
    return recordfile::makeLine(QDate(2024, 3, 9), QStringLiteral("sea.jpg"), 16, seconds, name);
}

QStringList lines(const QString &path)
{
    return text::readLines(path).lines;
}

} // namespace

TEST(RecordFile, LineAndNamesAndFieldsFollowTheFormat)
{
    const QString line = recordLine(754, QStringLiteral("太郎*二郎"));
    EXPECT_EQ(line, QStringLiteral("2024/03/09+sea.jpg%16\\754*太郎*二郎"));
    EXPECT_EQ(recordfile::dateOf(line), QStringLiteral("2024/03/09"));
    EXPECT_EQ(recordfile::timeTextOf(line), QStringLiteral("754"));
    EXPECT_EQ(recordfile::playerNameOf(line), QStringLiteral("太郎*二郎"));
    EXPECT_EQ(recordfile::fileName(QStringLiteral("sea.jpg"), 49),
              QStringLiteral("sea.jpg&49枚.txt"));
    EXPECT_EQ(recordfile::fileName(QStringLiteral("sea.jpg"), QStringLiteral("49")),
              QStringLiteral("sea.jpg&49枚.txt"));

    // The counts with a record file for one picture, in number order; a picture whose own
    // name holds "&" finds its files too, and another picture's files are not taken.
    const QStringList names{
        QStringLiteral("sea.jpg&100枚.txt"), QStringLiteral("sea.jpg&16枚.txt"),
        QStringLiteral("sky.jpg&25枚.txt"),  QStringLiteral("sea.jpg&49枚.txt"),
        QStringLiteral("sea.jpg.txt"),       QStringLiteral("sea.jpg&36枚.txt.bak"),
        QStringLiteral("a&b.jpg&64枚.txt"),  QStringLiteral("sea.jpg&枚.txt")};
    EXPECT_EQ(recordfile::pieceCountsFor(names, QStringLiteral("sea.jpg")),
              QStringList({QStringLiteral("16"), QStringLiteral("49"), QStringLiteral("100")}));
    EXPECT_EQ(recordfile::pieceCountsFor(names, QStringLiteral("a&b.jpg")),
              QStringList({QStringLiteral("64")}));
    EXPECT_TRUE(recordfile::pieceCountsFor(names, QStringLiteral("a")).isEmpty());
}

TEST(RecordFile, DamagedOrUnstorableRecordsWriteNothing)
{
    TempAppDir app(TempAppDir::Contents{.library = false, .waves = false, .saveDir = false,
                                        .recordDir = false});
    // A line Shift_JIS cannot store writes nothing, not even the folder.
    EXPECT_FALSE(recordfile::addRecord(app.path(), QStringLiteral("sea.jpg"), 16,
                                       recordLine(5, QStringLiteral("🙂"))));
    EXPECT_FALSE(QDir(app.filePath(QStringLiteral("datasave"))).exists());

    // A file whose count line is damaged is left as it is rather than cut short.
    app.writeFile(QStringLiteral("datasave/sea.jpg&25枚.txt"), "three\r\nx\r\n");
    EXPECT_FALSE(recordfile::addRecord(app.path(), QStringLiteral("sea.jpg"), 25,
                                       recordLine(5, QStringLiteral("A"))));
    EXPECT_EQ(lines(recordfile::filePath(app.path(), QStringLiteral("sea.jpg"), 25)),
              QStringList({QStringLiteral("three"), QStringLiteral("x")}));
}

TEST(RecordFile, ReadTakesTheCountedLinesAndTellsMissingFromUnreadable)
{
    TempAppDir app(TempAppDir::Contents{.library = false, .waves = false, .saveDir = false,
                                        .recordDir = true});
    app.writeFile(QStringLiteral("datasave/a.txt"), " 2 \r\nx\r\ny\r\nextra\r\n");
    recordfile::Contents read = recordfile::read(app.filePath(QStringLiteral("datasave/a.txt")));
    EXPECT_EQ(read.status, recordfile::ReadStatus::Ok);
    EXPECT_TRUE(read.exists);
    EXPECT_TRUE(read.countKnown);
    EXPECT_EQ(read.records, QStringList({QStringLiteral("x"), QStringLiteral("y")}));

    read = recordfile::read(app.filePath(QStringLiteral("datasave/none.txt")));
    EXPECT_EQ(read.status, recordfile::ReadStatus::Missing);
    EXPECT_FALSE(read.exists);

    const QString locked = recordfile::filePath(app.path(), QStringLiteral("locked.jpg"), 16);
    QDir().mkpath(locked);
    read = recordfile::read(locked);
    EXPECT_EQ(read.status, recordfile::ReadStatus::Failed);
    EXPECT_FALSE(recordfile::addRecord(app.path(), QStringLiteral("locked.jpg"), 16,
                                       QStringLiteral("x")))
        << "a record file that cannot be read is never replaced";
}
