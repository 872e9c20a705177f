#include "link/port_names.h"

#include "base/run_time_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#endif

using namespace telvaro::base;

namespace telvaro::link {

namespace PortNames {

QString defaultPortsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/telvaro/ports");
}

QString linkPath(int portNumber, const QString &portsFolder)
{
    return QDir(portsFolder).filePath(QStringLiteral("com%1").arg(portNumber));
}

QString deviceFor(int portNumber, const QString &portsFolder)
{
    if (portNumber < 1)
        throw RunTimeError(QStringLiteral("port number %1 is below 1").arg(portNumber));
#ifdef Q_OS_WIN
    Q_UNUSED(portsFolder);
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const QFileInfo mapping(linkPath(portNumber, portsFolder));
    // A mapping whose device is gone (adapter unplugged) still names this port: opening it must
    // fail rather than fall back to some other serial port of the machine.
    if (mapping.isSymLink())
        return mapping.exists() ? mapping.canonicalFilePath() : mapping.absoluteFilePath();
    if (mapping.exists())
        return mapping.absoluteFilePath();
    return QStringLiteral("/dev/ttyS%1").arg(portNumber - 1);
#endif
}

bool mapPort(int portNumber, const QString &device, const QString &portsFolder, QString *error)
{
#ifdef Q_OS_WIN
    Q_UNUSED(portNumber);
    Q_UNUSED(device);
    Q_UNUSED(portsFolder);
    *error = QStringLiteral("ports are named by Windows itself");
    return false;
#else
    if (portNumber < 1) {
        *error = QStringLiteral("no port number %1: ports count from 1").arg(portNumber);
        return false;
    }
    if (!QDir().mkpath(portsFolder)) {
        *error = QStringLiteral("cannot create the ports folder %1").arg(portsFolder);
        return false;
    }
    const QString link = linkPath(portNumber, portsFolder);
    const QFileInfo existing(link);
    if (existing.exists() && !existing.isSymLink()) {
        *error = QStringLiteral("%1 exists and is no link; it is left as it is").arg(link);
        return false;
    }
    // A new link under a passing name, renamed over the old one: the mapping never goes missing.
    const QByteArray target = QFile::encodeName(device);
    const QByteArray linkName = QFile::encodeName(link);
    const QByteArray fresh = linkName + ".new";
    ::unlink(fresh.constData());
    if (::symlink(target.constData(), fresh.constData()) != 0
        || std::rename(fresh.constData(), linkName.constData()) != 0) {
        *error = QStringLiteral("cannot link %1 to %2: %3")
                     .arg(link, device, QString::fromLocal8Bit(std::strerror(errno)));
        ::unlink(fresh.constData());
        return false;
    }
    return true;
#endif
}

bool unmapPort(int portNumber, const QString &device, const QString &portsFolder)
{
    const QFileInfo mapping(linkPath(portNumber, portsFolder));
    if (!mapping.isSymLink() || mapping.symLinkTarget() != QFileInfo(device).absoluteFilePath())
        return false;
    return QFile::remove(mapping.absoluteFilePath());
}

} // namespace PortNames

} // namespace telvaro::link
