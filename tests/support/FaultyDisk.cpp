#include "support/FaultyDisk.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<int> g_fault{-1};
std::atomic<int> g_hits{0};
std::string g_path;

bool active(faulty::Fault fault)
{
    return g_fault.load() == static_cast<int>(fault);
}

// The C library's own function of that name.
template <typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int failWithIoError()
{
    g_hits.fetch_add(1);
    errno = EIO;
    return -1;
}

// A folder where the file is about to be committed.
void putFolderInTheWay(const char *target)
{
    if (active(faulty::Fault::FolderInTheWay) && target != nullptr && g_path == target
        && ::mkdir(target, 0700) == 0)
        g_hits.fetch_add(1);
}

} // namespace

extern "C" {

int fsync(int fd)
{
    if (active(faulty::Fault::SyncFails))
        return failWithIoError();
    static const auto real = next<int (*)(int)>("fsync");
    return real(fd);
}

int fdatasync(int fd)
{
    if (active(faulty::Fault::SyncFails))
        return failWithIoError();
    static const auto real = next<int (*)(int)>("fdatasync");
    return real(fd);
}

int rename(const char *from, const char *to) noexcept
{
    if (active(faulty::Fault::RenameFails))
        return failWithIoError();
    putFolderInTheWay(to);
    static const auto real = next<int (*)(const char *, const char *)>("rename");
    return real(from, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags) noexcept
{
    putFolderInTheWay(to);
    static const auto real = next<int (*)(int, const char *, int, const char *, int)>("linkat");
    return real(fromDir, from, toDir, to, flags);
}

} // extern "C"

namespace faulty {

DiskFault::DiskFault(Fault fault, const QString &path)
{
    g_path = QFile::encodeName(path).toStdString();
    g_hits.store(0);
    g_fault.store(static_cast<int>(fault));
}

DiskFault::~DiskFault()
{
    g_fault.store(-1);
}

int DiskFault::hits() const
{
    return g_hits.load();
}

} // namespace faulty
