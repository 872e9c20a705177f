#pragma once

#include "support/telvaro_names.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

// One run of the built telvaro-cli, in English unless the environment given says otherwise, its
// record of exchanges in the build folder unless TELVARO_RECORD names another. The
// caller's event loop runs while it does.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments, const QMap<QString, QString> &environment = {});
// The same, with started given the process once it has started: a test may signal it later.
CliRun runCli(const QStringList &arguments, const QMap<QString, QString> &environment,
              const std::function<void(QProcess &)> &started);
