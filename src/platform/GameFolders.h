#pragma once

#include <QString>
#include <QStringList>

namespace jigsaw {

// Where the game reads its own files and keeps the player's. The only code that knows the
// layout; everything else asks it for a folder.
//
// The bundled picture library and wave files are read from the executable's folder when it
// holds gazou/ (a copied or freshly built game), writable or not, and otherwise from the
// installed data folder (share/jigsaw-puzzle beside the executable's bin folder).
//
// Portable: a game folder the player can write holds everything, the picture library, save/,
// datasave/ and the wave files.
//
// Installed, or a game folder the player cannot write (unpacked by another user, on a
// read-only medium): the bundled files are never written. save/, datasave/, the copy of the
// music and the pictures a completion adds to the library live in the player's data folder;
// the library is one list, the bundled pictures, then the ones the player added. Without a
// home to hold that folder nothing of the player's can be kept, and each write says so.
//
// In both layouts the music is copied to and played from the player's data folder.
class GameFolders
{
public:
    // The layout for an executable in this folder.
    static GameFolders forExecutable(const QString &executableFolder);
    // Everything in the program folder; the music in musicFolder.
    static GameFolders portable(const QString &programFolder, const QString &musicFolder);
    // Bundled files from dataFolder, the player's files in playerFolder.
    static GameFolders installed(const QString &dataFolder, const QString &playerFolder);

    // The player's data folder after the XDG rules: $XDG_DATA_HOME, or ~/.local/share when it
    // is unset or not an absolute path, and the application's name below it, normally
    // ~/.local/share/jigsaw-puzzle once the application has its name (app::setUpApplication).
    // Empty when no home can be found. Not made here: it is made when something is first
    // written into it.
    static QString playerDataFolder();
    // The same from the values given: the environment's HOME and XDG_DATA_HOME (null when
    // unset) and the home the password database gives (empty when it gives none).
    static QString playerDataFolderFrom(const QByteArray &home, const QByteArray &xdgDataHome,
                                        const QString &passwordHome);
    // The player's home: $HOME when it is an absolute path, else the password database's
    // entry for the user; empty when neither gives one.
    static QString homeFolder();

    bool isPortable() const { return m_portable; }

    // The folder of the bundled files, without a trailing "/" (empty for the system's root, so
    // that paths built as folder + "/gazou" have a single "/").
    const QString &programFolder() const { return m_program; }
    // Where the folder browser starts: the program folder, or the player's home when installed.
    QString browseStart() const;

    // The bundled picture library.
    QString libraryFolder() const { return m_program + QStringLiteral("/gazou"); }
    // Where a completed outside picture joins the library. Like the save and record folders,
    // empty when the player has no folder of their own.
    QString addedPicturesFolder() const { return playerPath(QStringLiteral("/gazou")); }
    QString saveFolder() const { return playerPath(QStringLiteral("/save")); }
    QString recordFolder() const { return playerPath(QStringLiteral("/datasave")); }
    // The cues and the music's original.
    const QString &waveFolder() const { return m_program; }
    // The folder the music is copied to and played from; empty when there is none.
    const QString &musicFolder() const { return m_music; }
    // Where thumbnails made before are kept, in the player's data folder beside the music;
    // empty when there is none.
    QString thumbnailFolder() const;

    // True when a browsed folder (with or without a trailing "/") is the picture library,
    // which stands for the bundled and the added pictures together.
    bool isLibrary(const QString &folder) const;
    // The names of a folder's files in listing order; for the library the bundled names, then
    // the added ones, each name once.
    QStringList listFiles(const QString &folder) const;
    // The path of a file listed in a folder. A library picture the player holds a copy of is
    // read from that copy.
    QString filePath(const QString &folder, const QString &name) const;
    // True when the library holds a file of this name, bundled or added.
    bool libraryHolds(const QString &name) const;

private:
    GameFolders(bool portable, const QString &program, const QString &player,
                const QString &music);

    QString playerPath(const QString &subfolder) const
    {
        return m_hasPlayerFolder ? m_player + subfolder : QString();
    }

    bool m_portable;
    bool m_hasPlayerFolder;
    QString m_program;
    QString m_player;
    QString m_music;
};

} // namespace jigsaw
