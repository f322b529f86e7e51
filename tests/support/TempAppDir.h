#pragma once

#include "support/QtPrinters.h"

#include <QString>
#include <QTemporaryDir>

// A throw-away program folder laid out like the real one: the game's tests start the game
// here so that nothing they save or record touches the build tree.
class TempAppDir
{
public:
    struct Contents
    {
        bool library = true;   // copy the bundled picture library into gazou/
        bool waves = true;     // copy the four wave files
        bool saveDir = true;   // create save/
        bool recordDir = true; // create datasave/
    };

    TempAppDir();
    explicit TempAppDir(const Contents &contents);

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &relative) const { return m_dir.filePath(relative); }

    // Writes raw bytes to a file below the folder, creating folders on the way.
    void writeFile(const QString &relative, const QByteArray &bytes) const;

    // The bundled assets, as they are in the source tree.
    static QString assetDir();
    static QString assetPath(const QString &relative);

private:
    QTemporaryDir m_dir;
};
