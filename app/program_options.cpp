#include "app/program_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstring>

namespace telvaro::app {

namespace {

const QString kEnvInUserFolder = QStringLiteral("env-in-user-folder");

bool isQuestion(const char *argument)
{
    for (const char *question : {"-h", "--help", "--help-all", "-v", "--version"}) {
        if (std::strcmp(argument, question) == 0)
            return true;
    }
    return false;
}

} // namespace

void ProgramOptions::declare(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Reads the settings of a Telvaro e-mail model logger over a serial port, shows them for editing, "
        "and writes them back.\n"
        "Ports COM1 to COM9 are the devices linked from ~/.config/telvaro/ports/com1 to com9, else "
        "/dev/ttyS0 to /dev/ttyS8. The port and speed chosen are kept in env.dat, in the current folder.\n"
        "telvaro-cli is its command-line companion; it needs no display."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        kEnvInUserFolder, QStringLiteral("Keep env.dat in ~/.local/state/telvaro instead of the current folder "
                                         "(the desktop menu entry starts the tool so).")));
}

std::optional<int> ProgramOptions::answerQuestions(int argc, char *argv[])
{
    bool asked = false;
    for (int i = 1; i < argc; ++i)
        asked = asked || isQuestion(argv[i]);
    if (!asked)
        return std::nullopt;
    // A plain application needs no display; the parser's answers exit with status 0.
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    declare(parser);
    parser.process(application);
    return 0;
}

ProgramOptions ProgramOptions::parse(const QCoreApplication &application)
{
    QCommandLineParser parser;
    declare(parser);
    parser.process(application);
    ProgramOptions options;
    options.envInUserFolder = parser.isSet(kEnvInUserFolder);
    return options;
}

} // namespace telvaro::app
