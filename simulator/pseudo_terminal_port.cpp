#include "simulator/pseudo_terminal_port.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kLookAgainMs = 50;

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1StringView(what), QString::fromLocal8Bit(std::strerror(errno)));
}

// Raw mode on the slave, so that no carriage return becomes a line feed before the tool has
// set up the line itself. Opening and closing the slave once also puts the master into the
// "nobody holds it" state that the port watches for.
bool makeSlaveRaw(const QByteArray &path, QString *error)
{
    const int slave = ::open(path.constData(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        *error = systemError("cannot open the pseudo-terminal slave");
        return false;
    }
    termios attributes{};
    const bool ok = ::tcgetattr(slave, &attributes) == 0
        && (::cfmakeraw(&attributes), ::tcsetattr(slave, TCSANOW, &attributes) == 0);
    if (!ok)
        *error = systemError("cannot set the pseudo-terminal to raw mode");
    ::close(slave);
    return ok;
}

} // namespace

std::unique_ptr<PseudoTerminalPort> PseudoTerminalPort::create(QString *error, QObject *parent)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0) {
        *error = systemError("cannot create a pseudo-terminal");
        return nullptr;
    }
    const char *name = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || (name = ::ptsname(master)) == nullptr) {
        *error = systemError("cannot prepare the pseudo-terminal");
        ::close(master);
        return nullptr;
    }
    const QByteArray path(name);
    if (!makeSlaveRaw(path, error)) {
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<PseudoTerminalPort>(
        new PseudoTerminalPort(master, QString::fromLocal8Bit(path), parent));
}

PseudoTerminalPort::PseudoTerminalPort(int masterFd, const QString &devicePath, QObject *parent)
    : LoggerPort(parent)
    , m_master(masterFd)
    , m_devicePath(devicePath)
    , m_readNotifier(new QSocketNotifier(masterFd, QSocketNotifier::Read, this))
    , m_writeNotifier(new QSocketNotifier(masterFd, QSocketNotifier::Write, this))
{
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PseudoTerminalPort::readWaiting);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PseudoTerminalPort::writePending);
    m_lookAgain.setInterval(kLookAgainMs);
    connect(&m_lookAgain, &QTimer::timeout, this, &PseudoTerminalPort::lookForHolder);
    m_lookAgain.start();
}

PseudoTerminalPort::~PseudoTerminalPort()
{
    hangUp();
}

void PseudoTerminalPort::lookForHolder()
{
    pollfd descriptor{m_master, POLLIN, 0};
    if (::poll(&descriptor, 1, 0) < 0 || (descriptor.revents & POLLHUP) != 0)
        return;
    m_lookAgain.stop();
    m_held = true;
    m_readNotifier->setEnabled(true);
    emit held();
}

void PseudoTerminalPort::readWaiting()
{
    char buffer[4096];
    QByteArray bytes;
    for (;;) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // EIO (or end of file): the tool closed its end.
        if (!bytes.isEmpty())
            emit received(bytes);
        becomeReleased();
        return;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}

void PseudoTerminalPort::send(const QByteArray &bytes)
{
    if (!m_held)
        return;
    m_pendingOutput += bytes;
    writePending();
}

void PseudoTerminalPort::writePending()
{
    while (!m_pendingOutput.isEmpty()) {
        const ssize_t count = ::write(m_master, m_pendingOutput.constData(), m_pendingOutput.size());
        if (count > 0) {
            m_pendingOutput.remove(0, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            m_writeNotifier->setEnabled(true); // the tool is slow to read: go on when it has
            return;
        }
        m_pendingOutput.clear(); // the far end went away; the read side reports it
        break;
    }
    m_writeNotifier->setEnabled(false);
}

void PseudoTerminalPort::becomeReleased()
{
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    m_pendingOutput.clear();
    m_held = false;
    m_lookAgain.start();
    emit released();
}

void PseudoTerminalPort::hangUp()
{
    if (m_master < 0)
        return;
    m_lookAgain.stop();
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    ::close(m_master);
    m_master = -1;
    m_held = false;
    m_pendingOutput.clear();
}
