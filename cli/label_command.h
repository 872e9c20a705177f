#pragma once

#include "cli/cli_command.h"
#include "cli/session_setup.h"

namespace telvaro::cli {

// telvaro-cli label: a name people know a logger by, kept in the record beside its identity.
class LabelCommand
{
    Q_DECLARE_TR_FUNCTIONS(LabelCommand)

public:
    static CliCommand command(const SessionSetup &setup);

private:
    static int run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup);
};

} // namespace telvaro::cli
