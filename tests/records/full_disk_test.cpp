#include "records/RecordsTestSupport.h"

#include "platform/TextFile.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace jigsaw;

namespace {

const QString kSave = QStringLiteral("save/古い.txt");
const QString kRecords = QStringLiteral("datasave/ジグソー画像1.png&16枚.txt");

// Full small file systems over the program folder's save, record and library folders: a
// tmpfs of 64 KiB each when the test may mount one (as root), filled to the last byte after
// the files it should keep are in place. Elsewhere a file-size limit fails every write the way
// a full disk does.
class FullDisk
{
public:
    explicit FullDisk(const TempAppDir &app)
    {
        for (const char *name : {"save", "datasave", "gazou"}) {
            const QString folder = app.filePath(QString::fromLatin1(name));
            QDir().mkpath(folder);
            if (::geteuid() == 0
                && ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k")
                       == 0)
                m_mounts.append(folder);
        }
    }

    ~FullDisk()
    {
        makeRoom();
        for (const QString &folder : std::as_const(m_mounts))
            ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
    }

    // From now on nothing more fits.
    void fill()
    {
        if (m_mounts.isEmpty()) {
            getrlimit(RLIMIT_FSIZE, &m_oldLimit);
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit none{0, m_oldLimit.rlim_max};
            setrlimit(RLIMIT_FSIZE, &none);
            m_limited = true;
            return;
        }
        for (const QString &folder : std::as_const(m_mounts)) {
            QFile filler(folder + QStringLiteral("/filler"));
            ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(512, 'x');
            while (filler.write(block) == block.size()) {
            }
            while (filler.write("x", 1) == 1) {
            }
        }
    }

    void makeRoom()
    {
        if (m_limited) {
            setrlimit(RLIMIT_FSIZE, &m_oldLimit);
            std::signal(SIGXFSZ, m_oldHandler);
            m_limited = false;
        }
        for (const QString &folder : std::as_const(m_mounts))
            QFile::remove(folder + QStringLiteral("/filler"));
    }

private:
    QStringList m_mounts;
    rlimit m_oldLimit{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_limited = false;
};

} // namespace

// The player's view of saving and recording when the disk or the folders fail: real clicks on
// the menu bar and the panel, real typing in the name box.
class FaultsTest : public RecordsBoardTest
{
protected:
    void clickMenu(QAction *item)
    {
        QMenuBar *bar = board()->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(item).center());
    }

    static QStringList leftovers(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
};

TEST_F(FaultsTest, FullDiskLeavesEveryOldFileWholeAndSaysSo)
{
    FullDisk disk(app);
    const QByteArray oldSave = shiftJisLines({QStringLiteral("/old.jpg"), QStringLiteral(" 0 ")});
    const QByteArray oldRecords = shiftJisLines(
        {QStringLiteral(" 1 "), QStringLiteral("2023/01/01+ジグソー画像1.png%16\\60*一郎")});
    app.writeFile(kSave, oldSave);
    app.writeFile(kRecords, oldRecords);
    startSixteen(QStringLiteral("海.png"));
    disk.fill();

    // Saving over the old game: asked, confirmed, refused; the old file stays as it was.
    clickMenu(ui().mnuSave);
    ASSERT_EQ(panelMode(), 4);
    answer(QStringLiteral("古い"));
    ASSERT_EQ(panelMode(), 5);
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(question(), QStringLiteral("このゲームは保存できませんでした。\r"
                                         "ディスクの空きや保存フォルダを確かめてください。"));
    EXPECT_EQ(fileBytes(kSave), oldSave);
    QTest::mouseClick(ui().Command3, Qt::LeftButton);

    // The record and the copy of the outside picture into the library.
    completeGame();
    ASSERT_EQ(panelMode(), 6);
    answer(QStringLiteral("花子"));
    EXPECT_EQ(panelMode(), 6);
    EXPECT_EQ(question(), QStringLiteral("記録を保存できませんでした。\r"
                                         "ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。"));
    EXPECT_EQ(fileBytes(kRecords), oldRecords);
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("gazou/ジグソー画像1.png"))));
    EXPECT_EQ(leftovers(app.filePath(QStringLiteral("save"))).filter(QStringLiteral(".txt.")),
              QStringList())
        << "no temporary file may be left behind";
    EXPECT_EQ(leftovers(app.filePath(QStringLiteral("datasave"))).filter(QStringLiteral(".txt.")),
              QStringList());

    // With room again, OK stores both: the outside picture joins the library under the next
    // record name.
    disk.makeRoom();
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(question(), QStringLiteral("この記録を保存しました。なお、使用した画像を起動時に"
                                         "表示できるように設定しました。\r"
                                         "この記録の順位を確認しますか？"));
    EXPECT_EQ(fileLines(kRecords).size(), 3);
    EXPECT_EQ(fileBytes(QStringLiteral("gazou/ジグソー画像1.png")),
              fileBytes(QStringLiteral("pictures/海.png")));
}

TEST_F(FaultsTest, SpecialFilesAndUnusableFoldersAreNamedNotBlamedOnTheDisk)
{
    // A FIFO in the record file's place would hang the completion if it were opened.
    app.writeFile(QStringLiteral("gazou/ジグソー画像1.png"), "taken");
    ASSERT_EQ(::mkfifo(QFile::encodeName(app.filePath(kRecords)).constData(), 0600), 0);
    startSixteen(QStringLiteral("ジグソー画像1.png"));
    completeGame();
    ASSERT_EQ(panelMode(), 7);
    answer(QStringLiteral("太郎"));
    EXPECT_EQ(question(), QStringLiteral("記録を保存できませんでした。\r"
                                         "記録ファイルと同じ名前のフォルダやリンクがあります。"));

    // A file where the record folder should be.
    QFile::remove(app.filePath(kRecords));
    ASSERT_TRUE(QDir(app.filePath(QStringLiteral("datasave"))).removeRecursively());
    app.writeFile(QStringLiteral("datasave"), "not a folder");
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    EXPECT_EQ(question(), QStringLiteral("記録を保存できませんでした。\r"
                                         "記録のフォルダ「datasave」に書き込めません。"));

    // A name with a line break pasted in is the name's fault.
    QFile::remove(app.filePath(QStringLiteral("datasave")));
    QGuiApplication::clipboard()->setText(QStringLiteral("次\n郎"));
    QLineEdit *box = ui().Combo1->lineEdit();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    EXPECT_EQ(question(), QStringLiteral("この名前では記録を保存できません。\r"
                                         "別のプレーヤー名を入力してください。"));
    answer(QStringLiteral("次郎"));
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(fileLines(kRecords).size(), 2);
}
