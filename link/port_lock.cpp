#include "link/port_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace telvaro::link {

Q_LOGGING_CATEGORY(lcPortLock, "telvaro.link.lock", QtInfoMsg)

namespace {

constexpr qsizetype kMostLockBytes = 128; // a process id and a little more

struct Holder
{
    enum State { Nobody, Unreadable, LiveProcess, EndedProcess, ThisProcess };
    State state = Nobody;
    qint64 pid = 0;
};

bool isRunning(qint64 pid)
{
    // EPERM: it runs, under another user.
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

// The holder named in a lock file. The common format is "%10d\n"; other formats also start with
// the process id on a line of its own, leading blanks allowed.
Holder holderIn(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {file.exists() ? Holder::Unreadable : Holder::Nobody, 0};
    const QByteArray firstLine = file.read(kMostLockBytes).split('\n').first().trimmed();
    bool isNumber = false;
    const qint64 pid = firstLine.toLongLong(&isNumber);
    if (!isNumber || pid <= 0)
        return {Holder::Unreadable, 0};
    if (pid == qint64(::getpid()))
        return {Holder::ThisProcess, pid};
    return {isRunning(pid) ? Holder::LiveProcess : Holder::EndedProcess, pid};
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString PortLock::defaultFolder()
{
    const QString standard = QStringLiteral("/var/lock");
    return QFileInfo(standard).isDir() ? standard : QStringLiteral("/run/lock");
}

PortLock::PortLock(const QString &folder) : m_folder(folder) {}

PortLock::~PortLock()
{
    release();
}

QString PortLock::lockFileName(const QString &devicePath)
{
    QString name = devicePath;
    if (name.startsWith(QStringLiteral("/dev/")))
        name.remove(0, 5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

QString PortLock::lockFilePath(const QString &devicePath) const
{
    return QDir(m_folder).filePath(lockFileName(devicePath));
}

std::optional<PortLock::Conflict> PortLock::acquire(const QString &devicePath)
{
    release();
    const QString path = lockFilePath(devicePath);
    // Another program may take the lock between looking and creating: look again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const Holder holder = holderIn(path);
        switch (holder.state) {
        case Holder::LiveProcess:
            return Conflict{QStringLiteral("in use by process %1 (lock file %2)").arg(holder.pid).arg(path),
                            LockHolder{holder.pid, programOf(holder.pid), path}};
        case Holder::Unreadable:
            return Conflict{QStringLiteral("locked by %1, which names no process").arg(path), std::nullopt};
        case Holder::EndedProcess:
        case Holder::ThisProcess:
            qCInfo(lcPortLock).noquote() << "taking over" << path << "left by process" << holder.pid;
            if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT) {
                qCWarning(lcPortLock).noquote() << "cannot remove" << path << ":" << systemError()
                                                << "; the port goes unlocked";
                return std::nullopt;
            }
            break;
        case Holder::Nobody:
            break;
        }
        QString why;
        switch (createLockFile(path, &why)) {
        case Creation::Created:
            m_heldPath = path;
            return std::nullopt;
        case Creation::Impossible:
            qCWarning(lcPortLock).noquote() << "cannot create" << path << ":" << why << "; the port goes unlocked";
            return std::nullopt;
        case Creation::Exists:
            break;
        }
    }
    return Conflict{QStringLiteral("cannot take the lock file %1: other programs keep taking it").arg(path), std::nullopt};
}

std::optional<LockHolder> PortLock::holderOf(const QString &devicePath) const
{
    const QString path = lockFilePath(devicePath);
    const Holder holder = holderIn(path);
    if (holder.state != Holder::LiveProcess && holder.state != Holder::ThisProcess)
        return std::nullopt;
    return LockHolder{holder.pid, programOf(holder.pid), path};
}

QString PortLock::programOf(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.read(kMostLockBytes)).trimmed();
}

// Written whole under a passing name and linked into place, so no program ever reads a lock
// file that does not hold its process id yet.
PortLock::Creation PortLock::createLockFile(const QString &path, QString *why) const
{
    QByteArray passing = QFile::encodeName(QDir(m_folder).filePath(QStringLiteral(".telvaro-lock.XXXXXX")));
    const int fd = ::mkstemp(passing.data());
    if (fd < 0) {
        *why = systemError();
        return Creation::Impossible;
    }
    char content[16];
    const int length = std::snprintf(content, sizeof content, "%10d\n", int(::getpid()));
    const bool written = ::fchmod(fd, 0644) == 0 && ::write(fd, content, size_t(length)) == length;
    if (!written)
        *why = systemError();
    ::close(fd);
    Creation result = Creation::Impossible;
    if (written) {
        if (::link(passing.constData(), QFile::encodeName(path).constData()) == 0)
            result = Creation::Created;
        else if (errno == EEXIST)
            result = Creation::Exists;
        else
            *why = systemError();
    }
    ::unlink(passing.constData());
    return result;
}

void PortLock::release()
{
    if (m_heldPath.isEmpty())
        return;
    // Qt's serial port rewrites the file in its own format with this process id, and removes it
    // when the port closes; anything else there now belongs to someone else.
    if (holderIn(m_heldPath).state == Holder::ThisProcess)
        ::unlink(QFile::encodeName(m_heldPath).constData());
    m_heldPath.clear();
}

} // namespace telvaro::link
