#pragma once

#include <QString>
#include <QStringList>

// Files and folders as the game uses them: listing a folder's files, making a folder, copying,
// deleting and testing for files.
namespace jigsaw::files {

// The names (without folder) of the ordinary files in a folder, in the order a player reads
// them (numbers inside names compared as numbers): no sub-folders, no hidden files. Empty when
// the folder does not exist or cannot be read.
QStringList listFiles(const QString &folder);

// Creates a folder and any missing parents; true when the folder exists afterwards.
bool makeFolder(const QString &path);

enum class Overwrite { No, Yes };

// Copies a file. The copy is written beside the target and renamed into place, so a failed
// copy never leaves a partial file. With Overwrite::No an existing target is left alone and
// the copy fails.
bool copyFile(const QString &from, const QString &to, Overwrite overwrite = Overwrite::No);

// Deletes a file; true when it was deleted.
bool removeFile(const QString &path);

// True when the path names an existing ordinary file (not a folder).
bool fileExists(const QString &path);

// True when the path names an existing folder.
bool folderExists(const QString &path);

} // namespace jigsaw::files
