#pragma once

#include "cli/cli_command.h"

namespace telvaro::cli {

// telvaro-cli ports [--assign COMn DEVICE | --remove COMn]: the serial ports, and which COM name
// leads to each.
class PortsCommand
{
    Q_DECLARE_TR_FUNCTIONS(PortsCommand)

public:
    static CliCommand command();

private:
    static int run(const QCommandLineParser &parser, Console &console);
    static void list(Console &console);
    static int assign(const QString &comName, const QString &device, Console &console);
    static int remove(const QString &comName, Console &console);
};

} // namespace telvaro::cli
