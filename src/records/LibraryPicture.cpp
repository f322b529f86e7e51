#include "records/LibraryPicture.h"

#include "platform/FileLock.h"
#include "platform/Files.h"
#include "records/RecordFile.h"

namespace jigsaw::library {

namespace {

// Hidden, so the picture browser never lists it.
const QString kLockName = QStringLiteral(".library.lock");
// Far more names than copies of the game that could ever race for one.
constexpr int kMostTries = 1000;

} // namespace

TakenNames::TakenNames(const GameFolders &folders)
    : m_folders(folders)
    , m_recordFiles(files::listFiles(folders.recordFolder()))
{
}

bool TakenNames::taken(const QString &name) const
{
    return m_folders.libraryHolds(name) || !recordfile::pieceCountsFor(m_recordFiles, name).isEmpty();
}

Added addPicture(const GameFolders &folders, const QString &from, const QString &name,
                 const std::function<QString(const QString &)> &next)
{
    const QString folder = folders.addedPicturesFolder();
    if (!files::fileExists(from))
        return {AddStatus::NoPicture, QString()};
    if (!files::makeFolder(folder))
        return {AddStatus::FolderUnusable, QString()};
    const files::FileLock lock(folder + QLatin1Char('/') + kLockName);
    switch (lock.status()) {
    case files::FileLock::Status::Held:
        break;
    case files::FileLock::Status::Busy:
        return {AddStatus::Busy, QString()};
    case files::FileLock::Status::NotPermitted:
        return {AddStatus::FolderUnusable, QString()};
    case files::FileLock::Status::Failed:
        return {AddStatus::Failed, QString()};
    }

    // Listed under the lock: what another copy stored before it let the lock go is seen.
    const TakenNames names(folders);
    QString candidate = name;
    for (int tries = 0; tries < kMostTries; ++tries, candidate = next(candidate)) {
        if (names.taken(candidate))
            continue;
        switch (files::copyAsNewFile(from, folder + QLatin1Char('/') + candidate)) {
        case files::CopyStatus::Ok:
            return {AddStatus::Ok, candidate};
        case files::CopyStatus::Exists:
            continue;
        case files::CopyStatus::NoSource:
            return {AddStatus::NoPicture, QString()};
        case files::CopyStatus::CannotCreate:
            return {AddStatus::FolderUnusable, QString()};
        case files::CopyStatus::Failed:
            return {AddStatus::Failed, QString()};
        }
    }
    return {AddStatus::Failed, QString()};
}

} // namespace jigsaw::library
