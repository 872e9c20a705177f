#pragma once

#include "cli/cli_command.h"
#include "cli/session_setup.h"

namespace telvaro::record {
struct ExchangeEntry;
} // namespace telvaro::record

namespace telvaro::cli {

// telvaro-cli history: the record of exchanges, newest first, or one exchange with its items and,
// for a write, what it changed.
class HistoryCommand
{
    Q_DECLARE_TR_FUNCTIONS(HistoryCommand)

public:
    static CliCommand command(const SessionSetup &setup);

private:
    static int run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup);
    static int list(const QCommandLineParser &parser, const QString &path, Console &console);
    static int show(const QString &number, const QString &path, const SessionSetup &setup, Console &console);
    static int sync(const QString &path, Console &console);
    static int exportCsv(const QCommandLineParser &parser, const QString &path, Console &console);
    static QString outcomeText(const record::ExchangeEntry &entry);
};

} // namespace telvaro::cli
