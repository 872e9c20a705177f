#include "cli/ports_command.h"

#include "cli/console.h"
#include "cli/logger_port.h"
#include "cli/serial_ports.h"
#include "link/port_names.h"

#include <QFileInfo>

using namespace telvaro::link;

namespace telvaro::cli {

namespace {

const QString kAssign = QStringLiteral("assign");
// The names the port dialog offers.
constexpr int kFirstPort = 1;
constexpr int kLastPort = 9;

QString canonicalOrAsGiven(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

CliCommand PortsCommand::command()
{
    return {QStringLiteral("ports"), QStringLiteral("[DEVICE]"),
            tr("List the serial ports and the COM names that lead to them, or assign a COM name."),
            [](QCommandLineParser &parser) {
                parser.addOption({kAssign,
                                  tr("Make COMn (COM1 to COM9) lead to DEVICE, by its stable /dev/serial/by-id "
                                     "name where it has one, as the port dialog of the window uses it."),
                                  QStringLiteral("COMn")});
                parser.addPositionalArgument(QStringLiteral("DEVICE"), tr("With --assign: the serial device, e.g. /dev/ttyUSB0."));
            },
            &PortsCommand::run};
}

int PortsCommand::run(const QCommandLineParser &parser, Console &console)
{
    if (parser.isSet(kAssign)) {
        if (!CliUsage::hasArguments(parser, 1))
            return CliUsage::error(console, QStringLiteral("ports"), tr("--assign needs one device"));
        return assign(parser.value(kAssign), parser.positionalArguments().at(0), console);
    }
    if (!CliUsage::hasArguments(parser, 0))
        return CliUsage::error(console, QStringLiteral("ports"), tr("a device is given only with --assign"));
    list(console);
    return ExitStatus::kSuccess;
}

void PortsCommand::list(Console &console)
{
    const QString portsFolder = PortNames::defaultPortsFolder();
    QStringList comDevices;
    for (int number = kFirstPort; number <= kLastPort; ++number)
        comDevices.append(canonicalOrAsGiven(PortNames::deviceFor(number, portsFolder)));

    console.print(tr("Serial ports:"));
    const QList<SerialPortListing> ports = serialPortsOfThisMachine();
    if (ports.isEmpty())
        console.print(QStringLiteral("  ") + tr("(none found)"));
    for (const SerialPortListing &port : ports) {
        QStringList names;
        for (int number = kFirstPort; number <= kLastPort; ++number) {
            if (comDevices.at(number - kFirstPort) == canonicalOrAsGiven(port.device))
                names.append(QStringLiteral("COM%1").arg(number));
        }
        QString line = QStringLiteral("  ") + port.device;
        if (!names.isEmpty())
            line += QStringLiteral("  ") + names.join(QStringLiteral(", "));
        console.print(line);
        const std::pair<QString, QString> details[] = {{tr("description"), port.description},
                                                       {tr("maker"), port.maker},
                                                       {tr("serial number"), port.serialNumber},
                                                       {tr("stable path"), port.stablePath}};
        for (const auto &[label, value] : details) {
            if (!value.isEmpty())
                console.print(QStringLiteral("      %1: %2").arg(label, value));
        }
    }

    console.print(QString());
    console.print(tr("COM names (links in %1):").arg(portsFolder));
    for (int number = kFirstPort; number <= kLastPort; ++number) {
        // The link as the operator made it, then the device it leads to where that differs.
        const QFileInfo link(PortNames::linkPath(number, portsFolder));
        const QString named = link.isSymLink() ? link.symLinkTarget() : PortNames::deviceFor(number, portsFolder);
        const QString device = QFileInfo(named).canonicalFilePath();
        QString line = QStringLiteral("  COM%1  %2").arg(number).arg(named);
        if (device.isEmpty())
            line += QStringLiteral("  ") + tr("(no such device)");
        else if (device != named)
            line += QStringLiteral("  (%1)").arg(device);
        console.print(line);
    }
}


int PortsCommand::assign(const QString &comName, const QString &device, Console &console)
{
    const std::optional<int> number = LoggerPorts::comNumberOf(comName);
    if (!number)
        return CliUsage::error(console, QStringLiteral("ports"), tr("\"%1\" is no port name from COM1 to COM9").arg(comName));
    // A name that leads nowhere a logger can be would only make every later command fail.
    if (const QString problem = LoggerPorts::deviceProblem(device); !problem.isEmpty()) {
        console.tell(QStringLiteral("%1: %2").arg(device, problem));
        return ExitStatus::kTrouble;
    }
    const QFileInfo given(device);
    // A link of the operator's own (a udev rule's name) is kept as given; a kernel name such as
    // /dev/ttyUSB0 changes with the order of plugging in, so its stable name is taken instead.
    QString target = given.absoluteFilePath();
    if (!given.isSymLink()) {
        const QString stable = stablePathOf(device, kSerialByIdFolder);
        if (!stable.isEmpty())
            target = stable;
    }
    QString error;
    if (!PortNames::mapPort(*number, target, PortNames::defaultPortsFolder(), &error)) {
        console.tell(tr("COM%1 cannot be assigned: %2").arg(*number).arg(error));
        return ExitStatus::kFailure;
    }
    console.print(tr("COM%1 now leads to %2").arg(*number).arg(target));
    return ExitStatus::kSuccess;
}

} // namespace telvaro::cli
