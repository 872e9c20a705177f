#pragma once

#include "link/port_open_failure.h"

#include <QList>
#include <QString>

#include <chrono>

namespace telvaro::exchange {

// Why a read or a write ended without success, as facts in the operator's terms. The sequences
// gather them as they go; the window shows them behind its message box, the command line prints
// them.
struct ExchangeFailure
{
    enum class Cause {
        PortNotOpened,    // port, device, portProblem, reason
        NoAnswer,         // command, expected, waited, attempts
        LineLost,         // port, command: the line went away while an answer was awaited
        FileNotOpened,    // file, reason: a read script, or a script file the write sends
        ScriptNotWritten, // file: the script files the write could not build
        UnsendableText,   // field: a value the logger cannot be sent
        Other,            // reason: an error no other cause names (for the developer as well)
    };

    // One script file of the exchange: how many of its lines the logger answered.
    struct Block
    {
        QString file;
        int answered = 0;
        int lines = 0;

        friend bool operator==(const Block &, const Block &) = default;
    };

    Cause cause = Cause::Other;
    QString port;   // "COM1"
    QString device; // the device it leads to
    link::PortOpenFailure::Problem portProblem = link::PortOpenFailure::Problem::Other;
    QString reason;                      // the system's words, or who holds the port
    qint64 holderPid = 0;                // a port in use: the program holding its lock file
    QString holderProgram;
    QString lockFile;
    QString missingDevice;               // a mapping link that leads nowhere: where it leads
    QString command;                     // the last command sent, line ends less
    QString expected;                    // the answer awaited; empty: any line
    std::chrono::milliseconds waited{0}; // the wait of each attempt
    int attempts = 1;
    QString file;
    QString field;
    bool isWrite = false;
    QList<Block> blocks; // once the port was open: every block of the exchange, in order
};

// Who reads a failure: the window's operator is sent to its dialogs, the command line's to its
// commands.
enum class FailureReader { Window, CommandLine };

// What happened, in lines for the operator: the cause, and for a write how much of the logger's
// settings had already been changed. Translated (the window shows it in Japanese).
QString describe(const ExchangeFailure &failure, FailureReader reader = FailureReader::Window);

} // namespace telvaro::exchange
