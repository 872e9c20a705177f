#pragma once

#include <QByteArray>
#include <QObject>

namespace telvaro::simulator {

// The logger's end of the serial line. It tells the protocol engine when the tool takes hold
// of the line and when it lets go, so the engine need not know what kind of line it is.
class SimulatorPort : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // True while the tool has the other end open.
    virtual bool isHeld() const = 0;
    // Bytes sent while nobody holds the line are dropped: nobody could read them.
    virtual void send(const QByteArray &bytes) = 0;
    // Closes the line for good, as a logger that lost power.
    virtual void hangUp() = 0;

signals:
    void held();
    void released();
    void received(const QByteArray &bytes);
};

} // namespace telvaro::simulator
