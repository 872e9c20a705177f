#pragma once

#include "base/stop_signal_pipe.h"
#include "cli/logger_outcome.h"
#include "exchange/stop_request.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <optional>

namespace telvaro::cli {

class LoggerSession;

// The requests to stop that come from outside while a command works on loggers: SIGINT, SIGTERM
// and SIGHUP. The first asks every logger to stop gracefully, a second at once (see
// exchange::StopRequest); each arrives as requested() on the event loop of the thread that made
// this object, since a signal handler may do little more than write() a byte. The handlers are
// in place for the object's life, and the process then ends through the command's normal path:
// ports and lock files released, script folders removed, records written. One at a time.
class Interruption : public QObject
{
    Q_OBJECT

public:
    Interruption();
    ~Interruption() override;

    // How far the stop goes so far; nothing while no signal came. Asked from any thread.
    std::optional<exchange::StopRequest> request() const;
    // The first signal received, 0 while none was; its exit status is 128 and its number.
    int signalNumber() const { return m_signal.load(); }
    int exitStatus() const { return 128 + signalNumber(); }
    // "SIGINT", "SIGTERM" or "SIGHUP".
    QString signalName() const;

    // The session is told of every request, on its own thread, and of one made already.
    void stopOnRequest(LoggerSession &session) const;

    // The loggers the interruption left short of their end (written, read back where asked),
    // each with what to do about it; nothing when every one is complete.
    static QStringList incomplete(const QList<LoggerOutcome> &loggers);

signals:
    void requested(exchange::StopRequest how);

private:
    base::StopSignalPipe m_pipe;
    std::atomic<int> m_signal = 0;
    std::atomic<int> m_count = 0;
};

} // namespace telvaro::cli
