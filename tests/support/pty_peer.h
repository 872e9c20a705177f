#pragma once

#include "simulator/pseudo_terminal.h"
#include "support/telvaro_names.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The far end of a pseudo-terminal, driven by a test: the tool opens devicePath() with the
// real serial port, the test sends and reads on the master side, all on the event loop.
class PtyPeer : public QObject
{
    Q_OBJECT

public:
    PtyPeer();
    ~PtyPeer() override;

    bool isValid() const { return m_terminal.isValid(); }
    QString devicePath() const { return m_terminal.devicePath(); }
    // Makes <portsFolder>/com<portNumber> a link to this peer's device.
    bool mapAsPort(const QString &portsFolder, int portNumber) const;

    // Queued in order; what the pseudo-terminal cannot take yet goes out once it drains.
    void send(const QByteArray &bytes);
    void sendAfter(int milliseconds, const QByteArray &bytes);
    // Closes the master side: for the tool, the device has gone away.
    void hangUp();
    void hangUpAfter(int milliseconds);

    // Everything the tool has sent so far.
    QByteArray received() const { return m_received; }

signals:
    void bytesReceived(const QByteArray &bytes);

private:
    void readMaster();
    void writePending();

    HeldPseudoTerminal m_terminal;
    QSocketNotifier *m_notifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QByteArray m_pending; // what the pseudo-terminal could not take yet, in order
    QByteArray m_received;
};
