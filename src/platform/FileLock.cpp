#include "FileLock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jigsaw::files {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPause{1};

FileLock::Status statusOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return FileLock::Status::NotPermitted;
    default:
        return FileLock::Status::Failed;
    }
}

// Removes whatever stands at the path unless it is an ordinary file, without opening it: a
// FIFO would wait for a writer, a device could be read for ever, a link could lead anywhere.
// False when something stays that is no ordinary file (a folder holding files, or a thing
// that is not ours to remove).
bool clearWay(const QByteArray &name)
{
    struct stat info{};
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT;
    if (S_ISREG(info.st_mode))
        return true;
    if (S_ISDIR(info.st_mode))
        return ::rmdir(name.constData()) == 0 || errno == ENOENT;
    return ::unlink(name.constData()) == 0 || errno == ENOENT;
}

// Whether the open file is still the one at the path: a copy letting its lock go removes the
// file first, and whoever was waiting on it must lock the new one.
bool stillAt(int fd, const QByteArray &name)
{
    struct stat open{};
    struct stat named{};
    return ::fstat(fd, &open) == 0 && ::lstat(name.constData(), &named) == 0
        && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// Opens the lock file as the game's writers open files: never through a link, never waiting
// on a special file, and only an ordinary file is kept. -1 with errno set otherwise (EAGAIN
// when something else stood there and the way must be cleared again).
int openLockFile(const QByteArray &name)
{
    const int fd = ::open(name.constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == ELOOP || errno == EISDIR || errno == ENXIO || errno == EWOULDBLOCK)
            errno = EAGAIN;
        return -1;
    }
    struct stat info{};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = EAGAIN;
        return -1;
    }
    return fd;
}

enum class Try {
    Got,
    Taken,   // another copy has it
    NoLocks, // the file system keeps no locks
};

Try tryFlock(int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return Try::Got;
    return errno == EWOULDBLOCK || errno == EINTR ? Try::Taken : Try::NoLocks;
}

// The lock file's bytes: holding kHoldByte is holding the lock; holding kTurnByte is being
// next in line for it. A copy that lets the lock go cannot take it again at once while
// another waits its turn, however quickly it comes back.
constexpr off_t kHoldByte = 0;
constexpr off_t kTurnByte = 1;

struct flock byteRange(short type, off_t byte)
{
    struct flock range{};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = byte;
    range.l_len = 1;
    return range;
}

Try tryByte(int fd, off_t byte)
{
    struct flock range = byteRange(F_WRLCK, byte);
    if (::fcntl(fd, F_OFD_SETLK, &range) == 0)
        return Try::Got;
    return errno == EAGAIN || errno == EACCES || errno == EINTR ? Try::Taken : Try::NoLocks;
}

void releaseByte(int fd, off_t byte)
{
    struct flock range = byteRange(F_UNLCK, byte);
    ::fcntl(fd, F_OFD_SETLK, &range);
}

} // namespace

FileLock::FileLock(const QString &lockPath, std::chrono::milliseconds patience)
    : m_path(lockPath)
{
    const QByteArray name = QFile::encodeName(lockPath);
    const Clock::time_point deadline = Clock::now() + patience;
    int fd = -1;
    bool ownsFile = true;
    bool next = false; // holds kTurnByte
    const auto close = [&fd, &next] {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        next = false;
    };
    const auto hold = [&] {
        m_fd = fd;
        m_ownsFile = ownsFile;
        m_status = Status::Held;
    };
    for (;;) {
        if (fd < 0) {
            ownsFile = clearWay(name);
            // What cannot be cleared is met by every copy of the game, so all of them take
            // turns on the folder holding it instead.
            fd = ownsFile ? openLockFile(name)
                          : ::open(QFile::encodeName(QFileInfo(lockPath).path()).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0 && errno != EAGAIN) {
                m_status = statusOf(errno);
                return;
            }
        }
        Try got = Try::Taken;
        if (fd >= 0 && ownsFile && !next) {
            got = tryByte(fd, kTurnByte);
            next = got == Try::Got;
        }
        if (fd >= 0 && (next || !ownsFile))
            got = ownsFile ? tryByte(fd, kHoldByte) : tryFlock(fd);
        if (got == Try::NoLocks) {
            // A file system without locks: going on without one is all there is.
            hold();
            return;
        }
        if (got == Try::Got) {
            if (next)
                releaseByte(fd, kTurnByte);
            if (!ownsFile || stillAt(fd, name)) {
                hold();
                return;
            }
            // The copy before us let it go and removed it: the lock is the new file now.
            close();
            continue;
        }
        // Whoever is next keeps its place while it waits; the others look again later.
        if (!next)
            close();
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            close();
            m_status = Status::Busy;
            return;
        }
        // Looked at often: a copy adding record after record lets its lock go only for a
        // moment between two of them.
        std::this_thread::sleep_for(std::min<Clock::duration>(kPause, deadline - now));
    }
}

FileLock::~FileLock()
{
    if (m_fd < 0)
        return;
    const QByteArray name = QFile::encodeName(m_path);
    // The file goes unless another copy waits its turn on it.
    if (m_ownsFile && tryByte(m_fd, kTurnByte) != Try::Taken && stillAt(m_fd, name))
        ::unlink(name.constData());
    ::close(m_fd);
}

} // namespace jigsaw::files
