#include "simulator/pseudo_terminal_port.h"

#include "simulator/pseudo_terminal.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace telvaro::simulator {

std::unique_ptr<PseudoTerminalPort> PseudoTerminalPort::create(QString *error, std::chrono::milliseconds lookAgain,
                                                               QObject *parent)
{
    QString path;
    const int master = openPseudoTerminal(O_NONBLOCK, &path, error);
    if (master < 0)
        return nullptr;
    // Raw mode before the tool has set up the line itself. Opening and closing the slave once
    // also puts the master into the "nobody holds it" state that the port watches for.
    const int slave = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        *error = QStringLiteral("cannot open the pseudo-terminal slave %1").arg(path);
        ::close(master);
        return nullptr;
    }
    const bool raw = makeRaw(slave, error);
    ::close(slave);
    if (!raw) {
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<PseudoTerminalPort>(new PseudoTerminalPort(master, path, lookAgain, parent));
}

PseudoTerminalPort::PseudoTerminalPort(int masterFd, const QString &devicePath, std::chrono::milliseconds lookAgain,
                                       QObject *parent)
    : SimulatorPort(parent)
    , m_master(masterFd)
    , m_devicePath(devicePath)
    , m_readNotifier(new QSocketNotifier(masterFd, QSocketNotifier::Read, this))
    , m_writeNotifier(new QSocketNotifier(masterFd, QSocketNotifier::Write, this))
{
    m_readNotifier->setEnabled(false);
    m_writeNotifier->setEnabled(false);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PseudoTerminalPort::readWaiting);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PseudoTerminalPort::writePending);
    m_lookAgain.setInterval(lookAgain);
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

} // namespace telvaro::simulator
