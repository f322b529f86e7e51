#include "platform/PlatformTestSupport.h"
#include "platform/TextFile.h"
#include "records/Ranking.h"
#include "records/RecordFile.h"
#include "records/SavedGameFile.h"
#include "support/TempAppDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace jigsaw;

namespace {

TempAppDir bareAppDir(bool saveDir)
{
    return TempAppDir(TempAppDir::Contents{.library = false, .waves = false, .saveDir = saveDir,
                                           .recordDir = false});
}

ranking::Item item(const char *time, const char *name, const char *date = "2024/03/09")
{
    return ranking::itemOf(QString::fromLatin1(date) + QStringLiteral("+sea.jpg%16\\")
                           + QString::fromLatin1(time) + QLatin1Char('*')
                           + QString::fromLatin1(name));
}

// The names of the items in the ranking's order.
QString namesInOrder(std::vector<ranking::Item> items)
{
    ranking::sortItems(items);
    QStringList names;
    for (const ranking::Item &i : items)
        names.append(i.name);
    return names.join(QLatin1Char(' '));
}

} // namespace

TEST(SavedGameWriter, SixteenPiecesAreTwentySevenShiftJisLinesAndNamesStayInTheSaveFolder)
{
    GameToSave game{.picturePath = QStringLiteral("/home/player/写真/富士山.jpg"),
                    .timeLimit = QStringLiteral("45"), .placementSound = 1, .elapsedSec = 12,
                    .elapsedMin = 3, .remainingTotalSec = 2508, .timeBarStep = 0.75f,
                    .remainingSec = 48, .remainingMin = 41, .pieceCount = 16, .gridSide = 4,
                    .left = {}, .top = {}};
    for (int i = 0; i < 16; ++i) {
        game.left.push_back(i == 1 ? 480.0f / 7.0f : static_cast<float>(1230 + i));
        game.top.push_back(i == 2 ? -3.0f : static_cast<float>(450 - 10 * i));
    }
    const QByteArray expected =
        "/home/player/\x8e\xca\x90\x5e/\x95\x78\x8e\x6d\x8e\x52.jpg\r\n45\r\n 1 \r\n 12 \r\n"
        " 3 \r\n 2508 \r\n .75 \r\n 48 \r\n 41 \r\n 16 \r\n 4 \r\n1230&450\r\n68.57143&440\r\n"
        "1232&-3\r\n1233&420\r\n1234&410\r\n1235&400\r\n1236&390\r\n1237&380\r\n1238&370\r\n"
        "1239&360\r\n1240&350\r\n1241&340\r\n1242&330\r\n1243&320\r\n1244&310\r\n1245&300\r\n";

    const TempAppDir app = bareAppDir(true);
    ASSERT_EQ(savedgame::writeFile(app.filePath(QStringLiteral("save")), QStringLiteral("続き"), game),
              savedgame::WriteStatus::Ok);
    QFile file(app.filePath(QStringLiteral("save/続き.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);

    EXPECT_EQ(savedgame::writeFile(app.filePath(QStringLiteral("save")), QStringLiteral("../x"), game),
              savedgame::WriteStatus::UnusableName);
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("x.txt"))));
}

TEST(RecordFile, CountsAreFoundByNameAndDamagedOrUnreadableFilesAreNeverReplaced)
{
    // A picture whose own name holds "&" finds its files; another picture's files are not taken.
    const QStringList names{
        QStringLiteral("sea.jpg&100枚.txt"), QStringLiteral("sea.jpg&16枚.txt"),
        QStringLiteral("sky.jpg&25枚.txt"),  QStringLiteral("sea.jpg.txt"),
        QStringLiteral("sea.jpg&36枚.txt.bak"), QStringLiteral("a&b.jpg&64枚.txt"),
        QStringLiteral("sea.jpg&枚.txt")};
    EXPECT_EQ(recordfile::pieceCountsFor(names, QStringLiteral("sea.jpg")),
              QStringList({QStringLiteral("16"), QStringLiteral("100")}));
    EXPECT_EQ(recordfile::pieceCountsFor(names, QStringLiteral("a&b.jpg")),
              QStringList({QStringLiteral("64")}));
    EXPECT_TRUE(recordfile::pieceCountsFor(names, QStringLiteral("a")).isEmpty());

    const TempAppDir app = bareAppDir(false);
    const auto path = [&app](int pieces) {
        return recordfile::filePath(app.filePath(QStringLiteral("datasave")), QStringLiteral("sea.jpg"), pieces);
    };
    const auto add = [&app](int pieces, const QString &name) {
        return recordfile::addRecord(
            app.filePath(QStringLiteral("datasave")), QStringLiteral("sea.jpg"), pieces,
            recordfile::makeLine(QDate(2024, 3, 9), QStringLiteral("sea.jpg"), pieces, 5, name));
    };
    using Status = recordfile::AddStatus;
    // A line Shift_JIS cannot store writes nothing, not even the folder.
    EXPECT_EQ(add(16, QStringLiteral("🙂")), Status::NotStorable);
    EXPECT_FALSE(QDir(app.filePath(QStringLiteral("datasave"))).exists());

    // Whatever the count line says, every record line is kept byte for byte (one holds a byte
    // that is not Shift_JIS) and the true count is written; blank lines are no records.
    const QByteArray first = "2023/01/01+sea.jpg%25\\9*A";
    const QByteArray second = "2023/01/02+sea.jpg%25\\8*\x82";
    const QByteArray added = text::encodeShiftJis(recordfile::makeLine(
        QDate(2024, 3, 9), QStringLiteral("sea.jpg"), 25, 5, QStringLiteral("新"))).value();
    for (const char *count : {" 0 ", "-2 ", " 1.5 ", " 1 ", " 9 ", "three", ""}) {
        app.writeFile(QStringLiteral("datasave/sea.jpg&25枚.txt"),
                      QByteArray(count) + "\r\n" + first + "\r\n\r\n" + second + "\r\n");
        EXPECT_EQ(add(25, QStringLiteral("新")), Status::Ok) << count;
        EXPECT_EQ(fileBytes(path(25)),
                  " 3 \r\n" + added + "\r\n" + first + "\r\n" + second + "\r\n") << count;
    }
    // A count line gone missing: the first line is a record.
    app.writeFile(QStringLiteral("datasave/sea.jpg&25枚.txt"), first);
    EXPECT_EQ(add(25, QStringLiteral("新")), Status::Ok);
    EXPECT_EQ(recordfile::read(path(25)).storedLines, QList<QByteArray>({added, first}));

    // A folder, a FIFO or a huge file in the record file's place is refused at once, and named.
    QDir().mkpath(path(36));
    EXPECT_EQ(add(36, QStringLiteral("A")), Status::NotAFile);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(49)).constData(), 0600), 0);
    EXPECT_EQ(add(49, QStringLiteral("A")), Status::SpecialFile);
    {
        QFile huge(path(64));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(30LL << 30));
    }
    EXPECT_EQ(add(64, QStringLiteral("A")), Status::TooLarge);
    EXPECT_EQ(QFileInfo(path(64)).size(), 30LL << 30);
}

TEST(RecordFile, TwoCopiesOfTheGameAddingAtOnceKeepEveryRecord)
{
    const TempAppDir app = bareAppDir(false);
    constexpr int kEach = 150;
    std::vector<pid_t> children;
    for (const char *player : {"A", "B"}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            for (int i = 0; i < kEach; ++i) {
                const QString line = recordfile::makeLine(
                    QDate(2024, 3, 9), QStringLiteral("sea.jpg"), 16, i, QString::fromLatin1(player));
                failures += recordfile::addRecord(app.path(), QStringLiteral("sea.jpg"), 16, line)
                    != recordfile::AddStatus::Ok;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const recordfile::Contents file =
        recordfile::read(recordfile::filePath(app.path(), QStringLiteral("sea.jpg"), 16));
    EXPECT_EQ(file.countLine, QStringLiteral(" 300 "));
    EXPECT_EQ(file.records.filter(QStringLiteral("*A")).size(), kEach);
    EXPECT_EQ(file.records.filter(QStringLiteral("*B")).size(), kEach);
}

TEST(Ranking, EqualTimesGoByNameAndDateIgnoringCase)
{
    EXPECT_EQ(ranking::clockText(360000 + 59), QStringLiteral("100時間00分59秒"));

    // "bob" sorts between "Amy" and "Cat", and before "BOB" of a later day.
    EXPECT_EQ(namesInOrder({item("5", "Cat"), item("5", "BOB", "2024/05/01"),
                            item("5", "bob", "2024/04/01"), item("5", "Amy"), item("x", "damaged"),
                            item("100000", "long")}),
              QStringLiteral("Amy bob BOB Cat long damaged"));
}
