#pragma once

#include "cli/logger_outcome.h"
#include "cli/logger_port.h"
#include "cli/logger_writing.h"
#include "cli/session_setup.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

namespace telvaro::cli {

class Interruption;
class LiveLines;

// One logger of a provision: its port and what is to become of it.
struct ProvisionJob
{
    LoggerPort port;
    WriteOrder order;
};

struct ProvisionResult
{
    LoggerOutcome outcome;
    QByteArray log; // the logger's exchanges as a log file, passwords masked
    std::optional<QString> recordFailure; // why the record of its exchange could not be written
};

// Provisions the loggers, atOnce of them at a time, the others waiting their turn. A logger's read, write and read-back follow one another, each
// run to its end on the event loop of the logger's own thread, in its own session (serial line,
// settings state, screen model, script files): a silent or failing logger holds up no other, and
// an error that escapes one ends that logger alone. The caller's thread runs its event loop
// meanwhile and keeps the live lines, line i following job i.
class ProvisionRun
{
    Q_DECLARE_TR_FUNCTIONS(ProvisionRun)

public:
    // The most loggers provisioned at once: each holds a thread, a serial line and script files.
    static constexpr int kMostAtOnce = 64;

    // Returns when every logger has ended, with the results in the order of the jobs; at most
    // atOnce (1 to kMostAtOnce) run at a time, in the order of the jobs, and a logger whose turn
    // has not come shows "waiting" on its line. Each logger's session follows the interruption's
    // requests to stop, on its own thread; once stopped, no logger is begun.
    static QList<ProvisionResult> run(const QList<ProvisionJob> &jobs, const SessionSetup &setup, LiveLines *lines,
                                      int atOnce = kMostAtOnce, const Interruption *interruption = nullptr);

    // The last word of a logger's live line.
    static QString summary(const LoggerOutcome &outcome);
};

} // namespace telvaro::cli
