#include "support/cli_process.h"

#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

CliRun runCli(const QStringList &arguments, const QMap<QString, QString> &environment)
{
    return runCli(arguments, environment, nullptr);
}

CliRun runCli(const QStringList &arguments, const QMap<QString, QString> &environment,
              const std::function<void(QProcess &)> &started)
{
    QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    system.remove(QStringLiteral("LANGUAGE"));
    system.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    // Its record of exchanges in the build folder, never the user's, however the test was started.
    if (!system.contains(QStringLiteral("TELVARO_RECORD")))
        system.insert(QStringLiteral("TELVARO_RECORD"), QStringLiteral(TELVARO_BUILD_DIR "/tests/record-of-tests.sqlite"));
    for (auto it = environment.constBegin(); it != environment.constEnd(); ++it)
        system.insert(it.key(), it.value());

    QProcess cli;
    cli.setProcessEnvironment(system);
    // The test's event loop runs meanwhile: a simulated logger of the test answers the command.
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&cli, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&cli, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    cli.start(QStringLiteral(TELVARO_APP_DIR "/telvaro-cli"), arguments);
    if (started && cli.waitForStarted())
        started(cli);
    deadline.start(20000);
    loop.exec();

    CliRun run;
    if (cli.state() != QProcess::NotRunning || cli.exitStatus() != QProcess::NormalExit
        || cli.error() == QProcess::FailedToStart) {
        run.err = QStringLiteral("telvaro-cli did not finish: ") + cli.errorString();
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitCode();
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}
