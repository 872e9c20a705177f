#pragma once

#include "cli/cli_command.h"
#include "ports/logger_search.h"

namespace telvaro::cli {

class Interruption;

// telvaro-cli ports [--assign COMn DEVICE | --remove COMn | --find [--probe] [DEVICE...]]: the
// serial ports, which COM name leads to each, and on which of them a logger is.
class PortsCommand
{
    Q_DECLARE_TR_FUNCTIONS(PortsCommand)

public:
    static CliCommand command();

    // Looks for a logger on each device and prints what it found on every one, the COM names of
    // portsFolder that lead there beside it. kSuccess when a logger was found, kFailure when
    // none was; an interruption cancels the search (every port released) and gives its status.
    static int find(const QStringList &devices, const ports::LoggerSearch::Options &options,
                    const QString &portsFolder, Console &console, const Interruption *interruption = nullptr);

private:
    static int run(const QCommandLineParser &parser, Console &console);
    static void list(Console &console);
    static int assign(const QString &comName, const QString &device, Console &console);
    static int remove(const QString &comName, Console &console);
};

} // namespace telvaro::cli
