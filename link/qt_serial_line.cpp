#include "link/qt_serial_line.h"

#include "link/port_names.h"
#include "link/port_open_failure.h"
#include "link/speed_table.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace telvaro::link {

Q_LOGGING_CATEGORY(lcPort, "telvaro.link.port", QtInfoMsg)

#ifdef Q_OS_UNIX
QtSerialLine::QtSerialLine(QObject *parent)
    : QtSerialLine(PortNames::defaultPortsFolder(), PortLock::defaultFolder(), parent)
{
}

QtSerialLine::QtSerialLine(const QString &portsFolder, const QString &lockFolder, QObject *parent)
    : SerialLine(parent), m_portsFolder(portsFolder), m_lock(lockFolder)
#else
QtSerialLine::QtSerialLine(QObject *parent) : QtSerialLine(PortNames::defaultPortsFolder(), parent)
{
}

QtSerialLine::QtSerialLine(const QString &portsFolder, QObject *parent)
    : SerialLine(parent), m_portsFolder(portsFolder)
#endif
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLine::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLine::onPortError);
}

std::optional<PortOpenFailure> QtSerialLine::open(int portNumber, const QString &settings)
{
    if (isOpen())
        return failOpening(PortOpenFailure::Problem::Other, QStringLiteral("port is already open"));
    if (m_port.isOpen())
        closePort(); // lost, and its queued close has not run yet

    m_port.setPortName(m_fixedDevice.isEmpty() ? PortNames::deviceFor(portNumber, m_portsFolder) : m_fixedDevice);
    const LineSettings line = parseLineSettings(settings);
    m_port.setBaudRate(line.speed);
    m_port.setParity(line.parity);
    m_port.setDataBits(line.dataBits);
    m_port.setStopBits(line.stopBits);
    m_port.setFlowControl(QSerialPort::NoFlowControl);

    m_lineLost = false;
#ifdef Q_OS_UNIX
    if (const std::optional<PortLock::Conflict> inUse = m_lock.acquire(m_port.portName()))
        return failOpening(PortOpenFailure::Problem::InUse, inUse->reason, portNumber,
                           inUse->holder ? &*inUse->holder : nullptr);
#endif
    if (!m_port.open(QIODevice::ReadWrite)) {
#ifdef Q_OS_UNIX
        m_lock.release();
#endif
        return failOpening(openingProblem(), m_port.errorString(), portNumber);
    }
    // The port must be open before the modem lines can be set.
    if (!raiseControlLine(&QSerialPort::setRequestToSend, "RTS")
        || !raiseControlLine(&QSerialPort::setDataTerminalReady, "DTR")) {
        const QString why = m_port.errorString();
        closePort();
        return failOpening(PortOpenFailure::Problem::Other, why);
    }
    return std::nullopt;
}

bool QtSerialLine::raiseControlLine(bool (QSerialPort::*setter)(bool), const char *name)
{
    if ((m_port.*setter)(true))
        return true;
    // Pseudo-terminals and some adapters have no modem lines; that does not stop the exchange.
    if (m_port.error() == QSerialPort::UnsupportedOperationError) {
        qCDebug(lcPort) << "no" << name << "line on" << m_port.portName();
        m_port.clearError();
        return true;
    }
    return false;
}

PortOpenFailure::Problem QtSerialLine::openingProblem() const
{
    switch (m_port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return PortOpenFailure::Problem::NoSuchDevice;
    case QSerialPort::PermissionError:
#ifdef Q_OS_UNIX
        // The port reports a device another program holds (busy) the same way: only a device
        // this user may not read and write is a matter of permissions.
        if (::access(QFile::encodeName(m_port.portName()).constData(), R_OK | W_OK) == 0)
            return PortOpenFailure::Problem::InUse;
#endif
        return PortOpenFailure::Problem::PermissionDenied;
    default:
        return PortOpenFailure::Problem::Other;
    }
}

PortOpenFailure QtSerialLine::failOpening(PortOpenFailure::Problem problem, const QString &why, int portNumber,
                                          const LockHolder *holder) const
{
    PortOpenFailure failure;
    failure.device = m_port.portName();
    failure.problem = problem;
    failure.reason = why;
    if (holder) {
        failure.holderPid = holder->pid;
        failure.holderProgram = holder->program;
        failure.lockFile = holder->lockFile;
    }
#ifndef Q_OS_WIN
    // An unplugged adapter leaves its mapping link behind: the operator needs to know what it
    // was meant to reach, not just the link's own path.
    if (problem == PortOpenFailure::Problem::NoSuchDevice && portNumber > 0 && m_fixedDevice.isEmpty()) {
        const QFileInfo mapping(PortNames::linkPath(portNumber, m_portsFolder));
        if (mapping.isSymLink() && !mapping.exists())
            failure.missingTarget = mapping.symLinkTarget();
    }
#endif
    qCWarning(lcPort).noquote() << failure.text();
    return failure;
}

void QtSerialLine::release()
{
    if (!m_port.isOpen())
        return;
    m_port.setRequestToSend(false);
    m_port.setDataTerminalReady(false);
    m_port.clearError();
    closePort();
}

void QtSerialLine::closePort()
{
    m_port.close();
#ifdef Q_OS_UNIX
    m_lock.release();
#endif
}

bool QtSerialLine::isOpen() const
{
    return m_port.isOpen() && !m_lineLost;
}

void QtSerialLine::discardInput()
{
    if (isOpen())
        m_port.clear(QSerialPort::Input);
}

void QtSerialLine::write(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    qsizetype done = 0;
#ifdef Q_OS_UNIX
    // A command is short and the driver takes it at once: handing it over directly spares the
    // port's write notifier a round through the event loop. What the driver does not take, and
    // anything behind bytes still queued, goes the buffered way.
    if (m_port.bytesToWrite() == 0) {
        const ssize_t written = ::write(int(m_port.handle()), bytes.constData(), size_t(bytes.size()));
        done = written > 0 ? qsizetype(written) : 0;
    }
#endif
    if (done < bytes.size()) {
        m_port.write(bytes.constData() + done, bytes.size() - done);
        m_port.flush();
    }
}

qint64 QtSerialLine::bytesAvailable() const
{
    return isOpen() ? m_port.bytesAvailable() : 0;
}

QByteArray QtSerialLine::readAll()
{
    return isOpen() ? m_port.readAll() : QByteArray();
}

void QtSerialLine::onPortError(QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    if (m_lineLost || !m_port.isOpen())
        return;
    // A vanished device reports this error again on every pass of the event loop until the
    // port is closed. Close it once the port's own read handler has returned.
    m_lineLost = true;
    qCWarning(lcPort).noquote() << "line lost on" << m_port.portName() << m_port.errorString();
    QMetaObject::invokeMethod(this, &QtSerialLine::closeAfterLoss, Qt::QueuedConnection);
}

void QtSerialLine::closeAfterLoss()
{
    if (!m_lineLost)
        return; // the port was opened afresh in the meantime
    if (m_port.isOpen()) {
        m_port.clearError();
        closePort();
    }
    emit lineLost();
}

} // namespace telvaro::link
