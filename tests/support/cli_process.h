#pragma once

#include "support/telvaro_names.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// One run of the built telvaro-cli, in English unless the environment given says otherwise. The
// caller's event loop runs while it does.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments, const QMap<QString, QString> &environment = {});
