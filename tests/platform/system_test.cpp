#include "platform/AppSetup.h"
#include "platform/Clipboard.h"
#include "platform/Drives.h"
#include "platform/UserFolders.h"

#include "QtPrinting.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace drives = jigsaw::drives;

namespace {

// Points XDG_DATA_HOME somewhere else for the lifetime of the object.
class DataHome
{
public:
    explicit DataHome(const QString &path)
        : m_old(qgetenv("XDG_DATA_HOME"))
        , m_wasSet(qEnvironmentVariableIsSet("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path));
    }
    ~DataHome()
    {
        if (m_wasSet)
            qputenv("XDG_DATA_HOME", m_old);
        else
            qunsetenv("XDG_DATA_HOME");
    }
    DataHome(const DataHome &) = delete;
    DataHome &operator=(const DataHome &) = delete;

private:
    QByteArray m_old;
    bool m_wasSet;
};

} // namespace

TEST(Drives, ListStartsAtTheRootAndEveryRootEndsInASlash)
{
    const QList<drives::Drive> list = drives::listDrives();
    ASSERT_FALSE(list.isEmpty());
    EXPECT_EQ(list.first().root, QStringLiteral("/"));
    for (const drives::Drive &drive : list) {
        EXPECT_TRUE(drive.root.endsWith(QLatin1Char('/'))) << qPrintable(drive.root);
        EXPECT_FALSE(drive.label.isEmpty());
        EXPECT_FALSE(drive.root.startsWith(QLatin1String("/proc")));
        EXPECT_FALSE(drive.root.startsWith(QLatin1String("/sys")));
    }

    EXPECT_TRUE(drives::isVolumeReady(QStringLiteral("/")));
    QTemporaryDir dir;
    EXPECT_FALSE(drives::isVolumeReady(dir.filePath(QStringLiteral("gone/"))));
    QFile file(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(drives::isVolumeReady(file.fileName()));

    const QList<drives::Drive> mounts = {{"/", "/"}, {"/home/taro/", "/home/taro"},
                                         {"/media/taro/USB/", "/media/taro/USB"}};
    EXPECT_EQ(drives::driveOf(QStringLiteral("/home/taro/Pictures/trip"), mounts),
              QStringLiteral("/home/taro/"));
    EXPECT_EQ(drives::driveOf(QStringLiteral("/media/taro/USB"), mounts),
              QStringLiteral("/media/taro/USB/"));
    EXPECT_EQ(drives::driveOf(QStringLiteral("/home/taroX/a"), mounts), QStringLiteral("/"));
}

TEST(UserFolders, MusicFolderIsMadeInTheDataFolderOrIsEmpty)
{
    QTemporaryDir dir;
    {
        const DataHome home(dir.filePath(QStringLiteral("share")));
        const QString folder = jigsaw::folders::musicFolder();
        EXPECT_EQ(folder, dir.filePath(QStringLiteral("share/jigsaw-puzzle")));
        EXPECT_TRUE(QFileInfo(folder).isDir());
    }
    {
        QFile blocker(dir.filePath(QStringLiteral("file")));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const DataHome home(dir.filePath(QStringLiteral("file/share")));
        EXPECT_EQ(jigsaw::folders::musicFolder(), QString());
    }
}

TEST(AppSetup, JapaneseFontAndDisplayNameAndClipboard)
{
    jigsaw::app::setUpApplication();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("ジグソーパズル"));
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), QStringLiteral("Noto Sans CJK JP"))
        << "fonts-noto-cjk must be installed";

    QGuiApplication::clipboard()->setText(QStringLiteral("piece"));
    jigsaw::clipboard::clearClipboard();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}
