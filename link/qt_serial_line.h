#pragma once

#include "link/port_open_failure.h"
#include "link/serial_line.h"

#include <QSerialPort>

#ifdef Q_OS_UNIX
#include "link/port_lock.h"
#endif

namespace telvaro::link {

struct LockHolder;

// The real serial port. Port numbers are mapped to devices through the ports folder
// (see PortNames). On Unix the port is held under a serial lock file (see PortLock) while open,
// so that it is never opened under another program. Tests point both folders at temporary
// folders of their own.
class QtSerialLine : public SerialLine
{
    Q_OBJECT

public:
    explicit QtSerialLine(QObject *parent = nullptr);
#ifdef Q_OS_UNIX
    explicit QtSerialLine(const QString &portsFolder, const QString &lockFolder = PortLock::defaultFolder(),
                          QObject *parent = nullptr);
#else
    explicit QtSerialLine(const QString &portsFolder, QObject *parent = nullptr);
#endif

    // From now on every port number opens this device: for a front end that is given the device
    // itself (a path on the command line) rather than a port number. Empty: numbers map again.
    void setFixedDevice(const QString &device) { m_fixedDevice = device; }
    // Where COM names lead from the next opening on.
    void setPortsFolder(const QString &portsFolder) { m_portsFolder = portsFolder; }

    [[nodiscard]] std::optional<PortOpenFailure> open(int portNumber, const QString &settings) override;
    void release() override;
    bool isOpen() const override;
    void discardInput() override;
    void write(const QByteArray &bytes) override;
    qint64 bytesAvailable() const override;
    QByteArray readAll() override;

private:
    // False, the port closed, when the line could not be raised.
    bool raiseControlLine(bool (QSerialPort::*setter)(bool), const char *name);
    void onPortError(QSerialPort::SerialPortError error);
    void closeAfterLoss();
    PortOpenFailure::Problem openingProblem() const;
    PortOpenFailure failOpening(PortOpenFailure::Problem problem, const QString &why, int portNumber = 0,
                                const LockHolder *holder = nullptr) const;

    void closePort();

    QString m_portsFolder;
    QString m_fixedDevice;
#ifdef Q_OS_UNIX
    // Before the port: released after the port has closed.
    PortLock m_lock;
#endif
    QSerialPort m_port;
    bool m_lineLost = false;
};

} // namespace telvaro::link
