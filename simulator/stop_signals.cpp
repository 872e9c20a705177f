#include "simulator/stop_signals.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace telvaro::simulator {

namespace {

constexpr std::array kStopSignals = {SIGINT, SIGTERM, SIGHUP};

// Written by the handler, read on the event loop: a handler may do little more than write().
int signalPipe[2] = {-1, -1};

void onStopSignal(int signalNumber)
{
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
}

} // namespace

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        qFatal("cannot make the signal pipe");
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::onSignalPipe);

    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kStopSignals)
        ::sigaction(signalNumber, &action, nullptr);

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

StopSignals::~StopSignals()
{
    for (const int signalNumber : kStopSignals)
        ::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void StopSignals::onSignalPipe()
{
    unsigned char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1) {
        if (m_received == 0)
            m_received = number;
    }
    emit stopRequested();
}

void StopSignals::endByReceivedSignal() const
{
    if (m_received == 0)
        return;
    ::signal(m_received, SIG_DFL);
    ::raise(m_received);
}

} // namespace telvaro::simulator
