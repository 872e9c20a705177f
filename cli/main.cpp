#include "cli/command_line.h"
#include "cli/console.h"
#include "translations/translations.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <csignal>

using namespace telvaro::translations;
using namespace telvaro::cli;

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telvaro-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVARO_VERSION));
    installTranslations(application);
    // The commands say what went wrong in the operator's terms; the developer's log stays quiet
    // unless QT_LOGGING_RULES asks for it.
    QLoggingCategory::setFilterRules(QStringLiteral("telvaro.*.info=false\ntelvaro.*.warning=false"));

    // A reader that goes away (a closed pipe) is a failure to write, said and counted as one,
    // not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    Console console;
    return CommandLine::run(QCoreApplication::arguments(), console);
}
