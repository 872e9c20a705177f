#include "cli/serial_ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <sys/stat.h>

namespace telvaro::cli {

QList<SerialPortListing> serialPortsOfThisMachine()
{
    QList<SerialPortListing> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        ports.append({info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber(),
                      stablePathOf(info.systemLocation(), kSerialByIdFolder)});
    }
    return ports;
}

QString stablePathOf(const QString &path, const QString &byIdFolder)
{
    const QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        return {};
    const QFileInfoList entries = QDir(byIdFolder).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.canonicalFilePath() == device)
            return entry.absoluteFilePath();
    }
    return {};
}

bool isCharacterDevice(const QString &path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
}

} // namespace telvaro::cli
