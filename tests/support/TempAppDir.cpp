#include "TempAppDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempAppDir::TempAppDir()
    : TempAppDir(Contents{})
{
}

TempAppDir::TempAppDir(const Contents &contents)
{
    QDir root(m_dir.path());
    if (contents.library) {
        root.mkdir(QStringLiteral("gazou"));
        const QDir library(assetPath(QStringLiteral("gazou")));
        for (const QString &name : library.entryList(QDir::Files))
            QFile::copy(library.filePath(name), root.filePath(QStringLiteral("gazou/") + name));
    }
    if (contents.waves) {
        for (const char *name : {"gazou.wav", "click.wav", "kansei.wav", "Tesselbgm.wav"})
            QFile::copy(assetPath(QString::fromLatin1(name)), root.filePath(QString::fromLatin1(name)));
    }
    if (contents.saveDir)
        root.mkdir(QStringLiteral("save"));
    if (contents.recordDir)
        root.mkdir(QStringLiteral("datasave"));
}

void TempAppDir::writeFile(const QString &relative, const QByteArray &bytes) const
{
    const QString target = filePath(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QString TempAppDir::assetDir()
{
    return QStringLiteral(JIGSAW_ASSET_DIR);
}

QString TempAppDir::assetPath(const QString &relative)
{
    return assetDir() + QLatin1Char('/') + relative;
}
