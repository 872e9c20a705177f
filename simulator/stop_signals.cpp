#include "simulator/stop_signals.h"

#include <csignal>
#include <unistd.h>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace telvaro::simulator {

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    const bool opened = m_pipe.open([this](int signalNumber) {
        if (m_received == 0)
            m_received = signalNumber;
        emit stopRequested();
    });
    if (!opened)
        qFatal("cannot make the signal pipe");

#ifdef Q_OS_LINUX
    // Started by tools/run or by a test: when that goes away, so does the simulator, rather
    // than keep a port mapped to a pseudo-terminal nobody serves. A parent that went away
    // before the request was made counts as well.
    const pid_t parentBefore = ::getppid();
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parentBefore)
        ::raise(SIGTERM);
#endif
}

StopSignals::~StopSignals() = default;

void StopSignals::endByReceivedSignal() const
{
    if (m_received == 0)
        return;
    ::signal(m_received, SIG_DFL);
    ::raise(m_received);
}

} // namespace telvaro::simulator
