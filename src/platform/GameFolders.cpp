#include "GameFolders.h"

#include "Files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    , m_program(withoutTrailingSlash(program))
    , m_player(withoutTrailingSlash(player))
    , m_music(music)
{
}

GameFolders GameFolders::forExecutable(const QString &executableFolder)
{
    const QFileInfo folder(executableFolder);
    if (files::folderExists(executableFolder + QStringLiteral("/gazou")) && folder.isWritable())
        return portable(executableFolder, playerDataFolder());
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

QString GameFolders::playerDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString GameFolders::browseStart() const
{
    if (!m_portable)
        return QDir::homePath();
    return m_program.isEmpty() ? QStringLiteral("/") : m_program;
}

bool GameFolders::isLibrary(const QString &folder) const
{
    return !folder.isEmpty() && QDir::cleanPath(folder) == QDir::cleanPath(libraryFolder());
}

QStringList GameFolders::listFiles(const QString &folder) const
{
    QStringList names = files::listFiles(folder);
    if (m_portable || !isLibrary(folder))
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
    if (!m_portable && isLibrary(folder)) {
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
        const QFileInfo file(folder + QLatin1Char('/') + name);
        return file.exists() || file.isSymLink();
    };
    return taken(libraryFolder()) || taken(addedPicturesFolder());
}

} // namespace jigsaw
