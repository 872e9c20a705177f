#pragma once

#include "simulator/simulator_port.h"

#include <QSerialPort>

namespace telvaro::simulator {

// A real serial device (a USB adapter wired to the tool's port by a null-modem cable). A plain
// three-wire line cannot show when the tool lets go, so the line counts as held while it is
// open; "CAOFF" or a new handshake resets the logger instead.
class SerialDevicePort : public SimulatorPort
{
    Q_OBJECT

public:
    explicit SerialDevicePort(QObject *parent = nullptr);

    bool open(const QString &device, qint32 speed, QString *error);

    bool isHeld() const override { return m_port.isOpen(); }
    void send(const QByteArray &bytes) override;
    void hangUp() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
};

} // namespace telvaro::simulator
