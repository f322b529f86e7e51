#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// A program run by the benchmark in a process of its own: started, heard line by line, watched
// through /proc, and ended.
namespace jigsaw::bench {

class GameRun
{
public:
    // Starts a program with these arguments and environment additions (NAME=value).
    GameRun(const QString &program, const QStringList &arguments, const QStringList &environment);
    ~GameRun();
    GameRun(const GameRun &) = delete;
    GameRun &operator=(const GameRun &) = delete;

    bool started() const { return m_pid > 0; }
    qint64 startedNs() const { return m_startedNs; }
    // The descriptor its output comes through, and the lines it has written so far.
    int outputFd() const { return m_output; }
    QList<QByteArray> takeLines();

    // CPU time of all its threads, in clock ticks.
    long cpuTicks() const;
    // Resident memory now and at its peak since the last reset, in kB.
    long residentKb() const;
    long peakKb() const;
    void resetPeak() const;
    // Context switches of each of its threads so far (by thread id): each is a wake-up.
    QMap<int, long> contextSwitches() const;

    // Ends it: asks first, then kills.
    void end();

    // Runs a program to its end; its wall time in ms, or -1 when it failed.
    static double runMs(const QString &program, const QStringList &arguments);

private:
    QByteArray statusField(const char *name) const;

    pid_t m_pid = -1;
    int m_output = -1;
    qint64 m_startedNs = 0;
    QByteArray m_pending;
};

} // namespace jigsaw::bench
