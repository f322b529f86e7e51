#include "GameFolders.h"

#include "Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

#ifndef JIGSAW_DATA_FROM_BIN
#error "JIGSAW_DATA_FROM_BIN must name the installed data folder relative to the executable"
#endif

namespace jigsaw {

namespace {

// Paths are built as folder + "/name", so a folder never ends in "/", not even the root.
QString withoutTrailingSlash(QString folder)
{
    while (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace

GameFolders::GameFolders(bool portable, const QString &program, const QString &player,
                         const QString &music)
    : m_portable(portable)
    , m_hasPlayerFolder(!player.isEmpty())
    , m_program(withoutTrailingSlash(program))
    , m_player(withoutTrailingSlash(player))
    , m_music(music)
{
}

GameFolders GameFolders::forExecutable(const QString &executableFolder)
{
    // A game folder is where its bundled files are, whoever may write it. Whether this player
    // may is the system's answer: a read-only medium, permissions, attributes or access lists
    // can each keep them out.
    if (files::folderExists(executableFolder + QStringLiteral("/gazou"))) {
        if (QFileInfo(executableFolder).isWritable())
            return portable(executableFolder, playerDataFolder());
        return installed(executableFolder, playerDataFolder());
    }
    const QString data = QDir::cleanPath(executableFolder + QLatin1Char('/')
                                         + QStringLiteral(JIGSAW_DATA_FROM_BIN));
    return installed(data, playerDataFolder());
}

GameFolders GameFolders::portable(const QString &programFolder, const QString &musicFolder)
{
    return GameFolders(true, programFolder, programFolder, musicFolder);
}

GameFolders GameFolders::installed(const QString &dataFolder, const QString &playerFolder)
{
    return GameFolders(false, dataFolder, playerFolder, playerFolder);
}

namespace {

// The home the password database gives this user; empty when it gives none.
QString passwordDatabaseHome()
{
    const passwd *entry = ::getpwuid(::getuid());
    const QString home = entry && entry->pw_dir ? QFile::decodeName(entry->pw_dir) : QString();
    return QDir::isAbsolutePath(home) ? home : QString();
}

} // namespace

QString GameFolders::homeFolder()
{
    const QString home = QFile::decodeName(qgetenv("HOME"));
    return QDir::isAbsolutePath(home) ? home : passwordDatabaseHome();
}

QString GameFolders::playerDataFolder()
{
    return playerDataFolderFrom(qgetenv("HOME"), qgetenv("XDG_DATA_HOME"),
                                passwordDatabaseHome());
}

QString GameFolders::playerDataFolderFrom(const QByteArray &home, const QByteArray &xdgDataHome,
                                          const QString &passwordHome)
{
    const QString application = QCoreApplication::applicationName();
    // The XDG rules: a relative XDG_DATA_HOME is invalid and ignored, lest the player's files
    // land below whatever folder the game was started from.
    const QString dataHome = QFile::decodeName(xdgDataHome);
    if (QDir::isAbsolutePath(dataHome))
        return withoutTrailingSlash(dataHome) + QLatin1Char('/') + application;
    QString homePath = QFile::decodeName(home);
    if (!QDir::isAbsolutePath(homePath))
        homePath = QDir::isAbsolutePath(passwordHome) ? passwordHome : QString();
    if (homePath.isEmpty())
        return QString();
    return withoutTrailingSlash(homePath) + QStringLiteral("/.local/share/") + application;
}

QString GameFolders::browseStart() const
{
    if (!m_portable) {
        const QString home = homeFolder();
        return home.isEmpty() ? QStringLiteral("/") : home;
    }
    return m_program.isEmpty() ? QStringLiteral("/") : m_program;
}

QString GameFolders::thumbnailFolder() const
{
    return m_music.isEmpty() ? QString() : withoutTrailingSlash(m_music) + QStringLiteral("/thumbnails");
}

bool GameFolders::isLibrary(const QString &folder) const
{
    return !folder.isEmpty() && QDir::cleanPath(folder) == QDir::cleanPath(libraryFolder());
}

QStringList GameFolders::listFiles(const QString &folder) const
{
    QStringList names = files::listFiles(folder);
    if (m_portable || !m_hasPlayerFolder || !isLibrary(folder))
        return names;
    const QStringList added = files::listFiles(addedPicturesFolder());
    for (const QString &name : added) {
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QString GameFolders::filePath(const QString &folder, const QString &name) const
{
    if (!m_portable && m_hasPlayerFolder && isLibrary(folder)) {
        const QString added = addedPicturesFolder() + QLatin1Char('/') + name;
        if (files::fileExists(added))
            return added;
    }
    return withoutTrailingSlash(folder) + QLatin1Char('/') + name;
}

bool GameFolders::libraryHolds(const QString &name) const
{
    // A link counts as taken, even one that leads nowhere: a copy is never written through it.
    const auto taken = [&name](const QString &folder) {
        if (folder.isEmpty())
            return false;
        const QFileInfo file(folder + QLatin1Char('/') + name);
        return file.exists() || file.isSymLink();
    };
    return taken(libraryFolder()) || taken(addedPicturesFolder());
}

} // namespace jigsaw
