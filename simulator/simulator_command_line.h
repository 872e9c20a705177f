#pragma once

#include "simulator/simulated_logger_options.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace telvaro::simulator {

// What the simulator executable was asked to do.
struct SimulatorCommandLine
{
    SimulatedLoggerOptions logger;
    QString device;          // a serial device to serve; empty: a fresh pseudo-terminal
    qint32 speed = 9600;     // for a serial device
    int linkCom = 0;         // map this port number to the pseudo-terminal; 0: no mapping
    QString portsFolder;     // where the mapping link goes
    bool verbose = false;
    QString answer;          // --help or --version: this is to be shown, and nothing done
};

// Parses the arguments (argv[0] included). On a mistake returns nothing and sets error to a
// message with the usage; on --help or --version returns the text to show in `answer`.
std::optional<SimulatorCommandLine> parseSimulatorCommandLine(const QStringList &arguments, QString *error);

} // namespace telvaro::simulator
