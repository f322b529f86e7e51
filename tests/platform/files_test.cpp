#include "platform/Files.h"
#include "platform/TextFile.h"

#include "PlatformTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace files = jigsaw::files;
namespace text = jigsaw::text;

TEST(TextFile, WritesShiftJisWithCrLfAndReadsEveryLineEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ゲーム.txt"));
    // 〜 (wave dash) and − (minus sign) are what a player types; code page 932 stores them as
    // ～ and －.
    ASSERT_EQ(text::writeLinesAtomically(path, {QStringLiteral("ジグソー～パズル"), "－1", "①",
                                                QStringLiteral("ゲーム〜2−3")}),
              files::WriteStatus::Ok);
    EXPECT_EQ(fileBytes(path),
              QByteArray::fromHex("8357834F835C815B816083708359838B0D0A" // ジグソー～パズル
                                  "817C310D0A"                           // －1
                                  "87400D0A"                             // ①
                                  "8351815B8380816032817C330D0A"));      // ゲーム～2－3
    const text::ReadResult read = text::readLines(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.lines, QStringList({"ジグソー～パズル", "－1", "①", "ゲーム～2－3"}));

    // The other characters code page 932 lacks become their look-alikes too.
    const QString typed = QStringLiteral("\u2016\u2014\u00A2\u00A3\u00AC\u00A5\u203E\u00A6");
    const QByteArray stored = QByteArray::fromHex("8161815C8191819281CA818F8150FA55");
    EXPECT_EQ(text::encodeShiftJis(typed), stored);
    EXPECT_EQ(text::decodeShiftJis(stored), text::withShiftJisLookAlikes(typed));

    putBytes(path, QByteArray("\r\na\nb\r c \r\n"));
    EXPECT_EQ(text::readLines(path).lines, QStringList({"", "a", "b", " c "}));
    putBytes(path, QByteArray("a\r\nb"));
    EXPECT_EQ(text::readLines(path).lines, QStringList({"a", "b"}));
    putBytes(path, QByteArray());
    EXPECT_TRUE(text::readLines(path).ok() && text::readLines(path).lines.isEmpty());
    EXPECT_EQ(text::readLines(dir.filePath(QStringLiteral("no/none.txt"))).status,
              text::ReadStatus::Missing);
}

TEST(TextFile, OnlyOrdinaryFilesOfSaneSizeAreReadAndNothingWaits)
{
    QTemporaryDir dir;
    // A folder, a FIFO (opening it would wait for a writer for ever) and a sparse 30 GB file.
    const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath(QStringLiteral("huge.txt"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(30LL << 30));
    }
    EXPECT_EQ(text::readLines(dir.path()).status, text::ReadStatus::NotAFile);
    EXPECT_EQ(text::readLines(fifo).status, text::ReadStatus::NotAFile);
    EXPECT_EQ(text::readLines(huge).status, text::ReadStatus::TooLarge);
    putBytes(huge, QByteArray(100, 'x'));
    EXPECT_EQ(text::readLines(huge, 99).status, text::ReadStatus::TooLarge);
    EXPECT_EQ(text::readLines(huge, 100).lines, QStringList{QString(100, u'x')});
    EXPECT_EQ(text::readLines(dir.filePath(QStringLiteral("huge.txt/x"))).status,
              text::ReadStatus::Missing);
}

TEST(TextFile, FailedWritesLeaveTheOldFileIntactAndSayWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("save.txt"));
    const QByteArray old("old\r\n");
    putBytes(path, old);
    // A character without a Shift_JIS form, and a line break inside a line.
    EXPECT_EQ(text::writeLinesAtomically(path, {"new", QStringLiteral("名前😀")}),
              files::WriteStatus::NotStorable);
    EXPECT_EQ(text::writeLinesAtomically(path, {"new\r\nline"}), files::WriteStatus::NotStorable);

    // The disk fills up in the middle of the write: a file size limit fails writes beyond it
    // with EFBIG, as a full disk would, even for root. The small write is the one that used to
    // fail only in the last flush and replace the old file all the same.
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, oldLimit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const files::WriteStatus small = text::writeLinesAtomically(path, QStringList(500, "1234567"));
    const files::WriteStatus large = text::writeLinesAtomically(path, QStringList(2000, "１２３４５"));
    const bool copied = files::copyFile(path, path + QStringLiteral(".copy"));
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(small, files::WriteStatus::Failed);
    EXPECT_EQ(large, files::WriteStatus::Failed);
    EXPECT_TRUE(copied) << "a copy within the limit still works";
    EXPECT_EQ(fileBytes(path), old);

    // Never written through: a link (its target lies outside the folder), a folder.
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("victim"));
    putBytes(target, "keep");
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(text::writeLinesAtomically(link, {"x"}), files::WriteStatus::NotAFile);
    EXPECT_FALSE(files::copyFile(path, link, files::Overwrite::Yes));
    ASSERT_TRUE(QFile::remove(target));
    EXPECT_FALSE(files::copyFile(path, link, files::Overwrite::Yes)) << "a dangling link too";
    EXPECT_FALSE(QFile::exists(target));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    EXPECT_EQ(text::writeLinesAtomically(dir.filePath(QStringLiteral("folder.txt")), {"x"}),
              files::WriteStatus::NotAFile);
    EXPECT_EQ(text::writeLinesAtomically(dir.filePath(QStringLiteral("no/save.txt")), {"x"}),
              files::WriteStatus::CannotCreate);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"save.txt", "save.txt.copy"}))
        << "no temporary file may be left behind";
}

TEST(Files, ListsOnlyOrdinaryFilesAndCopiesWithoutOverwritingUnlessAsked)
{
    QTemporaryDir dir;
    for (const char *name : {"a.JPG", "b.jpeg", "c.png"})
        putBytes(dir.filePath(QString::fromLatin1(name)), "first");
    ASSERT_TRUE(files::makeFolder(dir.filePath(QStringLiteral("sub/deeper"))));
    putBytes(dir.filePath(QStringLiteral("sub/inside.jpg")), "x");
    for (const char *name : {"ジグソー画像10.jpg", "ジグソー画像2.jpg", "ジグソー画像1.jpg", "B10.jpg",
                             "b9.jpg", "b09.jpg"})
        putBytes(dir.filePath(QString::fromUtf8(name)), "x");
    EXPECT_EQ(files::listFiles(dir.path()),
              QStringList({"a.JPG", "b.jpeg", "b09.jpg", "b9.jpg", "B10.jpg", "c.png",
                           "ジグソー画像1.jpg", "ジグソー画像2.jpg", "ジグソー画像10.jpg"}))
        << "listed as a player reads them: letters regardless of case, numbers by value";
    EXPECT_TRUE(files::listFiles(dir.filePath(QStringLiteral("none"))).isEmpty());

    const QString source = dir.filePath(QStringLiteral("a.JPG"));
    const QString target = dir.filePath(QStringLiteral("sub/ジグソー画像.jpg"));
    EXPECT_TRUE(files::copyFile(source, target));
    putBytes(source, "second");
    EXPECT_FALSE(files::copyFile(source, target));
    EXPECT_EQ(fileBytes(target), QByteArray("first"));
    EXPECT_TRUE(files::copyFile(source, target, files::Overwrite::Yes));
    EXPECT_FALSE(files::copyFile(dir.filePath("none"), target, files::Overwrite::Yes));
    EXPECT_FALSE(files::copyFile(source, dir.filePath(QStringLiteral("none/copy.jpg"))));
    EXPECT_EQ(fileBytes(target), QByteArray("second"));

    EXPECT_FALSE(files::fileExists(dir.path()));
    EXPECT_TRUE(files::removeFile(target));
    EXPECT_FALSE(files::fileExists(target) || files::removeFile(target));
    EXPECT_EQ(QDir(dir.filePath("sub")).entryList(QDir::Files), QStringList({"inside.jpg"}))
        << "no temporary file may be left behind";
}

TEST(Files, OurStaleTemporaryFilesAreClearedByTheNextWriteAndNothingElse)
{
    QTemporaryDir dir;
    const auto put = [&dir](const char *name, int ageSeconds) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        putBytes(path, "x");
        const timespec times[2] = {{std::time(nullptr) - ageSeconds, 0},
                                   {std::time(nullptr) - ageSeconds, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
    };
    // Left by writes that a kill cut short, two minutes ago: cleared.
    put("save.txt.AttOnp", 120);
    put("ゲーム.txt.b4X9qZ", 120);
    // A write under way in another copy of the game; not ours; another kind of file.
    put("save.txt.MhCSWf", 5);
    put("notes.txt.bak", 120);
    put("save.txt.Ab-12c", 120);
    put("photo.jpg.JkqNbg", 120);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("old.txt.njwEsG")));

    ASSERT_EQ(text::writeLinesAtomically(dir.filePath(QStringLiteral("save.txt")), {"x"}),
              files::WriteStatus::Ok);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"notes.txt.bak", "old.txt.njwEsG", "photo.jpg.JkqNbg", "save.txt",
                           "save.txt.Ab-12c", "save.txt.MhCSWf"}));
}

TEST(Files, CopiesRacingForTheSameNewNamesNeverReplaceOneAnother)
{
    QTemporaryDir dir;
    constexpr int kCopies = 4;
    constexpr int kNames = 100;
    // Every copy tries every name in the same order at the same time; a name goes to exactly
    // one of them, which alone is told Ok, and the file holds that copy's bytes.
    std::vector<pid_t> children;
    for (int copy = 0; copy < kCopies; ++copy) {
        const QString source = dir.filePath(QStringLiteral("source%1").arg(copy));
        putBytes(source, QByteArray(64 * 1024, char('A' + copy)));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            QByteArray won;
            for (int name = 0; name < kNames; ++name) {
                won += files::copyAsNewFile(source, dir.filePath(QStringLiteral("n%1.jpg").arg(name)))
                        == files::CopyStatus::Ok ? '1' : '0';
            }
            putBytes(source + QStringLiteral(".won"), won);
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
    }
    for (int name = 0; name < kNames; ++name) {
        const QByteArray bytes = fileBytes(dir.filePath(QStringLiteral("n%1.jpg").arg(name)));
        int winners = 0;
        for (int copy = 0; copy < kCopies; ++copy) {
            if (fileBytes(dir.filePath(QStringLiteral("source%1.won").arg(copy))).at(name) == '1') {
                ++winners;
                EXPECT_EQ(bytes, QByteArray(64 * 1024, char('A' + copy))) << name;
            }
        }
        EXPECT_EQ(winners, 1) << name;
    }
}
