#pragma once

#include "cli/cli_command.h"
#include "cli/session_setup.h"

namespace telvaro::cli {

// telvaro-cli read PORT [-o FILE]: a full read of the logger, as a settings file.
class ReadCommand
{
    Q_DECLARE_TR_FUNCTIONS(ReadCommand)

public:
    static CliCommand command(const SessionSetup &setup);

private:
    static int run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup);
};

} // namespace telvaro::cli
