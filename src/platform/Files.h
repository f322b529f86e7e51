#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// Files and folders as the game uses them: listing a folder's files, making a folder, copying,
// deleting and testing for files.
namespace jigsaw::files {

// The names (without folder) of the ordinary files in a folder, in the order a player reads
// them (numbers inside names compared as numbers): no sub-folders, no hidden files. Empty when
// the folder does not exist or cannot be read.
QStringList listFiles(const QString &folder);

// Creates a folder and any missing parents; true when the folder exists afterwards.
bool makeFolder(const QString &path);

// How replacing a file went. Whatever failed, an older file of that name is left byte for
// byte as it was and no temporary file stays behind.
enum class WriteStatus {
    Ok,
    NotStorable,  // the content cannot be stored (a text the file's encoding lacks)
    NotAFile,     // a folder, a link or a special file has the name: never written through
    CannotCreate, // the folder is missing, read-only or not ours to write
    Failed,       // writing failed: a full disk, a file-size limit, an I/O error
};

// Replaces a file whole: `fill` writes the content into a temporary file beside the target,
// which is flushed, synced and checked before it is renamed over the target. `fill` returns
// false when it could not produce the content.
WriteStatus replaceFile(const QString &path, const std::function<bool(QIODevice &)> &fill);
WriteStatus replaceFile(const QString &path, const QByteArray &bytes);

enum class Overwrite { No, Yes };

// Copies an ordinary file as replaceFile writes, so a failed copy never leaves a partial
// file. With Overwrite::No an existing target is left alone and the copy fails.
bool copyFile(const QString &from, const QString &to, Overwrite overwrite = Overwrite::No);

enum class CopyStatus {
    Ok,
    Exists,     // something has the target's name, perhaps given it a moment ago
    NoSource,     // the source is no ordinary file that can be read
    CannotCreate, // the folder is missing, read-only or not ours to write
    Failed,       // the disk is full, an I/O error
};

// Copies an ordinary file under a name nothing has yet. The copy is written whole beside
// the target and given the name in one step that fails when the name exists, so of two
// copies of the game taking the same name at the same moment one gets Exists; nothing that
// has the name is ever replaced and no partial file ever bears it.
CopyStatus copyAsNewFile(const QString &from, const QString &to);

// Removes the temporary files that earlier writes into the target's folder left behind when
// the game was ended before it could rename them: ordinary files of ours named like a file
// of the target's kind followed by "." and six letters or digits ("name.txt.AbC123"), not
// written for a minute. Every write of replaceFile and copyAsNewFile starts with it.
void removeStaleTemporaries(const QString &target);

// Whether a file name (without its folder) is short enough for the file system, with room
// left for the temporary name that replaceFile writes it under first.
bool nameFits(const QString &fileName);

// Deletes a file; true when it was deleted.
bool removeFile(const QString &path);

// True when the path names an existing ordinary file (not a folder).
bool fileExists(const QString &path);

// True when the path itself (not what a link leads to) is a FIFO, a device or a socket.
bool isSpecialFile(const QString &path);

// True when the path names an existing folder.
bool folderExists(const QString &path);

} // namespace jigsaw::files
