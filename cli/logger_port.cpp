#include "cli/logger_port.h"

#include "link/port_names.h"
#include "ports/serial_ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

using namespace telvaro::link;

namespace telvaro::cli {

namespace {

constexpr int kFirstCom = 1;
constexpr int kLastCom = 9;

const QRegularExpression &comName()
{
    static const QRegularExpression pattern(QStringLiteral("^COM([0-9]+)$"), QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

QString LoggerPort::identity() const
{
    const QFileInfo info(device);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString LoggerPort::label() const
{
    return comNumber > 0 ? QStringLiteral("%1 (%2)").arg(name, device) : name;
}

std::optional<int> LoggerPorts::comNumberOf(const QString &name)
{
    const QRegularExpressionMatch match = comName().match(name);
    if (!match.hasMatch())
        return std::nullopt;
    const int number = match.captured(1).toInt();
    if (number < kFirstCom || number > kLastCom)
        return std::nullopt;
    return number;
}

bool LoggerPorts::looksLikeComName(const QString &name)
{
    return comName().match(name).hasMatch();
}

QString LoggerPorts::deviceProblem(const QString &path)
{
    return problemOf(ports::deviceKindOf(path));
}

QString LoggerPorts::problemOf(ports::DeviceKind kind)
{
    switch (kind) {
    case ports::DeviceKind::Missing:
        return tr("there is no such device");
    case ports::DeviceKind::Folder:
        return tr("it is a folder, not a serial device");
    case ports::DeviceKind::File:
        return tr("it is a file, not a serial device");
    case ports::DeviceKind::NotTerminal:
        return tr("it is no terminal device, so no serial port");
    case ports::DeviceKind::SerialDevice:
        break;
    }
    return {};
}

std::optional<QList<LoggerPort>> LoggerPorts::resolve(const QStringList &given, const QString &portsFolder,
                                                     QString *error)
{
    QList<LoggerPort> ports;
    ports.reserve(given.size());
    // Each device looked up once, and found again by a hash: a units file may name thousands.
    QHash<QString, qsizetype> portOfIdentity;
    for (const QString &name : given) {
        LoggerPort port;
        if (name.trimmed().isEmpty()) {
            *error = tr("a port is empty: give COM1 to COM9 or the path of a serial device");
            return std::nullopt;
        }
        if (looksLikeComName(name)) {
            const std::optional<int> number = comNumberOf(name);
            if (!number) {
                *error = tr("\"%1\" is no port name from COM1 to COM9").arg(name);
                return std::nullopt;
            }
            port = {QStringLiteral("COM%1").arg(*number), *number, PortNames::deviceFor(*number, portsFolder)};
        } else if (name.contains(u'/')) {
            port = {name, 0, name};
        } else {
            // "ttyUSB0" or "3" would be a file of the current folder: surely not what was meant.
            *error = tr("\"%1\" is no port: give COM1 to COM9 or the path of a serial device, such as /dev/ttyUSB0")
                         .arg(name);
            return std::nullopt;
        }
        const QString identity = port.identity();
        if (const auto earlier = portOfIdentity.constFind(identity); earlier != portOfIdentity.constEnd()) {
            *error = tr("%1 and %2 lead to the same device, %3").arg(ports.at(*earlier).name, port.name, identity);
            return std::nullopt;
        }
        portOfIdentity.insert(identity, ports.size());
        ports.append(port);
    }
    // Then the devices, once every name is known good: a mistake in the names is told first.
    for (const LoggerPort &port : std::as_const(ports)) {
        if (const QString problem = deviceProblem(port.device); !problem.isEmpty()) {
            *error = QStringLiteral("%1: %2").arg(port.label(), problem);
            return std::nullopt;
        }
    }
    return ports;
}

} // namespace telvaro::cli
