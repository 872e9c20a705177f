#include "simulator/com_port_mapping.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <cstdio>
#include <unistd.h>

QString comPortLinkPath(const QString &portsFolder, int number)
{
    return QDir(portsFolder).filePath(QStringLiteral("com%1").arg(number));
}

bool mapComPort(const QString &portsFolder, int number, const QString &device, QString *error)
{
    if (number < 1) {
        *error = QStringLiteral("no port number %1: ports count from 1").arg(number);
        return false;
    }
    if (!QDir().mkpath(portsFolder)) {
        *error = QStringLiteral("cannot create the ports folder %1").arg(portsFolder);
        return false;
    }
    const QString link = comPortLinkPath(portsFolder, number);
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
}
