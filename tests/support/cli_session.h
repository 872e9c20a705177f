#pragma once

#include "cli/session_setup.h"
#include "support/exchange_timing.h"
#include "support/telvaro_names.h"
#include "support/temp_app_folder.h"

// How a command reaches its loggers inside a test: the installation files of folder, COM names
// leading through portsFolder, the exchange at the pace of the exchange tests.
inline SessionSetup testSessionSetup(const TempAppFolder &folder, const QString &portsFolder)
{
    return {5, ExchangeTimings{}.scaled(kTestTimeScale), portsFolder, folder.appFolder()};
}

#include "cli/command_line.h"
#include "cli/console.h"

// A run of telvaro-cli inside the test, with what it said.
struct CommandRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline CommandRun runCommand(const QStringList &arguments, const SessionSetup &setup)
{
    CommandRun run;
    Console console(&run.out, &run.err);
    run.exitCode = CommandLine::run(QStringList{QStringLiteral("telvaro-cli")} + arguments, console, setup);
    return run;
}
