#include "link/port_names.h"
#include "simulator/pseudo_terminal_port.h"
#include "simulator/serial_device_port.h"
#include "simulator/simulated_logger.h"
#include "simulator/simulator_command_line.h"
#include "simulator/stop_signals.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <optional>

using namespace telvaro::link;
using namespace telvaro::simulator;

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << message << '\n';
    return 1;
}

// The port mapping the simulator made, removed again when it ends: the pseudo-terminal goes
// with it, and its number soon belongs to some other terminal, which the tool would otherwise
// send its handshake into. A mapping pointed elsewhere since then is left alone.
class MappedPort
{
public:
    MappedPort(int portNumber, const QString &device, const QString &portsFolder)
        : m_portNumber(portNumber), m_device(device), m_portsFolder(portsFolder)
    {
    }
    ~MappedPort() { PortNames::unmapPort(m_portNumber, m_device, m_portsFolder); }
    MappedPort(const MappedPort &) = delete;
    MappedPort &operator=(const MappedPort &) = delete;

private:
    int m_portNumber;
    QString m_device;
    QString m_portsFolder;
};

int run(const SimulatorCommandLine &commandLine)
{
    std::unique_ptr<SimulatorPort> port;
    std::optional<MappedPort> mapping;
    QString shownDevice;
    QString error;
    if (commandLine.device.isEmpty()) {
        std::unique_ptr<PseudoTerminalPort> terminal = PseudoTerminalPort::create(&error);
        if (!terminal)
            return fail(error);
        shownDevice = terminal->devicePath();
        if (commandLine.linkCom > 0) {
            if (!PortNames::mapPort(commandLine.linkCom, shownDevice, commandLine.portsFolder, &error))
                return fail(error);
            mapping.emplace(commandLine.linkCom, shownDevice, commandLine.portsFolder);
        }
        port = std::move(terminal);
    } else {
        shownDevice = commandLine.device;
        port = std::make_unique<SerialDevicePort>();
    }

    SimulatedLogger logger(std::move(port), commandLine.logger);
    if (!logger.settingsError().isEmpty())
        return fail(logger.settingsError());
    QObject::connect(&logger, &SimulatedLogger::hungUp, qApp, [] { QCoreApplication::exit(0); });

    if (auto *serial = qobject_cast<SerialDevicePort *>(&logger.port());
        serial && !serial->open(commandLine.device, commandLine.speed, &error))
        return fail(error);

    QTextStream(stdout) << shownDevice << Qt::endl;
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telvaro-logger-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVARO_VERSION));

    QString error;
    const std::optional<SimulatorCommandLine> commandLine = parseSimulatorCommandLine(app.arguments(), &error);
    if (!commandLine)
        return fail(error);
    if (!commandLine->answer.isEmpty()) {
        QTextStream(stdout) << commandLine->answer << Qt::flush;
        return 0;
    }
    if (commandLine->verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("telvaro.sim.debug=true"));

    // Before anything is mapped: a stop request from then on ends the event loop, and the
    // mapping is removed on the way out.
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &app, [] { QCoreApplication::exit(0); });
    const int status = run(*commandLine);
    stopSignals.endByReceivedSignal();
    return status;
}
