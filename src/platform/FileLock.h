#pragma once

#include <QString>

#include <chrono>

namespace jigsaw::files {

// How long a lock is waited for. The waiting runs on the thread that reads and writes the
// player's files, the user-interface thread, so it lasts a moment only: another copy of the
// game keeps a lock for the few milliseconds an add or a sort takes.
inline constexpr std::chrono::milliseconds kLockPatience{400};

// Holds an exclusive lock for as long as it lives, so that copies of the game that write the
// same file at the same time take turns. The lock is the system's lock of an empty file
// (`lockPath`, beside the file it guards), so it ends with the copy holding it: a lock file
// left by a copy that was killed is simply locked again.
//
// Whatever else stands at `lockPath` (a folder, a link, a FIFO, a device) is no lock of ours:
// it is removed, never opened, followed or read. What cannot be removed (a folder holding
// files, another user's file) is left alone and the folder holding it is locked instead.
class FileLock
{
public:
    enum class Status {
        Held,
        Busy,         // another copy keeps it longer than the patience
        NotPermitted, // the folder cannot be written
        Failed,       // no lock file can be made (a full disk, an I/O error, a missing folder)
    };

    explicit FileLock(const QString &lockPath,
                      std::chrono::milliseconds patience = kLockPatience);
    // Removes the lock file, then lets the lock go.
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    Status status() const { return m_status; }
    bool held() const { return m_status == Status::Held; }

private:
    QString m_path;
    int m_fd = -1;
    bool m_ownsFile = false; // false when the folder is locked in the file's stead
    Status m_status = Status::Failed;
};

} // namespace jigsaw::files
