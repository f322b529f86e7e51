#include "GameRun.h"

#include "BenchUtil.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace jigsaw::bench {

namespace {

QByteArray readProc(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

pid_t spawn(const QString &program, const QStringList &arguments, const QStringList &environment,
            int *output)
{
    int pipeFds[2] = {-1, -1};
    if (output && pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> settings;
    for (const QString &setting : environment)
        settings.push_back(setting.toLocal8Bit());
    const pid_t pid = fork();
    if (pid == 0) {
        if (output)
            dup2(pipeFds[1], STDOUT_FILENO);
        else
            dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
        for (QByteArray &setting : settings)
            putenv(setting.data());
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (output) {
        close(pipeFds[1]);
        *output = pipeFds[0];
        fcntl(*output, F_SETFL, O_NONBLOCK);
    }
    return pid;
}

} // namespace

GameRun::GameRun(const QString &program, const QStringList &arguments,
                 const QStringList &environment)
{
    m_startedNs = monotonicNs();
    m_pid = spawn(program, arguments, environment, &m_output);
}

GameRun::~GameRun()
{
    end();
}

QList<QByteArray> GameRun::takeLines()
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(m_output, buffer, sizeof buffer);
        if (got <= 0)
            break;
        m_pending.append(buffer, got);
    }
    QList<QByteArray> lines;
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        lines.append(m_pending.left(end));
        m_pending.remove(0, end + 1);
    }
    return lines;
}

long GameRun::cpuTicks() const
{
    const QByteArray stat = readProc(QStringLiteral("/proc/%1/stat").arg(m_pid));
    // The fields after the command's closing parenthesis: utime and stime are the 12th and 13th.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
}

QByteArray GameRun::statusField(const char *name) const
{
    for (const QByteArray &line : readProc(QStringLiteral("/proc/%1/status").arg(m_pid)).split('\n')) {
        if (line.startsWith(name))
            return line.mid(qsizetype(qstrlen(name))).trimmed();
    }
    return {};
}

long GameRun::residentKb() const
{
    return statusField("VmRSS:").split(' ').first().toLong();
}

long GameRun::peakKb() const
{
    return statusField("VmHWM:").split(' ').first().toLong();
}

void GameRun::resetPeak() const
{
    QFile refs(QStringLiteral("/proc/%1/clear_refs").arg(m_pid));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

QMap<int, long> GameRun::contextSwitches() const
{
    QMap<int, long> switches;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(m_pid);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        long total = 0;
        for (const QByteArray &line : readProc(tasks + '/' + task + QStringLiteral("/status")).split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                total += line.mid(line.indexOf(':') + 1).trimmed().toLong();
        }
        switches.insert(task.toInt(), total);
    }
    return switches;
}

void GameRun::end()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            m_pid = -1;
            break;
        }
        usleep(10000);
    }
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    if (m_output >= 0)
        close(std::exchange(m_output, -1));
}

double GameRun::runMs(const QString &program, const QStringList &arguments)
{
    const qint64 start = monotonicNs();
    const pid_t pid = spawn(program, arguments, {}, nullptr);
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0)
        return -1;
    return double(monotonicNs() - start) / 1e6;
}

} // namespace jigsaw::bench
