#pragma once

#include "cli/cli_command.h"
#include "cli/session_setup.h"

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::cli {

struct LoggerOutcome;

// telvaro-cli write PORT FILE: the settings of a file written into the logger, and read back.
class WriteCommand
{
    Q_DECLARE_TR_FUNCTIONS(WriteCommand)

public:
    static CliCommand command(const SessionSetup &setup);

private:
    static int run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup);
    static void report(const LoggerOutcome &outcome, const state::SettingsState &state, bool showSecrets, Console &console);
};

} // namespace telvaro::cli
