#include "pty_peer.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

PtyPeer::PtyPeer()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0)
        return;
    const char *slaveName = (grantpt(master) == 0 && unlockpt(master) == 0) ? ptsname(master)
                                                                           : nullptr;
    const int slave = slaveName ? ::open(slaveName, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0) {
        ::close(master);
        return;
    }
    m_master = master;
    m_heldSlave = slave;
    m_devicePath = QFile::decodeName(slaveName);
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyPeer::readMaster);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyPeer::writePending);
}

PtyPeer::~PtyPeer()
{
    hangUp();
}

bool PtyPeer::mapAsPort(const QString &portsFolder, int portNumber) const
{
    return QDir().mkpath(portsFolder)
           && QFile::link(m_devicePath,
                          QDir(portsFolder).filePath(QStringLiteral("com%1").arg(portNumber)));
}

void PtyPeer::send(const QByteArray &bytes)
{
    if (m_master < 0)
        return;
    m_pending += bytes;
    writePending();
}

void PtyPeer::writePending()
{
    while (!m_pending.isEmpty()) {
        const ssize_t written = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
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
    if (m_master >= 0)
        ::close(m_master);
    if (m_heldSlave >= 0)
        ::close(m_heldSlave);
    m_master = -1;
    m_heldSlave = -1;
}

void PtyPeer::hangUpAfter(int milliseconds)
{
    QTimer::singleShot(milliseconds, this, &PtyPeer::hangUp);
}

void PtyPeer::readMaster()
{
    char buffer[4096];
    const ssize_t count = ::read(m_master, buffer, sizeof buffer);
    if (count <= 0)
        return; // nothing yet (EAGAIN); the held slave keeps hang-ups away
    const QByteArray bytes(buffer, count);
    m_received += bytes;
    emit bytesReceived(bytes);
}
