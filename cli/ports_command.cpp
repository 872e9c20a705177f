#include "cli/ports_command.h"

#include "cli/console.h"
#include "cli/logger_port.h"
#include "ports/com_mapping.h"
#include "ports/serial_ports.h"

using namespace telvaro::ports;

namespace telvaro::cli {

namespace {

const QString kAssign = QStringLiteral("assign");
const QString kRemove = QStringLiteral("remove");

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
    return {QStringLiteral("ports"), QStringLiteral("[DEVICE]"),
            tr("List the serial ports and the COM names that lead to them, or assign a COM name."),
            [](QCommandLineParser &parser) {
                parser.addOption({kAssign,
                                  tr("Make COMn (COM1 to COM9) lead to DEVICE, by its stable /dev/serial/by-id "
                                     "name where it has one, as the port dialog of the window uses it."),
                                  QStringLiteral("COMn")});
                parser.addOption({kRemove, tr("Remove the link that makes COMn lead to a device."), QStringLiteral("COMn")});
                parser.addPositionalArgument(QStringLiteral("DEVICE"), tr("With --assign: the serial device, e.g. /dev/ttyUSB0."));
            },
            &PortsCommand::run};
}

int PortsCommand::run(const QCommandLineParser &parser, Console &console)
{
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
