#pragma once

#include "base/timings.h"
#include "files/app_folder.h"

#include <QString>
#include <QtGlobal>

namespace telvaro::cli {

// How the command line reaches its loggers: the line speed, the timings of the exchange, where
// COM names lead, and the installation. A command run inside a test is given its own.
struct SessionSetup
{
    qint16 baudIndex = 5; // 9600 bit/s
    base::ExchangeTimings timings = {};
    QString portsFolder;  // where COM names lead
    files::AppFolder appFolder = files::AppFolder::ofRunningProgram(); // the installation; each session writes its script files apart
    QString recordPath;   // the record of exchanges (record.sqlite); empty: none is kept

    // The record a program keeps when no option names one: the file TELVARO_RECORD names, else
    // record.sqlite in the per-user folder.
    static QString defaultRecordPath();

    // The program's own: the protocol's timings, the ports folder the window uses, the record.
    static SessionSetup ofRunningProgram();
};

} // namespace telvaro::cli
