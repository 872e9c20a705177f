#include "support/pty_peer.h"

#include "link/port_names.h"

#include <QDebug>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

PtyPeer::PtyPeer()
    : m_terminal(O_NONBLOCK)
{
    if (!m_terminal.isValid())
        return;
    m_notifier = new QSocketNotifier(m_terminal.master(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyPeer::readMaster);
    m_writeNotifier = new QSocketNotifier(m_terminal.master(), QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyPeer::writePending);
}

PtyPeer::~PtyPeer()
{
    hangUp();
}

bool PtyPeer::mapAsPort(const QString &portsFolder, int portNumber) const
{
    QString error;
    if (PortNames::mapPort(portNumber, m_terminal.devicePath(), portsFolder, &error))
        return true;
    qWarning().noquote() << error;
    return false;
}

void PtyPeer::send(const QByteArray &bytes)
{
    if (!m_terminal.isValid())
        return;
    m_pending += bytes;
    writePending();
}

void PtyPeer::writePending()
{
    while (!m_pending.isEmpty()) {
        const ssize_t written = ::write(m_terminal.master(), m_pending.constData(), size_t(m_pending.size()));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break; // full (EAGAIN): go on when the tool has read some
        m_pending.remove(0, written);
    }
    m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

void PtyPeer::sendAfter(int milliseconds, const QByteArray &bytes)
{
    QTimer::singleShot(milliseconds, this, [this, bytes] { send(bytes); });
}

void PtyPeer::hangUp()
{
    delete m_notifier;
    m_notifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_pending.clear();
    m_terminal.close();
}

void PtyPeer::hangUpAfter(int milliseconds)
{
    QTimer::singleShot(milliseconds, this, &PtyPeer::hangUp);
}

void PtyPeer::readMaster()
{
    char buffer[4096];
    const ssize_t count = ::read(m_terminal.master(), buffer, sizeof buffer);
    if (count <= 0)
        return; // nothing yet (EAGAIN); the held slave keeps hang-ups away
    const QByteArray bytes(buffer, count);
    m_received += bytes;
    emit bytesReceived(bytes);
}
