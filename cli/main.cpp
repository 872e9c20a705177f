#include "cli/command_line.h"
#include "cli/console.h"
#include "translations/translations.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telvaro-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVARO_VERSION));
    installTranslations(application);

    Console console;
    return CommandLine::run(QCoreApplication::arguments(), console);
}
