#include "link/port_names.h"
#include "simulator/pseudo_terminal_port.h"
#include "simulator/serial_device_port.h"
#include "simulator/simulated_logger.h"
#include "simulator/simulator_command_line.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

// Stopped by a signal: every write is already saved whole, so there is nothing to tidy up.


namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telvaro-logger-sim"));

    QString error;
    const std::optional<SimulatorCommandLine> commandLine = parseSimulatorCommandLine(app.arguments(), &error);
    if (!commandLine)
        return fail(error);
    if (commandLine->verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("telvaro.sim.debug=true"));

    std::unique_ptr<LoggerPort> port;
    QString shownDevice;
    if (commandLine->device.isEmpty()) {
        std::unique_ptr<PseudoTerminalPort> terminal = PseudoTerminalPort::create(&error);
        if (!terminal)
            return fail(error);
        shownDevice = terminal->devicePath();
        if (commandLine->linkCom > 0
            && !PortNames::mapPort(commandLine->linkCom, shownDevice, commandLine->portsFolder, &error))
            return fail(error);
        port = std::move(terminal);
    } else {
        shownDevice = commandLine->device;
        port = std::make_unique<SerialDevicePort>();
    }

    SimulatedLogger logger(std::move(port), commandLine->logger);
    if (!logger.settingsError().isEmpty())
        return fail(logger.settingsError());
    QObject::connect(&logger, &SimulatedLogger::hungUp, &app, [] { QCoreApplication::exit(0); });

    if (auto *serial = qobject_cast<SerialDevicePort *>(&logger.port());
        serial && !serial->open(commandLine->device, commandLine->speed, &error))
        return fail(error);

    QTextStream(stdout) << shownDevice << Qt::endl;
    return app.exec();
}
