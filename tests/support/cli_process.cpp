#include "support/cli_process.h"

#include <QProcess>
#include <QProcessEnvironment>

CliRun runCli(const QStringList &arguments, const QMap<QString, QString> &environment)
{
    QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    system.remove(QStringLiteral("LANGUAGE"));
    system.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (auto it = environment.constBegin(); it != environment.constEnd(); ++it)
        system.insert(it.key(), it.value());

    QProcess cli;
    cli.setProcessEnvironment(system);
    cli.start(QStringLiteral(TELVARO_APP_DIR "/telvaro-cli"), arguments);
    CliRun run;
    if (!cli.waitForFinished(10000) || cli.exitStatus() != QProcess::NormalExit) {
        run.err = QStringLiteral("telvaro-cli did not finish: ") + cli.errorString();
        return run;
    }
    run.exitCode = cli.exitCode();
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}
