#pragma once

#include <QSocketNotifier>
#include <QtGlobal>

#include <array>
#include <cerrno>
#include <csignal>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace telvaro::base {

// SIGINT, SIGTERM and SIGHUP brought to the event loop of the thread that makes the pipe, each
// as its number: a signal handler may do little more than write() a byte. While the pipe lives
// the three signals come here instead of ending the process; afterwards they end it again. One
// at a time per process.
class StopSignalPipe
{
public:
    static constexpr std::array kSignals = {SIGINT, SIGTERM, SIGHUP};

    // False, with the signals left as they were, when no pipe can be made.
    bool open(std::function<void(int signalNumber)> arrived)
    {
        if (::pipe2(fds(), O_CLOEXEC | O_NONBLOCK) != 0)
            return false;
        m_notifier = std::make_unique<QSocketNotifier>(fds()[0], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [arrived = std::move(arrived)] {
            unsigned char number = 0;
            while (::read(fds()[0], &number, 1) == 1)
                arrived(number);
        });
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signalNumber : kSignals)
            ::sigaction(signalNumber, &action, nullptr);
        return true;
    }

    ~StopSignalPipe()
    {
        if (!m_notifier)
            return;
        for (const int signalNumber : kSignals)
            ::signal(signalNumber, SIG_DFL);
        m_notifier.reset();
        ::close(fds()[0]);
        ::close(fds()[1]);
        fds()[0] = fds()[1] = -1;
    }

private:
    static int *fds()
    {
        static int pipe[2] = {-1, -1};
        return pipe;
    }

    static void onSignal(int signalNumber)
    {
        const int saved = errno;
        const unsigned char number = static_cast<unsigned char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(fds()[1], &number, 1);
        errno = saved;
    }

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace telvaro::base
