#include "board/PlayRules.h"
#include "platform/FileLock.h"
#include "platform/GameFolders.h"
#include "platform/PlatformTestSupport.h"
#include "records/LibraryPicture.h"
#include "records/RecordFile.h"
#include "support/TempAppDir.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <set>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace jigsaw;

namespace {

// Runs a call that must come back at once; a call that hangs ends the whole test program
// with a failure instead of leaving it waiting for ever.
template <typename Call>
auto withinWatchdog(const std::string &what, Call call)
{
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << what << " hangs";
        std::fflush(nullptr);
        std::_Exit(1);
    }
    return done.get();
}

bool nothingAt(const QString &path)
{
    struct stat info{};
    return ::lstat(QFile::encodeName(path).constData(), &info) != 0;
}

// Waits for a forked copy and tells whether it ended well.
bool endedWell(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

TEST(RecordLock, WhateverStandsInTheLocksPlaceNeitherHangsNorBlocksTheRecordForEver)
{
    const TempAppDir app(TempAppDir::Contents{.library = false, .waves = false,
                                               .saveDir = false, .recordDir = true});
    const QString folder = app.filePath(QStringLiteral("datasave"));
    // A record file name of 248 bytes, the longest the game writes: its lock's name still fits.
    const QString longPicture = QString(234, QLatin1Char('p')) + QStringLiteral(".jpg");
    ASSERT_EQ(QFile::encodeName(recordfile::fileName(longPicture, 16)).size(), 248);

    struct Kind
    {
        const char *what;
        std::function<bool(const QString &)> put;
        bool stays; // what cannot be removed stays; the record lands all the same
    };
    const std::vector<Kind> kinds{
        {"a FIFO", [](const QString &p) { return ::mkfifo(QFile::encodeName(p).constData(), 0600) == 0; }, false},
        {"a link to /dev/zero", [](const QString &p) { return QFile::link(QStringLiteral("/dev/zero"), p); }, false},
        {"a dangling link", [](const QString &p) { return QFile::link(p + QStringLiteral(".gone"), p); }, false},
        {"an empty folder", [](const QString &p) { return QDir().mkdir(p); }, false},
        {"a folder holding a file", [](const QString &p) {
             return QDir().mkdir(p) && QFile(p + QStringLiteral("/x")).open(QIODevice::WriteOnly);
         }, true},
        {"the lock file of a copy that was killed", [](const QString &p) {
             QFile file(p);
             return file.open(QIODevice::WriteOnly) && file.write("99999\njigsaw-puzzle\nhost\n") > 0;
         }, false},
    };
    for (const QString &picture : {QStringLiteral("sea.jpg"), longPicture}) {
        const QString record = recordfile::filePath(folder, picture, 16);
        int added = 0;
        for (const Kind &kind : kinds) {
            const QString lock = record + QStringLiteral(".lock");
            ASSERT_TRUE(kind.put(lock)) << kind.what;
            const std::string what = std::string(kind.what) + " for " + picture.left(10).toStdString();
            const recordfile::AddStatus status = withinWatchdog(what, [&] {
                return recordfile::addRecord(folder, picture, 16,
                                             recordfile::makeLine(QDate(2024, 3, 9), picture, 16,
                                                                  60, QStringLiteral("A")));
            });
            EXPECT_EQ(status, recordfile::AddStatus::Ok) << what;
            added += status == recordfile::AddStatus::Ok;
            EXPECT_EQ(recordfile::read(record).records.size(), added) << what;
            EXPECT_EQ(nothingAt(lock), !kind.stays) << what;
            if (kind.stays) {
                ASSERT_TRUE(QDir(lock).removeRecursively());
            }
        }
    }
}

TEST(LibraryPicture, CopiesAddingPicturesAtOnceEachKeepTheirOwnUnderNamesOfTheirOwn)
{
    const TempAppDir app(TempAppDir::Contents{.library = false, .waves = false,
                                               .saveDir = false, .recordDir = true});
    const GameFolders folders = GameFolders::portable(app.path(), QString());
    // A picture from before, and records left under a name whose picture is gone: neither
    // name is given to a new picture.
    app.writeFile(QStringLiteral("gazou/ジグソー画像1.jpg"), "old");
    app.writeFile(QStringLiteral("datasave/ジグソー画像2.jpg&16枚.txt"), " 0 \r\n");

    constexpr int kCopies = 4;
    constexpr int kEach = 8;
    std::vector<pid_t> children;
    for (int copy = 0; copy < kCopies; ++copy) {
        const QString source = app.filePath(QStringLiteral("picture%1.jpg").arg(copy));
        putBytes(source, QByteArray::number(copy));
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int failures = 0;
            // Every copy counts the library as it stood at its completion: all start at 1.
            for (int i = 0; i < kEach; ++i) {
                failures += library::addPicture(folders, source, QStringLiteral("ジグソー画像1.jpg"),
                                                nextLibraryName)
                                .status
                    != library::AddStatus::Ok;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(child);
    }
    for (const pid_t child : children)
        EXPECT_TRUE(endedWell(child));

    const QStringList stored = files::listFiles(app.filePath(QStringLiteral("gazou")));
    ASSERT_EQ(stored.size(), kCopies * kEach + 1) << stored.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(stored.filter(QStringLiteral("ジグソー画像2.jpg")), QStringList());
    EXPECT_EQ(fileBytes(app.filePath(QStringLiteral("gazou/ジグソー画像1.jpg"))), "old");
    std::vector<int> perCopy(kCopies, 0);
    for (const QString &name : stored) {
        const QByteArray bytes = fileBytes(app.filePath(QStringLiteral("gazou/") + name));
        if (name != QStringLiteral("ジグソー画像1.jpg"))
            ++perCopy.at(static_cast<std::size_t>(bytes.toInt()));
    }
    EXPECT_EQ(perCopy, std::vector<int>(kCopies, kEach));
}
