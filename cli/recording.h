#pragma once

#include "cli/logger_outcome.h"

#include <QDateTime>

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace telvaro::cli {

class Console;
class LoggerSession;

// The entries telvaro-cli adds to the record of exchanges. A record that cannot be written costs
// no logger: the command ends as it would without it, and says so once. Its entry waits in the
// record's spool (ExchangeSpool), and goes in the next time the record is written.
class Recording
{
    Q_DECLARE_TR_FUNCTIONS(Recording)

public:
    // Each adds an entry to the record at path, on the calling thread's own connection: nothing
    // when it was written or no record is kept (path empty), else why not, naming the file.
    // A read of the session's logger that began at begun; failure empty when it succeeded.
    static std::optional<QString> addRead(const QString &path, const LoggerSession &session, const QDateTime &begun,
                                          double seconds, const QString &failure);
    // A write, or a provision's logger (a dry run is a read).
    static std::optional<QString> addWrite(const QString &path, const LoggerSession &session, const LoggerOutcome &outcome,
                                           const QDateTime &begun);
    // A read that failed, as the record says it: "the read failed: ...", "stopped".
    static QString readFailure(const LoggerSession &session);
    // Says the failure, if any, on standard error.
    static void tell(Console &console, const std::optional<QString> &failure);
};

} // namespace telvaro::cli
