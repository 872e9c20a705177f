#include "link/port_names.h"

#include "base/run_time_error.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace PortNames {

QString defaultPortsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/telvaro/ports");
}

QString deviceFor(int portNumber, const QString &portsFolder)
{
    if (portNumber < 1)
        throw RunTimeError(QStringLiteral("port number %1 is below 1").arg(portNumber));
#ifdef Q_OS_WIN
    Q_UNUSED(portsFolder);
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const QFileInfo mapping(QDir(portsFolder).filePath(QStringLiteral("com%1").arg(portNumber)));
    // A mapping whose device is gone (adapter unplugged) still names this port: opening it must
    // fail rather than fall back to some other serial port of the machine.
    if (mapping.isSymLink())
        return mapping.exists() ? mapping.canonicalFilePath() : mapping.absoluteFilePath();
    if (mapping.exists())
        return mapping.absoluteFilePath();
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

} // namespace PortNames
