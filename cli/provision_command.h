#pragma once

#include "cli/cli_command.h"
#include "cli/provision_run.h"
#include "cli/session_setup.h"

#include <optional>

namespace telvaro::settings {
struct UnitsFileContents;
} // namespace telvaro::settings

namespace telvaro::cli {

// telvaro-cli provision FILE --port P ...: many loggers given the same settings at once, each
// with its own values from a units file, written, read back, and recorded.
class ProvisionCommand
{
    Q_DECLARE_TR_FUNCTIONS(ProvisionCommand)

public:
    static CliCommand command(const SessionSetup &setup);

private:
    static int run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup);
    // A job for every port, its unit's row over the template; nothing after saying what is wrong.
    static std::optional<QList<ProvisionJob>> jobsOf(const QCommandLineParser &parser, const settings::DeviceSettings &templateItems,
                                                     const SessionSetup &setup, Console &console);
    static std::optional<settings::UnitsFileContents> unitsOf(const QString &path, Console &console);
    static QString logFileName(const QString &port);
};

} // namespace telvaro::cli
