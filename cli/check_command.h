#pragma once

#include "cli/cli_command.h"

namespace telvaro::cli {

// telvaro-cli check FILE: the file's errors and the values a write of it would refuse or question.
class CheckCommand
{
    Q_DECLARE_TR_FUNCTIONS(CheckCommand)

public:
    static CliCommand command();

private:
    static int run(const QCommandLineParser &parser, Console &console);
};

} // namespace telvaro::cli
