#pragma once

#include "simulator/simulator_port.h"

#include <QTimer>

#include <chrono>

#include <memory>

class QSocketNotifier;

namespace telvaro::simulator {

// The master side of a fresh POSIX pseudo-terminal; the tool opens the slave device
// (devicePath(), e.g. /dev/pts/3) as its serial port. While nobody holds the slave, the master
// reports hang-up on every poll, so the port then looks again at intervals instead of
// listening, and takes the hang-up as the tool having released the line.
class PseudoTerminalPort : public SimulatorPort
{
    Q_OBJECT

public:
    // How often a released port looks whether the tool holds the line again.
    static constexpr std::chrono::milliseconds kLookAgain{50};

    // Returns nullptr and sets error when no pseudo-terminal can be had.
    static std::unique_ptr<PseudoTerminalPort> create(QString *error, std::chrono::milliseconds lookAgain = kLookAgain,
                                                      QObject *parent = nullptr);
    ~PseudoTerminalPort() override;

    const QString &devicePath() const { return m_devicePath; }

    bool isHeld() const override { return m_held; }
    void send(const QByteArray &bytes) override;
    void hangUp() override;

private:
    PseudoTerminalPort(int masterFd, const QString &devicePath, std::chrono::milliseconds lookAgain, QObject *parent);

    void lookForHolder();
    void readWaiting();
    void writePending();
    void becomeReleased();

    int m_master = -1;
    QString m_devicePath;
    bool m_held = false;
    QByteArray m_pendingOutput;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QTimer m_lookAgain;
};

} // namespace telvaro::simulator
