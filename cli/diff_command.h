#pragma once

#include "cli/cli_command.h"
#include "cli/session_setup.h"

#include <QList>

namespace telvaro::settings {
struct ItemDifference;
} // namespace telvaro::settings

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::cli {

// telvaro-cli diff FILE FILE, or diff PORT FILE: the items whose values differ.
class DiffCommand
{
    Q_DECLARE_TR_FUNCTIONS(DiffCommand)

public:
    static CliCommand command(const SessionSetup &setup);

private:
    static int run(const QCommandLineParser &parser, Console &console, const SessionSetup &setup);
    static int compareFiles(const QCommandLineParser &parser, Console &console);
    static int compareWithLogger(const QCommandLineParser &parser, const SessionSetup &setup, Console &console);
    // Prints the differences under "< left" and "> right", elements named by the model tables
    // of the state, or as JSON when the parser asks for it; the exit status they make.
    static int print(const QList<settings::ItemDifference> &differences, const state::SettingsState &model,
                     const QString &left, const QString &right, const QCommandLineParser &parser, Console &console);
};

} // namespace telvaro::cli
