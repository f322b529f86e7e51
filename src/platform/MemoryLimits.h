#pragma once

#include <QString>
#include <QtGlobal>

// How much memory the game may use, as the system tells it: the machine's memory, the
// memory limits of the process's control groups (cgroup v1 and v2) and of its address space.
// Every reading takes a system root: empty for this machine's own /proc and /sys, or a folder
// laid out like them, so that a test can give the game the limits of another machine.
namespace jigsaw::memory {

// The memory the system can give without swapping (MemAvailable); -1 when unknown.
qint64 availableMemory(const QString &systemRoot = QString());

// Room left under the memory limits of the process's control group and of every group above
// it, the least of them: memory.max less memory.current (cgroup v2), memory.limit_in_bytes
// less memory.usage_in_bytes (cgroup v1). The groups are found from /proc/self/cgroup and
// where their hierarchies are mounted (/proc/self/mountinfo). -1 when no limit is set.
qint64 controlGroupRoom(const QString &systemRoot = QString());

// Room left in the process's address space when it is limited; -1 when it is not.
qint64 addressSpaceRoom();

// The most one decoded picture may take: what the system can give (within the control
// groups' and the address space's room), less a reserve that keeps the rest of the game
// running, and never more than half of it, so the desktop keeps at least as much as the
// picture takes.
qint64 pictureBudget(const QString &systemRoot = QString());

} // namespace jigsaw::memory
