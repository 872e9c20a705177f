#pragma once

#include "cli/cli_command.h"
#include "cli/session_setup.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

namespace telvaro::cli {

class Console;

class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Runs "telvaro-cli [--help | --version | COMMAND ...]" (arguments start with the program's
    // name) and returns the exit status. Loggers are reached as setup says.
    static int run(const QStringList &arguments, Console &console,
                   const SessionSetup &setup = SessionSetup::ofRunningProgram());

private:
    // The command's own exit status, before what reached standard output is counted.
    static int dispatch(const QStringList &arguments, Console &console, const SessionSetup &setup);
    static QList<CliCommand> commands(const SessionSetup &setup);
    static QString overallHelp(const SessionSetup &setup);
    static QString commandHelp(const CliCommand &command, const QCommandLineParser &parser);
    static int runCommand(const CliCommand &command, const QStringList &arguments, Console &console);
};

} // namespace telvaro::cli
