#include "board/BoardTestSupport.h"
#include "platform/AppSetup.h"
#include "platform/Files.h"
#include "platform/GameFolders.h"
#include "platform/PlatformTestSupport.h"
#include "select/FolderList.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "support/PlayerInput.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace jigsaw;
using Cue = SoundCues::Cue;

namespace {

const QString kPackage = QStringLiteral(JIGSAW_EXECUTABLE);
const QString kAppId = QStringLiteral(JIGSAW_APP_ID);

// Runs a program to its end; its output when it failed.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return program + QStringLiteral(" did not finish");
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return QString();
    return program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAll());
}

// Every file and folder below a folder with its size, time and permissions.
QMap<QString, QString> snapshot(const QString &root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        entries.insert(QDir(root).relativeFilePath(info.filePath()),
                       QStringLiteral("%1 %2 %3")
                           .arg(info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch())
                           .arg(static_cast<int>(info.permissions())));
    }
    return entries;
}

void setWritable(const QString &root, bool writable)
{
    const QMap<QString, QString> entries = snapshot(root);
    for (const QString &relative : entries.keys()) {
        const QString path = root + QLatin1Char('/') + relative;
        QFile::Permissions permissions = QFileInfo(path).permissions();
        const QFile::Permissions write =
            QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(path, writable ? permissions | QFile::WriteOwner | QFile::WriteUser
                                             : permissions & ~write);
    }
}

// Sets or clears a folder's immutable attribute, which keeps even root from writing into it.
bool setImmutable(const QString &folder, bool immutable)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// A folder and its subfolders that this process cannot write while the object lives: without
// write permission, and, for root, whom permissions do not stop, immutable as well.
class UnwritableFolder
{
public:
    explicit UnwritableFolder(const QString &root)
        : m_root(root)
    {
        setWritable(root, false);
        if (::geteuid() != 0)
            return;
        m_folders.append(root);
        QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            m_folders.append(it.next());
        for (const QString &folder : m_folders)
            setImmutable(folder, true);
    }
    ~UnwritableFolder()
    {
        for (const QString &folder : m_folders)
            setImmutable(folder, false);
        setWritable(m_root, true);
    }
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

    // Whether the system refuses a new file in it, as it would refuse the game's.
    bool holds() const
    {
        QFile probe(m_root + QStringLiteral("/probe"));
        if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        probe.remove();
        return false;
    }

private:
    QString m_root;
    QStringList m_folders;
};

// Sets or unsets an environment variable for the life of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const char *value)
        : m_name(name)
        , m_old(qgetenv(name))
        , m_wasSet(qEnvironmentVariableIsSet(name))
    {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
    bool m_wasSet;
};

} // namespace

// The game installed into a read-only temporary prefix and played by a player whose home is a
// temporary folder.
class InstalledGameTest : public BoardTest
{
protected:
    InstalledGameTest()
        : m_oldHome(qgetenv("HOME"))
        , m_oldDataHome(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_DATA_HOME");
    }

    ~InstalledGameTest() override
    {
        game.reset();
        setWritable(prefix.path(), true);
        qputenv("HOME", m_oldHome);
        if (!m_oldDataHome.isNull())
            qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    void install()
    {
        ASSERT_EQ(run(QStringLiteral(JIGSAW_CMAKE),
                      {QStringLiteral("--install"), QStringLiteral(JIGSAW_BUILD_DIR),
                       QStringLiteral("--prefix"), prefix.path()}),
                  QString());
    }

    QString installed(const QString &relative) const { return prefix.filePath(relative); }
    QString playerFolder() const { return home.filePath(QStringLiteral(".local/share/") + kPackage); }
    QString bundledLibrary() const { return installed(QStringLiteral("share/") + kPackage + QStringLiteral("/gazou")); }

    // Starts the game in these folders and waits for the selection form's first activation.
    SelectForm *startIn(const GameFolders &folders)
    {
        game = std::make_unique<Game>(folders);
        game->start();
        SelectForm *form = game->frmSelect();
        EXPECT_TRUE(QTest::qWaitFor([form] { return form->isActiveWindow(); }));
        return form;
    }

    template <typename T>
    static T *control(QWidget *form, const QString &name)
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // What the player saw of the save and the record.
    struct Played
    {
        QString afterSave;
        QString afterRecord;
    };

    // Picks 港.jpg from a folder outside the library, plays 16 pieces, saves the game and
    // completes it, storing the record under a player's name.
    Played playOutsidePicture(SelectForm *form)
    {
        const QString outside = app.filePath(QStringLiteral("outside"));
        QDir().mkpath(outside);
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        EXPECT_TRUE(picture.save(outside + QStringLiteral("/港.jpg"), "JPG"));

        Played played;
        player::chooseMenu(form, {QStringLiteral("画像の読込"), QStringLiteral("ファイルから読み込む")});
        EXPECT_TRUE(control<FolderList>(form, QStringLiteral("Dir1"))->setPath(outside));
        player::click(control<QPushButton>(form, QStringLiteral("Command5")));
        QTest::mouseClick(form->image1(0), Qt::LeftButton);
        player::click(control<QPushButton>(form, QStringLiteral("Command1")));
        if (!board())
            return played;
        EXPECT_TRUE(QTest::qWaitFor([this] { return state().BoardActivated == 1; }));
        finishSlides();
        player::chooseMenu(board(), {QStringLiteral("設定"), QStringLiteral("ピース数"),
                            QStringLiteral("ピース数16枚")});
        player::chooseMenu(board(), {QStringLiteral("スタート")});
        finishSlides();

        player::chooseMenu(board(), {QStringLiteral("保存")});
        finishSlides();
        player::typeInto(ui().Combo1, QStringLiteral("わたしの一局"));
        player::click(ui().Command1);
        played.afterSave = ui().Label5->text();
        if (state().PanelMode == 1)
            player::click(ui().Command3); // back to the game
        finishSlides();

        placeAllBut(-1, QPoint());
        EXPECT_EQ(fields().Completed, 1);
        finishSlides();
        player::typeInto(ui().Combo1, QStringLiteral("太郎"));
        player::click(ui().Command1);
        played.afterRecord = ui().Label5->text();
        return played;
    }

    // The save, the library copy and its record of playOutsidePicture() lie in this folder, the
    // copy numbered after the pictures before it.
    static void expectPlayedFilesIn(const QString &folder, qsizetype picturesBefore)
    {
        EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/save/わたしの一局.txt")).isFile());
        const QString added = QStringLiteral("ジグソー画像%1.jpg").arg(picturesBefore + 1);
        EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/gazou/") + added).isFile());
        EXPECT_TRUE(
            QFileInfo(folder + QStringLiteral("/datasave/") + added + QStringLiteral("&16枚.txt"))
                .isFile());
    }

    QTemporaryDir prefix;
    QTemporaryDir home;

private:
    QByteArray m_oldHome;
    QByteArray m_oldDataHome;
};

TEST_F(InstalledGameTest, InstalledFilesAreValidAndNamedAfterTheApplicationId)
{
    ASSERT_NO_FATAL_FAILURE(install());
    const QString desktop = installed(QStringLiteral("share/applications/") + kAppId
                                      + QStringLiteral(".desktop"));
    EXPECT_EQ(run(QStringLiteral("desktop-file-validate"), {desktop}), QString());
    EXPECT_EQ(run(QStringLiteral("appstreamcli"),
                  {QStringLiteral("validate"), QStringLiteral("--no-net"),
                   installed(QStringLiteral("share/metainfo/") + kAppId
                             + QStringLiteral(".metainfo.xml"))}),
              QString());
    const QString entry = QString::fromUtf8(fileBytes(desktop));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nName[ja]=ジグソーパズル\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nIcon=") + kAppId + QLatin1Char('\n')));
    EXPECT_TRUE(QFileInfo(installed(QStringLiteral("share/icons/hicolor/scalable/apps/") + kAppId
                                    + QStringLiteral(".svg")))
                    .isFile());
    for (const int size : {48, 128, 256}) {
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(size)
                                    + kAppId + QStringLiteral(".png")));
        EXPECT_EQ(icon.size(), QSize(size, size));
    }
    EXPECT_TRUE(QFileInfo(installed(QStringLiteral("bin/") + kPackage)).isExecutable());
}

TEST_F(InstalledGameTest, PlayersFilesLandInTheirDataFolderAndThePrefixStaysAsInstalled)
{
    ASSERT_NO_FATAL_FAILURE(install());
    setWritable(prefix.path(), false);
    const QMap<QString, QString> asInstalled = snapshot(prefix.path());

    // The installed program finds its data folder from where it lies: its music is copied
    // into the player's folder at start-up.
    QProcess program;
    program.start(installed(QStringLiteral("bin/") + kPackage), {});
    const QString music = playerFolder() + QStringLiteral("/Tesselbgm.wav");
    EXPECT_TRUE(QTest::qWaitFor([&music] { return QFileInfo(music).size() > 0; }, 30000));
    EXPECT_EQ(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();

    app::setUpApplication();
    const GameFolders folders =
        GameFolders::forExecutable(installed(QStringLiteral("bin")));
    EXPECT_FALSE(folders.isPortable());
    SelectForm *form = startIn(folders);

    // The library shows the bundled pictures, in name order.
    const QStringList bundled = QDir(bundledLibrary()).entryList(QDir::Files);
    ASSERT_GE(bundled.size(), 7);
    EXPECT_EQ(control<QLabel>(form, QStringLiteral("Label5"))->text(),
              QString::number(bundled.size()));
    EXPECT_EQ(form->image1(0)->toolTip(), files::listFiles(bundledLibrary()).value(0));
    EXPECT_SOON(!form->image1(0)->picture().isNull());

    const Played played = playOutsidePicture(form);
    // Every form carries the game's icon.
    for (const QWidget *window : {static_cast<QWidget *>(form), static_cast<QWidget *>(board())})
        EXPECT_EQ(window->windowIcon().availableSizes().size(), 3);
    EXPECT_EQ(played.afterSave,
              QStringLiteral("この画面を保存しました。\rジグソーパズルを終了しますか？"));
    expectPlayedFilesIn(playerFolder(), bundled.size());
    const QString added = QStringLiteral("ジグソー画像%1.jpg").arg(bundled.size() + 1);

    // Back in the library, the added picture follows the bundled ones.
    player::chooseMenu(form, {QStringLiteral("画像の読込"), QStringLiteral("サンプルを表示")});
    EXPECT_EQ(control<QLabel>(form, QStringLiteral("Label5"))->text(),
              QString::number(bundled.size() + 1));
    auto *next = control<QPushButton>(form, QStringLiteral("Command2"));
    while (next->isVisible())
        player::click(next);
    const int last = static_cast<int>(bundled.size()) % 6;
    EXPECT_EQ(form->image1(last)->toolTip(), added);
    EXPECT_SOON(!form->image1(last)->picture().isNull());

    EXPECT_EQ(snapshot(prefix.path()), asInstalled);
}

TEST_F(InstalledGameTest, PortableFolderKeepsThePlayersFilesBesideTheExecutable)
{
    QDir().mkpath(app.filePath(QStringLiteral("gazou")));
    const GameFolders folders = GameFolders::forExecutable(app.path());
    EXPECT_TRUE(folders.isPortable());
    SelectForm *form = startIn(folders);
    playOutsidePicture(form);
    expectPlayedFilesIn(app.path(), 0);
    EXPECT_FALSE(QFileInfo::exists(playerFolder() + QStringLiteral("/save")));
}

TEST_F(InstalledGameTest, GameFolderThePlayerCannotWriteIsPlayedFromAndTheirFilesGoToTheirFolder)
{
    // A copy of the game folder, its pictures and waves beside the executable, unpacked where
    // this player cannot write.
    QTemporaryDir copy;
    QDir().mkpath(copy.filePath(QStringLiteral("gazou")));
    const QStringList bundled = QDir(TempAppDir::assetPath(QStringLiteral("gazou"))).entryList(QDir::Files);
    ASSERT_GE(bundled.size(), 7);
    for (const QString &name : bundled)
        QFile::copy(TempAppDir::assetPath(QStringLiteral("gazou/") + name),
                    copy.filePath(QStringLiteral("gazou/") + name));
    for (const char *name : {"gazou.wav", "click.wav", "kansei.wav", "Tesselbgm.wav"})
        QFile::copy(TempAppDir::assetPath(QString::fromLatin1(name)),
                    copy.filePath(QString::fromLatin1(name)));
    const UnwritableFolder unwritable(copy.path());
    if (!unwritable.holds())
        GTEST_SKIP() << "this file system lets this user write any folder";
    const QMap<QString, QString> asUnpacked = snapshot(copy.path());

    app::setUpApplication();
    SelectForm *form = startIn(GameFolders::forExecutable(copy.path()));
    EXPECT_EQ(control<QLabel>(form, QStringLiteral("Label5"))->text(),
              QString::number(bundled.size()));
    for (int i = 0; i < 6; ++i)
        EXPECT_SOON(form->image1(i)->hasPicture()) << i;
    EXPECT_TRUE(QFileInfo(playerFolder() + QStringLiteral("/Tesselbgm.wav")).size() > 0);
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    EXPECT_EQ(game->sound().cues().playedCount(Cue::Click), 1);

    const Played played = playOutsidePicture(form);
    EXPECT_EQ(played.afterSave,
              QStringLiteral("この画面を保存しました。\rジグソーパズルを終了しますか？"));
    expectPlayedFilesIn(playerFolder(), bundled.size());
    // Every cue, the notices, the clicks and the rows of the completion, came from its file.
    EXPECT_GE(game->sound().cues().playedCount(Cue::Complete), 4);
    EXPECT_EQ(game->sound().cues().defaultSoundCount(), 0);
    EXPECT_EQ(snapshot(copy.path()), asUnpacked);
}

TEST_F(InstalledGameTest, DataFolderThatCannotBeMadeGivesTheSaveAndRecordMessages)
{
    ASSERT_NO_FATAL_FAILURE(install());
    putBytes(home.filePath(QStringLiteral("blocked")), "a file where the home folder must go");
    qputenv("HOME", QFile::encodeName(home.filePath(QStringLiteral("blocked"))));
    app::setUpApplication();
    const QString bundled = installed(QStringLiteral("share/") + kPackage);
    const QStringList atTheRoot{QStringLiteral("/save"), QStringLiteral("/datasave"),
                                QStringLiteral("/gazou"), QStringLiteral("/Tesselbgm.wav")};
    for (const QString &path : atTheRoot)
        ASSERT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    // A home that holds a file, and no home at all: nothing of the player's can be kept.
    for (const GameFolders &folders :
         {GameFolders::forExecutable(installed(QStringLiteral("bin"))),
          GameFolders::installed(bundled, GameFolders::playerDataFolderFrom({}, {}, {}))}) {
        SelectForm *form = startIn(folders);
        const Played played = playOutsidePicture(form);
        // The folders are to blame, not the disk. The outside picture is stored before its
        // record.
        EXPECT_EQ(played.afterSave, QStringLiteral("このゲームは保存できませんでした。\r"
                                                   "保存フォルダ「save」に書き込めません。"));
        EXPECT_EQ(played.afterRecord, QStringLiteral("記録を保存できませんでした。\r"
                                                     "画像フォルダ「gazou」に書き込めません。"));
        EXPECT_EQ(state().PanelMode, 6);
    }
    for (const QString &path : atTheRoot)
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
}

TEST(GameFolders, PlayersFolderFollowsTheXdgRulesAndFallsBackOnThePasswordDatabase)
{
    app::setUpApplication();
    const QString below = QStringLiteral("/.local/share/") + kPackage;
    {
        const ScopedEnv home("HOME", "/home/hanako");
        const ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(GameFolders::playerDataFolder(), QStringLiteral("/home/hanako") + below);
        {
            // A relative XDG_DATA_HOME is no folder: the game does not write below wherever it
            // was started from.
            const ScopedEnv relative("XDG_DATA_HOME", "relative/data");
            EXPECT_EQ(GameFolders::playerDataFolder(), QStringLiteral("/home/hanako") + below);
        }
        const ScopedEnv absolute("XDG_DATA_HOME", "/srv/data/");
        EXPECT_EQ(GameFolders::playerDataFolder(), QStringLiteral("/srv/data/") + kPackage);
    }
    {
        // Without HOME, or with one that names no folder, the home is the user's entry in the
        // password database, never the system's root.
        const passwd *entry = ::getpwuid(::getuid());
        ASSERT_NE(entry, nullptr);
        const QString databaseHome = QFile::decodeName(entry->pw_dir);
        const ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
        for (const char *value : {static_cast<const char *>(nullptr), "", "relative"}) {
            const ScopedEnv home("HOME", value);
            EXPECT_EQ(GameFolders::playerDataFolder(),
                      (databaseHome == QStringLiteral("/") ? QString() : databaseHome) + below);
            EXPECT_EQ(GameFolders::homeFolder(), databaseHome);
        }
    }
    EXPECT_EQ(GameFolders::playerDataFolderFrom({}, {}, QString()), QString());
}

TEST(GameFolders, LibraryIsTheBundledPicturesThenTheAddedOnesEachNameOnce)
{
    QTemporaryDir root;
    const QString data = root.filePath(QStringLiteral("share"));
    const QString player = root.filePath(QStringLiteral("player"));
    for (const QString &name : {QStringLiteral("share/gazou/ジグソー画像2.jpg"),
                                QStringLiteral("share/gazou/ジグソー画像10.jpg"),
                                QStringLiteral("share/gazou/ジグソー画像1.jpg"),
                                QStringLiteral("player/gazou/ジグソー画像2.jpg"),
                                QStringLiteral("player/gazou/ジグソー画像12.jpg"),
                                QStringLiteral("player/gazou/ジグソー画像3.jpg")}) {
        QDir().mkpath(QFileInfo(root.filePath(name)).absolutePath());
        putBytes(root.filePath(name), name.toUtf8());
    }
    const GameFolders folders = GameFolders::installed(data, player);
    const QString library = folders.libraryFolder() + QLatin1Char('/');
    EXPECT_TRUE(folders.isLibrary(library));
    EXPECT_EQ(folders.listFiles(library),
              QStringList({QStringLiteral("ジグソー画像1.jpg"), QStringLiteral("ジグソー画像2.jpg"),
                           QStringLiteral("ジグソー画像10.jpg"), QStringLiteral("ジグソー画像3.jpg"),
                           QStringLiteral("ジグソー画像12.jpg")}));
    // The player's copy is the one read; names are taken in either folder.
    EXPECT_EQ(folders.filePath(library, QStringLiteral("ジグソー画像2.jpg")),
              player + QStringLiteral("/gazou/ジグソー画像2.jpg"));
    EXPECT_EQ(folders.filePath(library, QStringLiteral("ジグソー画像10.jpg")),
              data + QStringLiteral("/gazou/ジグソー画像10.jpg"));
    EXPECT_TRUE(folders.libraryHolds(QStringLiteral("ジグソー画像12.jpg")));
    EXPECT_TRUE(folders.libraryHolds(QStringLiteral("ジグソー画像10.jpg")));
    EXPECT_FALSE(folders.libraryHolds(QStringLiteral("ジグソー画像4.jpg")));

    // A folder browsed elsewhere is only itself.
    EXPECT_FALSE(folders.isLibrary(player + QStringLiteral("/gazou")));
    EXPECT_EQ(folders.listFiles(player + QStringLiteral("/gazou")).size(), 3);

    // A program folder at the system's root builds paths with a single "/".
    EXPECT_EQ(GameFolders::portable(QStringLiteral("/"), QString()).saveFolder(),
              QStringLiteral("/save"));
}
