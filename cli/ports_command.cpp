#include "cli/ports_command.h"

#include "cli/console.h"
#include "cli/interruption.h"
#include "cli/logger_options.h"
#include "cli/logger_port.h"
#include "link/port_names.h"
#include "link/speed_table.h"
#include "ports/com_mapping.h"
#include "ports/serial_ports.h"

#include <QEventLoop>
#include <QFileInfo>

using namespace telvaro::link;
using namespace telvaro::ports;

namespace telvaro::cli {

namespace {

const QString kAssign = QStringLiteral("assign");
const QString kRemove = QStringLiteral("remove");
const QString kFind = QStringLiteral("find");
const QString kProbe = QStringLiteral("probe");
const QString kSpeed = QStringLiteral("speed");

QString canonicalOrAsGiven(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

QString usbIds(const SerialDevice &port)
{
    if (!port.vendorId && !port.productId)
        return {};
    const auto hex = [](const std::optional<quint16> &id) {
        return id ? QStringLiteral("%1").arg(*id, 4, 16, QLatin1Char('0')) : QStringLiteral("????");
    };
    return hex(port.vendorId) + u':' + hex(port.productId);
}

} // namespace

CliCommand PortsCommand::command()
{
    return {QStringLiteral("ports"), QStringLiteral("[DEVICE...]"),
            tr("List the serial ports and the COM names that lead to them, assign a COM name, or find a logger."),
            [](QCommandLineParser &parser) {
                parser.addOption({kAssign,
                                  tr("Make COMn (COM1 to COM9) lead to DEVICE, by its stable /dev/serial/by-id "
                                     "name where it has one, as the port dialog of the window uses it."),
                                  QStringLiteral("COMn")});
                parser.addOption({kRemove, tr("Remove the link that makes COMn lead to a device."), QStringLiteral("COMn")});
                parser.addOption({kFind,
                                  tr("Find a logger: listen on every serial port no other program holds (or on "
                                     "the DEVICEs given) for the call a waiting logger sends, without sending "
                                     "anything. Exit status 1 when no logger was found.")});
                parser.addOption({kProbe,
                                  tr("With --find: where no logger called, send the handshake alone and wait for "
                                     "its answer. Only for devices where a logger may be.")});
                LoggerOptions::declare(parser, false);
                parser.addPositionalArgument(QStringLiteral("DEVICE"),
                                             tr("With --assign: the serial device, e.g. /dev/ttyUSB0. With --find: "
                                                "the devices to look on."));
            },
            &PortsCommand::run};
}

int PortsCommand::run(const QCommandLineParser &parser, Console &console)
{
    const QString command = QStringLiteral("ports");
    if (parser.isSet(kFind)) {
        if (parser.isSet(kAssign))
            return CliUsage::error(console, command, tr("--find and --assign cannot go together"));
        if (parser.isSet(kRemove))
            return CliUsage::error(console, command, tr("--find and --remove cannot go together"));
        const std::optional<SessionSetup> setup = LoggerOptions::setupFor(parser, SessionSetup{}, console, command);
        if (!setup)
            return ExitStatus::kTrouble;
        QStringList devices;
        for (const QString &device : parser.positionalArguments()) {
            if (const QString problem = LoggerPorts::deviceProblem(device); !problem.isEmpty()) {
                console.tell(QStringLiteral("%1: %2").arg(device, problem));
                return ExitStatus::kTrouble;
            }
            if (const QString canonical = canonicalOrAsGiven(device); !devices.contains(canonical))
                devices.append(canonical);
        }
        const QString portsFolder = PortNames::defaultPortsFolder();
        if (devices.isEmpty()) {
            QStringList listed;
            for (const SerialDevice &port : serialDevices(PortFolders::ofThisMachine()))
                listed.append(port.device);
            devices = searchCandidates(listed, portsFolder);
        }
        LoggerSearch::Options options;
        options.lineSettings = SpeedTable().at(setup->baudIndex);
        options.probe = parser.isSet(kProbe);
        const Interruption interruption;
        return find(devices, options, portsFolder, console, &interruption);
    }
    if (parser.isSet(kProbe) || parser.isSet(kSpeed))
        return CliUsage::error(console, command, tr("--probe and --speed go with --find only"));
    if (parser.isSet(kAssign) && parser.isSet(kRemove))
        return CliUsage::error(console, QStringLiteral("ports"), tr("--assign and --remove exclude each other"));
    if (parser.isSet(kAssign)) {
        if (!CliUsage::hasArguments(parser, 1))
            return CliUsage::error(console, QStringLiteral("ports"), tr("--assign needs one device"));
        return assign(parser.value(kAssign), parser.positionalArguments().at(0), console);
    }
    if (!CliUsage::hasArguments(parser, 0))
        return CliUsage::error(console, QStringLiteral("ports"), tr("a device is given only with --assign"));
    if (parser.isSet(kRemove))
        return remove(parser.value(kRemove), console);
    list(console);
    return ExitStatus::kSuccess;
}

void PortsCommand::list(Console &console)
{
    const PortFolders folders = PortFolders::ofThisMachine();
    console.print(tr("Serial ports:"));
    const QList<SerialDevice> ports = serialDevices(folders);
    if (ports.isEmpty())
        console.print(QStringLiteral("  ") + tr("(none found)"));
    for (const SerialDevice &port : ports) {
        QStringList names;
        for (int number : port.comNumbers)
            names.append(QStringLiteral("COM%1").arg(number));
        QString line = QStringLiteral("  ") + port.device;
        if (!names.isEmpty())
            line += QStringLiteral("  ") + names.join(QStringLiteral(", "));
        console.print(line);
        QString access;
        if (port.access == SerialDevice::Access::PermissionDenied)
            access = tr("this user may not use it (add the user to the group %1)")
                         .arg(port.accessGroup.isEmpty() ? QStringLiteral("dialout") : port.accessGroup);
        else if (port.access == SerialDevice::Access::Unusable)
            access = tr("unusable: %1").arg(port.accessReason);
        QString holder;
        if (port.holder) {
            holder = port.holder->program.isEmpty()
                         ? tr("process %1").arg(port.holder->pid)
                         : tr("%1, process %2").arg(port.holder->program).arg(port.holder->pid);
        }
        const std::pair<QString, QString> details[] = {{tr("description"), port.description},
                                                       {tr("maker"), port.maker},
                                                       {tr("USB vendor:product"), usbIds(port)},
                                                       {tr("serial number"), port.serialNumber},
                                                       {tr("stable path"), port.stablePath},
                                                       {tr("access"), access},
                                                       {tr("in use by"), holder}};
        for (const auto &[label, value] : details) {
            if (!value.isEmpty())
                console.print(QStringLiteral("      %1: %2").arg(label, value));
        }
    }

    console.print(QString());
    console.print(tr("COM names (links in %1):").arg(folders.ports));
    for (const ComMapping &mapping : comMappings(folders)) {
        // The link as the operator made it, then the device it leads to where that differs.
        QString line = QStringLiteral("  COM%1  %2").arg(mapping.number).arg(mapping.target);
        if (mapping.device.isEmpty())
            line += QStringLiteral("  ") + tr("(no such device)");
        else if (mapping.device != mapping.target)
            line += QStringLiteral("  (%1)").arg(mapping.device);
        console.print(line);
    }
}

int PortsCommand::find(const QStringList &devices, const LoggerSearch::Options &options, const QString &portsFolder,
                       Console &console, const Interruption *interruption)
{
    if (devices.isEmpty()) {
        console.tell(tr("There is no serial device to look on."));
        return ExitStatus::kFailure;
    }
    const QString speed = options.lineSettings.section(u',', 0, 0);
    console.tell(tr("Looking for a logger at %1 bit/s on %2; this takes up to %3 seconds.")
                     .arg(speed, devices.join(QStringLiteral(", ")))
                     .arg(double((options.listenTime + (options.probe ? options.readyTimeout : std::chrono::milliseconds(0)))
                                     .count()) / 1000.0));

    LoggerSearch search;
    QEventLoop loop;
    QObject::connect(&search, &LoggerSearch::finished, &loop, &QEventLoop::quit);
    if (interruption)
        QObject::connect(interruption, &Interruption::requested, &search, &LoggerSearch::cancel);
    search.start(devices, options);
    // A signal that came before the search started cancels it at once.
    if (interruption && interruption->signalNumber() != 0)
        search.cancel();
    loop.exec();

    bool found = false;
    for (const DeviceFinding &finding : search.findings()) {
        QString what;
        switch (finding.outcome) {
        case DeviceFinding::Outcome::HeardWakeUp:
            what = tr("logger found: it called (\"AT\")");
            break;
        case DeviceFinding::Outcome::AnsweredHandshake:
            what = tr("logger found: it answered the handshake (\"READY\")");
            break;
        case DeviceFinding::Outcome::NoAnswer:
            what = options.probe ? tr("no logger: no call, and no answer to the handshake") : tr("no logger called");
            break;
        case DeviceFinding::Outcome::NotOpened:
            what = tr("cannot be opened: %1").arg(finding.reason);
            break;
        case DeviceFinding::Outcome::LineLost:
            what = tr("the device went away");
            break;
        case DeviceFinding::Outcome::Listening:
        case DeviceFinding::Outcome::Asking:
        case DeviceFinding::Outcome::Cancelled:
            what = tr("not looked at to the end");
            break;
        }
        found = found || finding.isLogger();
        PortFolders folders = PortFolders::ofThisMachine();
        folders.ports = portsFolder;
        const QStringList names = comNamesOf(finding.device, folders);
        const QString label = names.isEmpty() ? finding.device
                                              : QStringLiteral("%1 (%2)").arg(finding.device, names.join(QStringLiteral(", ")));
        console.print(QStringLiteral("%1: %2").arg(label, what));
    }
    if (interruption && interruption->signalNumber() != 0) {
        console.tell(tr("The search was stopped by %1; every port is released.").arg(interruption->signalName()));
        return interruption->exitStatus();
    }
    if (!found) {
        console.tell(tr("No logger found."));
        return ExitStatus::kFailure;
    }
    return ExitStatus::kSuccess;
}

int PortsCommand::assign(const QString &comName, const QString &device, Console &console)
{
    const std::optional<int> number = LoggerPorts::comNumberOf(comName);
    if (!number)
        return CliUsage::error(console, QStringLiteral("ports"), tr("\"%1\" is no port name from COM1 to COM9").arg(comName));
    const Assignment assignment = assignComName(*number, device, PortFolders::ofThisMachine());
    switch (assignment.result) {
    case Assignment::Result::Assigned:
        console.print(tr("COM%1 now leads to %2").arg(*number).arg(assignment.target));
        return ExitStatus::kSuccess;
    case Assignment::Result::NoSerialDevice:
        console.tell(QStringLiteral("%1: %2").arg(device, LoggerPorts::problemOf(assignment.kind)));
        return ExitStatus::kTrouble;
    case Assignment::Result::NotALink:
        console.tell(tr("COM%1 cannot be assigned: %2 exists and is no link; it is left as it is")
                         .arg(*number)
                         .arg(assignment.error));
        return ExitStatus::kFailure;
    case Assignment::Result::Failed:
        break;
    }
    console.tell(tr("COM%1 cannot be assigned: %2").arg(*number).arg(assignment.error));
    return ExitStatus::kFailure;
}

int PortsCommand::remove(const QString &comName, Console &console)
{
    const std::optional<int> number = LoggerPorts::comNumberOf(comName);
    if (!number)
        return CliUsage::error(console, QStringLiteral("ports"), tr("\"%1\" is no port name from COM1 to COM9").arg(comName));
    const Removal removal = removeComName(*number, PortFolders::ofThisMachine());
    switch (removal.result) {
    case Removal::Result::Removed:
        console.print(tr("COM%1 no longer leads to %2").arg(*number).arg(removal.target));
        return ExitStatus::kSuccess;
    case Removal::Result::NotMapped:
        console.print(tr("COM%1 was not assigned; it leads to %2").arg(*number).arg(removal.target));
        return ExitStatus::kSuccess;
    case Removal::Result::NotALink:
        console.tell(tr("COM%1 cannot be removed: %2 is no link; it is left as it is").arg(*number).arg(removal.target));
        return ExitStatus::kFailure;
    case Removal::Result::Failed:
        break;
    }
    console.tell(tr("COM%1 cannot be removed: %2").arg(*number).arg(removal.error));
    return ExitStatus::kFailure;
}

} // namespace telvaro::cli
