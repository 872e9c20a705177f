#pragma once

#include "cli/cli_command.h"

#include <optional>

// telvaro-cli diff FILE FILE: the items whose values differ.
class DiffCommand
{
    Q_DECLARE_TR_FUNCTIONS(DiffCommand)

public:
    static CliCommand command();

private:
    static int run(const QCommandLineParser &parser, Console &console);
    static QString shown(const std::optional<QString> &value, bool secret);
};
