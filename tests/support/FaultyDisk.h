#pragma once

#include <QString>

// A disk that fails inside a write, where no full disk or read-only folder can reach: the
// program linking FaultyDisk.cpp stands in for the C library's fsync, fdatasync, linkat and
// rename, and passes every call on unless a DiskFault is alive.
namespace faulty {

enum class Fault {
    SyncFails,      // every fsync and fdatasync reports an I/O error
    RenameFails,    // every rename reports an I/O error
    FolderInTheWay, // a folder appears at the path the moment a file is committed there
};

class DiskFault
{
public:
    explicit DiskFault(Fault fault, const QString &path = QString());
    ~DiskFault();
    DiskFault(const DiskFault &) = delete;
    DiskFault &operator=(const DiskFault &) = delete;

    // How many calls the fault has failed or got in the way of: a test whose fault was never
    // reached proves nothing.
    int hits() const;
};

} // namespace faulty
