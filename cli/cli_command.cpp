#include "cli/cli_command.h"

#include "cli/console.h"

namespace telvaro::cli {

int CliUsage::error(Console &console, const QString &command, const QString &message)
{
    console.tell(QStringLiteral("telvaro-cli %1: %2").arg(command, message));
    console.tell(tr("Try \"telvaro-cli %1 --help\".").arg(command));
    return ExitStatus::kTrouble;
}

bool CliUsage::hasArguments(const QCommandLineParser &parser, int count)
{
    return parser.positionalArguments().size() == count;
}

} // namespace telvaro::cli
