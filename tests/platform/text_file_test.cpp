#include "platform/TextFile.h"

#include "QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace text = jigsaw::text;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Makes writes beyond a size fail with EFBIG, as a full disk would, even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(TextFile, WritesShiftJisWithCrLfAndReadsItBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ゲーム.txt"));
    // 〜 (wave dash) and − (minus sign) are what a player types; code page 932 stores them as
    // ～ and －.
    ASSERT_TRUE(text::writeLinesAtomically(
        path, {QStringLiteral("ジグソー～パズル"), QStringLiteral("－1"), QStringLiteral("①"),
               QStringLiteral(" 12 "), QStringLiteral("ゲーム〜2−3")}));

    EXPECT_EQ(fileBytes(path),
              QByteArray::fromHex("8357834F835C815B816083708359838B0D0A" // ジグソー～パズル
                                  "817C310D0A"                           // －1
                                  "87400D0A"                             // ①
                                  "203132200D0A"                         // " 12 "
                                  "8351815B8380816032817C330D0A"));      // ゲーム～2－3

    const text::ReadResult read = text::readLines(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.lines,
              QStringList({QStringLiteral("ジグソー～パズル"), QStringLiteral("－1"),
                           QStringLiteral("①"), QStringLiteral(" 12 "),
                           QStringLiteral("ゲーム～2－3")}));
}

TEST(TextFile, EveryLookAlikeIsEncodable)
{
    const QString typed = QStringLiteral("\u301C\u2212\u2016\u2014\u00A2\u00A3\u00AC\u00A5\u203E\u00A6");
    const std::optional<QByteArray> bytes = text::encodeShiftJis(typed);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, QByteArray::fromHex("8160817C8161815C8191819281CA818F8150FA55"));
    EXPECT_EQ(text::decodeShiftJis(*bytes), text::withShiftJisLookAlikes(typed));
}

TEST(TextFile, ReadsEveryLineEndAndTellsMissingFromUnreadable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    putBytes(path, QByteArray("a\r\nb\nc\rd"));
    EXPECT_EQ(text::readLines(path).lines, QStringList({"a", "b", "c", "d"}));

    putBytes(path, QByteArray("\r\n x \r\n"));
    EXPECT_EQ(text::readLines(path).lines, QStringList({"", " x "}));

    putBytes(path, QByteArray());
    const text::ReadResult empty = text::readLines(path);
    EXPECT_TRUE(empty.ok());
    EXPECT_TRUE(empty.lines.isEmpty());

    EXPECT_EQ(text::readLines(dir.filePath(QStringLiteral("none.txt"))).status,
              text::ReadStatus::Missing);
    EXPECT_EQ(text::readLines(dir.filePath(QStringLiteral("no-folder/none.txt"))).status,
              text::ReadStatus::Missing);
    EXPECT_EQ(text::readLines(dir.path()).status, text::ReadStatus::Failed);
}

TEST(TextFile, FailedWritesLeaveTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("save.txt"));
    const QByteArray old("old\r\n");
    putBytes(path, old);

    // A character without a Shift_JIS form, and a line break inside a line.
    EXPECT_FALSE(text::writeLinesAtomically(path, {"new", QStringLiteral("名前😀")}));
    EXPECT_FALSE(text::encodeShiftJis(QStringLiteral("é")).has_value());
    EXPECT_FALSE(text::writeLinesAtomically(path, {"new\r\nline"}));
    EXPECT_EQ(fileBytes(path), old);

    // The disk fills up in the middle of the write.
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(text::writeLinesAtomically(path, QStringList(2000, QStringLiteral("１２３４５"))));
    }
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"save.txt"}))
        << "no temporary file may be left behind";

    // A folder that does not exist.
    EXPECT_FALSE(text::writeLinesAtomically(dir.filePath(QStringLiteral("none/save.txt")), {"x"}));
}
