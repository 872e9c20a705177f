#include "simulator/serial_device_port.h"

namespace telvaro::simulator {

SerialDevicePort::SerialDevicePort(QObject *parent)
    : SimulatorPort(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, [this] { emit received(m_port.readAll()); });
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialDevicePort::onError);
}

bool SerialDevicePort::open(const QString &device, qint32 speed, QString *error)
{
    m_port.setPortName(device);
    m_port.setBaudRate(speed);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("cannot open %1: %2").arg(device, m_port.errorString());
        return false;
    }
    emit held();
    return true;
}

void SerialDevicePort::send(const QByteArray &bytes)
{
    if (m_port.isOpen())
        m_port.write(bytes);
}

void SerialDevicePort::hangUp()
{
    m_port.close();
}

void SerialDevicePort::onError(QSerialPort::SerialPortError error)
{
    // The adapter went away: close once so the error is not reported over and over.
    if ((error == QSerialPort::ResourceError || error == QSerialPort::ReadError) && m_port.isOpen()) {
        m_port.close();
        emit released();
    }
}

} // namespace telvaro::simulator
