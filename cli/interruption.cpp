#include "cli/interruption.h"

#include "cli/logger_session.h"
#include "cli/logger_writing.h"

#include <csignal>

using namespace telvaro::exchange;

namespace telvaro::cli {

Interruption::Interruption()
{
    const bool opened = m_pipe.open([this](int number) {
        int none = 0;
        m_signal.compare_exchange_strong(none, number);
        // Past the second, nothing more can be asked.
        if (m_count.load() < 2) {
            ++m_count;
            emit requested(*request());
        }
    });
    // Without the pipe the signals keep their default action: the process ends as before.
    if (!opened)
        qWarning("telvaro-cli: no pipe for the stop signals; an interruption ends at once");
}

Interruption::~Interruption() = default;

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
