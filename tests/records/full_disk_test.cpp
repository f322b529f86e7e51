#include "records/RecordsTestSupport.h"

#include "platform/TextFile.h"
#include "records/RecordFile.h"
#include "support/FaultyDisk.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>

#include <csignal>
#include <sys/wait.h>
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

    // The copy of the outside picture into the library fails, so no record is stored under
    // the name it was to bear. The records left under ジグソー画像1.png without a picture are
    // not given to it: it is to be ジグソー画像2.png.
    completeGame();
    ASSERT_EQ(panelMode(), 6);
    answer(QStringLiteral("花子"));
    EXPECT_EQ(panelMode(), 6);
    EXPECT_EQ(question(), QStringLiteral("記録を保存できませんでした。\r"
                                         "使用した画像を画像フォルダにコピーできません。"
                                         "ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。"));
    EXPECT_EQ(fileBytes(kRecords), oldRecords);
    EXPECT_EQ(leftovers(app.filePath(QStringLiteral("gazou"))).filter(QStringLiteral(".png")),
              QStringList());
    EXPECT_EQ(leftovers(app.filePath(QStringLiteral("datasave"))).filter(QStringLiteral(".txt")),
              QStringList{QFileInfo(kRecords).fileName()});
    EXPECT_EQ(leftovers(app.filePath(QStringLiteral("save"))).filter(QStringLiteral(".txt.")),
              QStringList())
        << "no temporary file may be left behind";

    // With room again, OK stores both, the record under the picture's library name.
    disk.makeRoom();
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(question(), QStringLiteral("この記録を保存しました。なお、使用した画像を起動時に"
                                         "表示できるように設定しました。\r"
                                         "この記録の順位を確認しますか？"));
    EXPECT_EQ(fileBytes(kRecords), oldRecords);
    EXPECT_EQ(fileLines(QStringLiteral("datasave/ジグソー画像2.png&16枚.txt")).size(), 2);
    EXPECT_TRUE(fileBytes(QStringLiteral("gazou/ジグソー画像2.png"))
                == fileBytes(QStringLiteral("pictures/海.png")));
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
                                         "記録ファイルと同じ名前で、通常のファイルではないもの"
                                         "（特殊ファイル）があります。"));

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

TEST_F(FaultsTest, RecordLockKeptElsewhereIsToldAtOnceAndAStrayLockNeverStopsTheRecord)
{
    // A watchdog: a game that hangs on the lock is ended, and the test with it.
    ::alarm(60);
    app.writeFile(QStringLiteral("gazou/ジグソー画像1.png"), "taken");
    startSixteen(QStringLiteral("ジグソー画像1.png"));
    completeGame();
    ASSERT_EQ(panelMode(), 7);

    // Another copy of the game keeps the record file's lock until told to let it go.
    int held[2];
    int letGo[2];
    ASSERT_EQ(::pipe(held), 0);
    ASSERT_EQ(::pipe(letGo), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        {
            const recordfile::Lock lock(app.filePath(kRecords));
            char byte = lock.held() ? 'y' : 'n';
            (void)!::write(held[1], &byte, 1);
            (void)!::read(letGo[0], &byte, 1);
        }
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(held[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    answer(QStringLiteral("太郎"));
    EXPECT_EQ(question(), QStringLiteral("記録を保存できませんでした。\r"
                                         "ほかのジグソーパズルが記録ファイルを使っています。"
                                         "もう一度ＯＫをクリックしてください。"));
    EXPECT_EQ(panelMode(), 7);
    (void)!::write(letGo[1], "x", 1);
    int status = 0;
    ::waitpid(other, &status, 0);
    for (const int fd : {held[0], held[1], letGo[0], letGo[1]})
        ::close(fd);

    // A FIFO left where the lock goes is no lock: the next OK stores the record.
    const QByteArray lock = QFile::encodeName(app.filePath(kRecords + QStringLiteral(".lock")));
    ASSERT_EQ(::mkfifo(lock.constData(), 0600), 0);
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(fileLines(kRecords).size(), 2);
    EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(lock)));
    ::alarm(0);
}

TEST_F(FaultsTest, FailedSyncsAndRenamesAreReportedAndLeaveTheOldFilesWhole)
{
    using faulty::DiskFault;
    using faulty::Fault;
    const QByteArray oldSave = shiftJisLines({QStringLiteral("/old.jpg"), QStringLiteral(" 0 ")});
    const QByteArray oldRecords = shiftJisLines(
        {QStringLiteral(" 1 "), QStringLiteral("2023/01/01+ジグソー画像1.png%16\\60*一郎")});
    app.writeFile(kSave, oldSave);
    app.writeFile(kRecords, oldRecords);
    startSixteen(QStringLiteral("ジグソー画像1.png"));
    const QString notSaved = QStringLiteral("このゲームは保存できませんでした。\r"
                                            "ディスクの空きや保存フォルダを確かめてください。");

    // Saving over the old game while the disk cannot sync, then while it cannot rename.
    for (const Fault fault : {Fault::SyncFails, Fault::RenameFails}) {
        clickMenu(ui().mnuSave);
        answer(QStringLiteral("古い"));
        ASSERT_EQ(panelMode(), 5);
        const DiskFault disk(fault);
        QTest::mouseClick(ui().Command1, Qt::LeftButton);
        EXPECT_GT(disk.hits(), 0);
        EXPECT_EQ(question(), notSaved);
        EXPECT_EQ(fileBytes(kSave), oldSave);
        QTest::mouseClick(ui().Command3, Qt::LeftButton);
        finishSlides();
    }
    // A new name, and a folder put where the save goes while it is being written.
    clickMenu(ui().mnuSave);
    {
        const DiskFault disk(Fault::FolderInTheWay, app.filePath(QStringLiteral("save/新しい.txt")));
        answer(QStringLiteral("新しい"));
        EXPECT_EQ(disk.hits(), 1);
        EXPECT_EQ(question(), notSaved);
    }
    EXPECT_TRUE(QFileInfo(app.filePath(QStringLiteral("save/新しい.txt"))).isDir());
    EXPECT_EQ(leftovers(app.filePath(QStringLiteral("save"))), QStringList{QStringLiteral("古い.txt")});
    QTest::mouseClick(ui().Command3, Qt::LeftButton);
    finishSlides();

    // The record is not stored while the disk cannot sync or rename, and is once it can.
    completeGame();
    ASSERT_EQ(panelMode(), 7);
    const QString notRecorded = QStringLiteral("記録を保存できませんでした。\r"
                                               "ディスクの空きを確かめて、もう一度ＯＫをクリックしてください。");
    player::typeInto(ui().Combo1, QStringLiteral("花子"));
    for (const Fault fault : {Fault::SyncFails, Fault::RenameFails}) {
        const DiskFault disk(fault);
        QTest::mouseClick(ui().Command1, Qt::LeftButton);
        EXPECT_GT(disk.hits(), 0);
        EXPECT_EQ(question(), notRecorded);
        EXPECT_EQ(fileBytes(kRecords), oldRecords);
    }
    EXPECT_EQ(leftovers(app.filePath(QStringLiteral("datasave"))),
              QStringList{QStringLiteral("ジグソー画像1.png&16枚.txt")});
    QTest::mouseClick(ui().Command1, Qt::LeftButton);
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(fileLines(kRecords).size(), 3);
}
