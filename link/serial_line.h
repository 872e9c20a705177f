#pragma once

#include "link/port_open_failure.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

namespace telvaro::link {

// The serial port as the link sees it: the real port serves it, and so can a test double.
class SerialLine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Port number 1 is COM1; settings is a string such as "9600,N,8,1".
    // Nothing when the port is open; otherwise why not, and the port is closed. Settings that are
    // no valid settings string, or a port number below 1, throw RunTimeError.
    [[nodiscard]] virtual std::optional<PortOpenFailure> open(int portNumber, const QString &settings) = 0;
    // Lowers RTS and DTR and closes; harmless when already closed.
    virtual void release() = 0;
    virtual bool isOpen() const = 0;
    // Drops everything received and not yet read, in the driver and in our own buffer.
    virtual void discardInput() = 0;
    virtual void write(const QByteArray &bytes) = 0;
    virtual qint64 bytesAvailable() const = 0;
    virtual QByteArray readAll() = 0;

signals:
    void readyRead();
    // The far end went away (adapter unplugged, peer closed); the port is already closed.
    void lineLost();
};

} // namespace telvaro::link
