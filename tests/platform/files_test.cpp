#include "platform/Files.h"

#include "QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace files = jigsaw::files;

namespace {

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(Files, ListsOnlyTheOrdinaryFilesOfAFolder)
{
    QTemporaryDir dir;
    for (const char *name : {"a.JPG", "b.jpeg", "c.png"})
        putBytes(dir.filePath(QString::fromLatin1(name)), "x");
    ASSERT_TRUE(files::makeFolder(dir.filePath(QStringLiteral("sub/deeper"))));
    putBytes(dir.filePath(QStringLiteral("sub/inside.jpg")), "x");

    QStringList names = files::listFiles(dir.path());
    names.sort(); // the listing order is the system's; only the set is fixed
    EXPECT_EQ(names, QStringList({"a.JPG", "b.jpeg", "c.png"}));

    EXPECT_TRUE(files::listFiles(dir.filePath(QStringLiteral("none"))).isEmpty());
    EXPECT_TRUE(files::listFiles(QString()).isEmpty());
    EXPECT_TRUE(files::folderExists(dir.filePath(QStringLiteral("sub/deeper"))));
}

TEST(Files, CopiesWithoutOverwritingUnlessAskedAndDeletes)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("ジグソー画像.jpg"));
    const QString target = dir.filePath(QStringLiteral("copy.jpg"));
    putBytes(source, "first");

    EXPECT_TRUE(files::copyFile(source, target));
    EXPECT_EQ(fileBytes(target), QByteArray("first"));

    putBytes(source, "second");
    EXPECT_FALSE(files::copyFile(source, target));
    EXPECT_EQ(fileBytes(target), QByteArray("first"));
    EXPECT_TRUE(files::copyFile(source, target, files::Overwrite::Yes));
    EXPECT_EQ(fileBytes(target), QByteArray("second"));

    EXPECT_FALSE(files::copyFile(dir.filePath(QStringLiteral("none")), target, files::Overwrite::Yes));
    EXPECT_FALSE(files::copyFile(source, dir.filePath(QStringLiteral("none/copy.jpg"))));
    EXPECT_EQ(fileBytes(target), QByteArray("second"));

    EXPECT_TRUE(files::fileExists(target));
    EXPECT_FALSE(files::fileExists(dir.path()));
    EXPECT_TRUE(files::removeFile(target));
    EXPECT_FALSE(files::fileExists(target));
    EXPECT_FALSE(files::removeFile(target));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"ジグソー画像.jpg"}));
}
