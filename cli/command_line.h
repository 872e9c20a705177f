#pragma once

#include "cli/cli_command.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

class Console;

class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Runs "telvaro-cli [--help | --version | COMMAND ...]" (arguments start with the program's
    // name) and returns the exit status.
    static int run(const QStringList &arguments, Console &console);

private:
    static QList<CliCommand> commands();
    static QString overallHelp();
    static QString commandHelp(const CliCommand &command, const QCommandLineParser &parser);
    static int runCommand(const CliCommand &command, const QStringList &arguments, Console &console);
};
