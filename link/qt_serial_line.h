#pragma once

#include "link/serial_line.h"

#include <QSerialPort>

// The real serial port. Port numbers are mapped to devices through the ports folder
// (see PortNames), which tests point at a temporary folder of their own.
class QtSerialLine : public SerialLine
{
    Q_OBJECT

public:
    explicit QtSerialLine(QObject *parent = nullptr);
    QtSerialLine(const QString &portsFolder, QObject *parent = nullptr);

    void open(int portNumber, const QString &settings) override;
    void release() override;
    bool isOpen() const override;
    void discardInput() override;
    void write(const QByteArray &bytes) override;
    qint64 bytesAvailable() const override;
    QByteArray readAll() override;

private:
    void raiseControlLine(bool (QSerialPort::*setter)(bool), const char *name);
    void onPortError(QSerialPort::SerialPortError error);
    void closeAfterLoss();
    [[noreturn]] void failOpening(const QString &why);

    QString m_portsFolder;
    QSerialPort m_port;
    bool m_lineLost = false;
};
