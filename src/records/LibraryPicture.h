#pragma once

#include "platform/GameFolders.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace jigsaw::library {

// The names a completed outside picture cannot take in the library.
class TakenNames
{
public:
    explicit TakenNames(const GameFolders &folders);

    // True when a library picture (bundled or added), a link or anything else in the library
    // bears the name, or a record file does: a record always belongs to the picture that bears
    // its name, so a new picture never takes over records left under a name.
    bool taken(const QString &name) const;

private:
    const GameFolders &m_folders;
    QStringList m_recordFiles;
};

enum class AddStatus {
    Ok,
    NoPicture,      // the game's picture file is gone or cannot be read
    Busy,           // another copy of the game adds a picture and takes longer than a moment
    FolderUnusable, // the library folder cannot be made or written
    Failed,         // the disk is full, an I/O error
};

struct Added
{
    AddStatus status = AddStatus::Failed;
    QString name; // the name the picture was stored under
};

// Copies the picture at `from` into the library as a new picture: under `name`, or, when
// that is taken by then (another copy of the game may have stored its own picture under it
// since), under the first free one of the names `next` gives after it. Copies of the game take
// turns through the library's lock, and a name is only ever taken by creating its file
// (files::copyAsNewFile), so no picture ever replaces another.
Added addPicture(const GameFolders &folders, const QString &from, const QString &name,
                 const std::function<QString(const QString &)> &next);

} // namespace jigsaw::library
