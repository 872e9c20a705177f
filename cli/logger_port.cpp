#include "cli/logger_port.h"

#include "link/port_names.h"

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
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
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

std::optional<QList<LoggerPort>> LoggerPorts::resolve(const QStringList &given, const QString &portsFolder,
                                                     QString *error)
{
    QList<LoggerPort> ports;
    ports.reserve(given.size());
    // Each device looked up once, and found again by a hash: a units file may name thousands.
    QHash<QString, qsizetype> portOfIdentity;
    for (const QString &name : given) {
        LoggerPort port;
        if (looksLikeComName(name)) {
            const std::optional<int> number = comNumberOf(name);
            if (!number) {
                *error = tr("\"%1\" is no port name from COM1 to COM9").arg(name);
                return std::nullopt;
            }
            port = {QStringLiteral("COM%1").arg(*number), *number, PortNames::deviceFor(*number, portsFolder)};
        } else {
            port = {name, 0, name};
        }
        const QString identity = port.identity();
        if (const auto earlier = portOfIdentity.constFind(identity); earlier != portOfIdentity.constEnd()) {
            *error = tr("%1 and %2 lead to the same device, %3").arg(ports.at(*earlier).name, port.name, identity);
            return std::nullopt;
        }
        portOfIdentity.insert(identity, ports.size());
        ports.append(port);
    }
    return ports;
}

} // namespace telvaro::cli
