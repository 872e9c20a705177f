#pragma once

#include "cli/provision_run.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

namespace telvaro::cli {

class Console;

// What a provision offers scripts: how many loggers at once (--jobs), a run that only reads and
// plans (--dry-run), and a run again of the loggers a report records as failed (--only-failed).
class ProvisionScripting
{
    Q_DECLARE_TR_FUNCTIONS(ProvisionScripting)

public:
    static void declare(QCommandLineParser &parser);

    static bool dryRun(const QCommandLineParser &parser);
    // The loggers to run at once for jobs loggers: --jobs, or all of them up to the limit.
    // Nothing, after saying what is wrong, for a count that is no number from 1 to the limit.
    static std::optional<int> atOnce(const QCommandLineParser &parser, qsizetype jobs, Console &console);

    // With --only-failed: the ports the report records as not verified; nothing, after saying
    // why, when it is no report. Without it: an empty list.
    static std::optional<QStringList> failedPorts(const QCommandLineParser &parser, Console &console);
    // Of the jobs, those of a failed port; each other one named on the console as left out.
    // Nothing, after saying why, when a failed port is no port at all.
    static std::optional<QList<ProvisionJob>> onlyFailed(const QList<ProvisionJob> &jobs, const QStringList &failed,
                                                         const QString &portsFolder, Console &console);

    // Per logger, what a write would change, old and new value, and what it would find; the
    // logger's error when it could not be read or a write would be refused.
    static void printDryRun(const QList<ProvisionResult> &results, bool showSecrets, Console &console);
};

} // namespace telvaro::cli
