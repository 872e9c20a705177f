#pragma once

#include "cli/logger_outcome.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace telvaro::cli {

// A provision from beginning to end, as the report records it.
struct ProvisionRecord
{
    QString program;      // "telvaro-cli 3.0"
    QString templateFile; // the settings file given to every logger
    QString unitsFile;    // empty without one
    QDateTime started;
    QList<LoggerOutcome> loggers;
    QString interruptedBy; // "SIGINT": the signal that stopped the provision; empty when none did
};

class ProvisionReport
{
    Q_DECLARE_TR_FUNCTIONS(ProvisionReport)

public:
    // The end table: a line per logger with its port, model, items changed, verification,
    // seconds and error, in columns under a heading line.
    static QString table(const QList<LoggerOutcome> &loggers);

    // The JSON report: the table's facts plus every item before and after, the items changed
    // and those that did not read back, how far each logger got and, when a write was cut short,
    // the lines acknowledged of each script file. Passwords show as "********" unless showSecrets.
    static QByteArray json(const ProvisionRecord &record, bool showSecrets);

    // The ports of the loggers that a report (as json() makes it) records as not verified: not
    // written, or not read back as written. Nothing, with the reason, for what is no such report.
    static std::optional<QStringList> portsNotVerified(const QByteArray &json, QString *reason);

    // The word for a verification, as the table shows it.
    static QString verificationText(LoggerOutcome::Verification verification);
    // The fixed word for how far a logger got: "untouched", "partly written", "written", "verified".
    static QString stateKeyword(LoggerOutcome::State state);
};

} // namespace telvaro::cli
