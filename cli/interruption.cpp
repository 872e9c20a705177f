#include "cli/interruption.h"

#include "cli/logger_session.h"
#include "cli/logger_writing.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace telvaro::exchange;

namespace telvaro::cli {

namespace {

constexpr std::array kStopSignals = {SIGINT, SIGTERM, SIGHUP};

// Written by the handler, read on the event loop.
int signalPipe[2] = {-1, -1};

void onStopSignal(int signalNumber)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
    errno = saved;
}

} // namespace

Interruption::Interruption()
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        // Without the pipe the signals keep their default action: the process ends as before.
        qWarning("telvaro-cli: no pipe for the stop signals; an interruption ends at once");
        return;
    }
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &Interruption::onSignalPipe);

    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kStopSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

Interruption::~Interruption()
{
    if (!m_notifier)
        return;
    for (const int signalNumber : kStopSignals)
        ::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

std::optional<StopRequest> Interruption::request() const
{
    switch (m_count.load()) {
    case 0:
        return std::nullopt;
    case 1:
        return StopRequest::Gracefully;
    default:
        return StopRequest::AtOnce;
    }
}

QString Interruption::signalName() const
{
    switch (signalNumber()) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    }
    return {};
}

void Interruption::onSignalPipe()
{
    unsigned char number = 0;
    while (::read(signalPipe[0], &number, 1) == 1) {
        int none = 0;
        m_signal.compare_exchange_strong(none, number);
        // Past the second, nothing more can be asked.
        if (m_count.load() < 2) {
            ++m_count;
            emit requested(*request());
        }
    }
}

void Interruption::stopOnRequest(LoggerSession &session) const
{
    // Connected first, then asked: a request in between reaches the session twice, harmlessly.
    connect(this, &Interruption::requested, &session, &LoggerSession::stop);
    if (const std::optional<StopRequest> how = request())
        QMetaObject::invokeMethod(&session, [&session, how] { session.stop(*how); }, Qt::QueuedConnection);
}

QStringList Interruption::incomplete(const QList<LoggerOutcome> &loggers)
{
    QStringList lines;
    for (const LoggerOutcome &logger : loggers) {
        switch (logger.state()) {
        case LoggerOutcome::State::Untouched:
            lines.append(tr("%1: nothing was written; run the command again for it").arg(logger.port));
            break;
        case LoggerOutcome::State::PartlyWritten:
            lines.append(tr("%1: %2; run the command again for it to complete the write, and check the logger")
                             .arg(logger.port, LoggerWriting::partlyWrittenText(logger.partlyWritten)));
            break;
        case LoggerOutcome::State::Written:
            if (logger.verification == LoggerOutcome::Verification::NotReached)
                lines.append(tr("%1: written, but not read back; check it (telvaro-cli diff %1 FILE)").arg(logger.port));
            break;
        case LoggerOutcome::State::Verified:
            break;
        }
    }
    return lines;
}

} // namespace telvaro::cli
