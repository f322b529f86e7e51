#include "platform/MemoryLimits.h"

#include "PlatformTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace memory = jigsaw::memory;

namespace {

constexpr qint64 kMB = qint64(1) << 20;

// A folder laid out like /proc and /sys of a machine with 8 GB, 6 GB of them free.
class SystemRoot
{
public:
    SystemRoot()
    {
        put("proc/meminfo", "MemTotal:        8388608 kB\nMemFree:         1048576 kB\n"
                            "MemAvailable:    6291456 kB\n");
    }

    QString path() const { return m_dir.path(); }

    void put(const QString &relative, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(m_dir.filePath(relative)).path());
        putBytes(m_dir.filePath(relative), bytes);
    }

    // A group's limit and use, in megabytes, in the v1 memory hierarchy's files.
    void putV1(const QString &group, qint64 limit, qint64 usage) const
    {
        put(group + QStringLiteral("/memory.limit_in_bytes"), QByteArray::number(limit) + '\n');
        put(group + QStringLiteral("/memory.usage_in_bytes"), QByteArray::number(usage) + '\n');
    }

private:
    QTemporaryDir m_dir;
};

// v1 reports "no limit" as the largest page-aligned number.
constexpr qint64 kV1Unlimited = 9223372036854771712;

} // namespace

TEST(MemoryLimits, CgroupLimitsOfBothVersionsAndTheirParentsBoundTheBudgetWhichKeepsHalfFree)
{
    if (memory::addressSpaceRoom() >= 0)
        GTEST_SKIP() << "the test process has an address-space limit of its own";

    // No control group limit: a picture may take half of what is free.
    SystemRoot machine;
    EXPECT_EQ(memory::controlGroupRoom(machine.path()), -1);
    EXPECT_EQ(memory::pictureBudget(machine.path()), 3072 * kMB);

    // cgroup v1 (as Docker and older systemd set it): 600 MB for the game's group, of which
    // 100 MB are used; no limit above it. The v2 hierarchy beside it carries no memory files.
    SystemRoot v1;
    v1.put("proc/self/cgroup", "5:cpu,cpuacct:/user/game\n4:memory:/user/game\n0::/\n");
    v1.put("proc/self/mountinfo",
           "31 23 0:28 / /sys/fs/cgroup rw - tmpfs tmpfs rw\n"
           "35 31 0:32 / /sys/fs/cgroup/memory rw,relatime - cgroup cgroup rw,memory\n"
           "41 31 0:38 / /sys/fs/cgroup/unified rw,relatime - cgroup2 cgroup2 rw\n");
    v1.putV1("sys/fs/cgroup/memory/user/game", 600 * kMB, 100 * kMB);
    v1.putV1("sys/fs/cgroup/memory/user", kV1Unlimited, 2048 * kMB);
    v1.putV1("sys/fs/cgroup/memory", kV1Unlimited, 4096 * kMB);
    EXPECT_EQ(memory::controlGroupRoom(v1.path()), 500 * kMB);
    EXPECT_EQ(memory::pictureBudget(v1.path()), 250 * kMB);
    // A parent group nearly full leaves less room than the game's own group.
    v1.putV1("sys/fs/cgroup/memory/user", 2100 * kMB, 2048 * kMB);
    EXPECT_EQ(memory::controlGroupRoom(v1.path()), 52 * kMB);
    EXPECT_EQ(memory::pictureBudget(v1.path()), 0);

    // A container's view: the hierarchy is mounted from the group /user down.
    SystemRoot container;
    container.put("proc/self/cgroup", "4:memory:/user/game\n");
    container.put("proc/self/mountinfo",
                  "35 31 0:32 /user /sys/fs/cgroup/memory rw - cgroup cgroup rw,memory\n");
    container.putV1("sys/fs/cgroup/memory/game", 600 * kMB, 100 * kMB);
    EXPECT_EQ(memory::controlGroupRoom(container.path()), 500 * kMB);

    // cgroup v2: no limit of the game's own ("max"), 1 GB for the slice above it.
    SystemRoot v2;
    v2.put("proc/self/cgroup", "0::/app.slice/game.scope\n");
    v2.put("proc/self/mountinfo", "30 23 0:26 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n");
    v2.put("sys/fs/cgroup/app.slice/game.scope/memory.max", "max\n");
    v2.put("sys/fs/cgroup/app.slice/game.scope/memory.current", "104857600\n");
    v2.put("sys/fs/cgroup/app.slice/memory.max", QByteArray::number(1024 * kMB) + '\n');
    v2.put("sys/fs/cgroup/app.slice/memory.current", QByteArray::number(724 * kMB) + '\n');
    EXPECT_EQ(memory::controlGroupRoom(v2.path()), 300 * kMB);
    EXPECT_EQ(memory::pictureBudget(v2.path()), 150 * kMB);
}
