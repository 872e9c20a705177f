#pragma once

#include "base/stop_signal_pipe.h"

#include <QObject>

namespace telvaro::simulator {

// The requests to stop that come from outside: SIGINT, SIGTERM and SIGHUP, and (on Linux) the
// parent process going away, which the system turns into SIGTERM. Each arrives as stopRequested
// on the event loop, so the simulator ends through its normal path and tidies up after itself.
// One instance per process.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

    // The signal that asked to stop; 0 while none has.
    int received() const { return m_received; }

    // Ends the process by the signal received, with its default action, so that whoever started
    // it sees how it ended. Returns only when no signal was received.
    void endByReceivedSignal() const;

signals:
    void stopRequested();

private:
    base::StopSignalPipe m_pipe;
    int m_received = 0;
};

} // namespace telvaro::simulator
