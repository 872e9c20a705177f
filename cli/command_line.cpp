#include "cli/command_line.h"

#include "cli/check_command.h"
#include "cli/console.h"
#include "cli/diff_command.h"
#include "cli/history_command.h"
#include "cli/label_command.h"
#include "cli/ports_command.h"
#include "cli/provision_command.h"
#include "cli/read_command.h"
#include "cli/write_command.h"

namespace telvaro::cli {

namespace {

const QString kProgram = QStringLiteral("telvaro-cli");

} // namespace

QList<CliCommand> CommandLine::commands(const SessionSetup &setup)
{
    return {PortsCommand::command(), ReadCommand::command(setup), WriteCommand::command(setup), CheckCommand::command(),
            DiffCommand::command(setup), ProvisionCommand::command(setup), HistoryCommand::command(setup),
            LabelCommand::command(setup)};
}

QString CommandLine::overallHelp(const SessionSetup &setup)
{
    QStringList lines = {tr("Usage: %1 COMMAND [options] [arguments]").arg(kProgram),
                         tr("Reads, writes, checks and compares the settings of Telvaro e-mail model loggers."),
                         QString(), tr("Commands:")};
    for (const CliCommand &command : commands(setup))
        lines.append(QStringLiteral("  %1  %2").arg(command.name.leftJustified(10), command.summary));
    lines += {QString(), tr("Options:"),
              QStringLiteral("  -h, --help     ") + tr("Show this help; \"%1 COMMAND --help\" shows a command's.").arg(kProgram),
              QStringLiteral("  -v, --version  ") + tr("Show the version."),
              QString(),
              tr("Exit status: 0 when everything asked for succeeded, 1 when a command found problems or "
                 "differences or could not do its work, 2 for a mistake on the command line or a file that "
                 "cannot be read.")};
    return lines.join(u'\n');
}

QString CommandLine::commandHelp(const CliCommand &command, const QCommandLineParser &parser)
{
    // Qt's help begins with a usage line of the program alone: name the command in it.
    QString help = parser.helpText();
    help.remove(0, help.indexOf(u'\n') + 1);
    return tr("Usage: %1 %2 [options] %3").arg(kProgram, command.name, command.syntax).trimmed() + u'\n' + help;
}

int CommandLine::run(const QStringList &arguments, Console &console, const SessionSetup &setup)
{
    const int status = dispatch(arguments, console, setup);
    if (console.outputFailure().isEmpty())
        return status;
    // What the command was asked for did not arrive whole: no success, whatever came before.
    console.tell(tr("%1: standard output cannot be written: %2").arg(kProgram, console.outputFailure()));
    return status == ExitStatus::kSuccess ? ExitStatus::kFailure : status;
}

int CommandLine::dispatch(const QStringList &arguments, Console &console, const SessionSetup &setup)
{
    const QString first = arguments.value(1);
    if (first.isEmpty()) {
        console.tell(overallHelp(setup));
        return ExitStatus::kTrouble;
    }
    if (first == u"-h" || first == u"--help" || first == u"help") {
        console.print(overallHelp(setup));
        return ExitStatus::kSuccess;
    }
    if (first == u"-v" || first == u"--version") {
        console.print(QStringLiteral("%1 %2").arg(kProgram, QCoreApplication::applicationVersion()));
        return ExitStatus::kSuccess;
    }
    for (const CliCommand &command : commands(setup)) {
        if (command.name == first)
            return runCommand(command, arguments.mid(1), console);
    }
    console.tell(tr("%1: unknown command \"%2\"").arg(kProgram, first));
    console.tell(tr("Try \"%1 --help\".").arg(kProgram));
    return ExitStatus::kTrouble;
}

int CommandLine::runCommand(const CliCommand &command, const QStringList &arguments, Console &console)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(command.summary);
    // Qt's own help option would add --help-all, for options a command line tool does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, tr("Show this help."));
    parser.addOption(help);
    command.declare(parser);
    // The parser takes its first argument for the program's name: here the command's.
    if (!parser.parse(arguments))
        return CliUsage::error(console, command.name, parser.errorText());
    if (parser.isSet(help)) {
        console.print(commandHelp(command, parser));
        return ExitStatus::kSuccess;
    }
    return command.run(parser, console);
}

} // namespace telvaro::cli
