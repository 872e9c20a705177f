#include "ports/serial_ports.h"

#include "link/port_names.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace telvaro::link;

namespace telvaro::ports {

namespace {

// Whether a character device is a terminal. The kernel files every serial port in sysfs with
// its class, so a real line is never opened here (opening one raises its modem lines); a
// device sysfs does not list (a pseudo-terminal) is opened without becoming the controlling
// terminal, and asked.
bool isTerminal(const QString &path, dev_t device)
{
    const QString entry = QStringLiteral("/sys/dev/char/%1:%2").arg(major(device)).arg(minor(device));
    if (QFileInfo(entry).isDir())
        return QFileInfo(entry + QStringLiteral("/subsystem")).canonicalFilePath().endsWith(QStringLiteral("/tty"));
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool terminal = ::isatty(descriptor) == 1;
    ::close(descriptor);
    return terminal;
}

QString canonicalOrAsGiven(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// Whether this user may read and write the device, asked without opening it.
void noteAccess(SerialDevice &device)
{
    const QByteArray path = QFile::encodeName(device.device);
    if (::access(path.constData(), R_OK | W_OK) == 0)
        return;
    const int error = errno;
    if (error == EACCES) {
        device.access = SerialDevice::Access::PermissionDenied;
        struct stat status {};
        if (::stat(path.constData(), &status) == 0) {
            if (const group *owners = ::getgrgid(status.st_gid))
                device.accessGroup = QString::fromLocal8Bit(owners->gr_name);
        }
        return;
    }
    device.access = SerialDevice::Access::Unusable;
    device.accessReason = QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

DeviceKind deviceKindOf(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return DeviceKind::Missing;
    if (S_ISDIR(status.st_mode))
        return DeviceKind::Folder;
    if (S_ISREG(status.st_mode))
        return DeviceKind::File;
    if (!S_ISCHR(status.st_mode) || !isTerminal(path, status.st_rdev))
        return DeviceKind::NotTerminal;
    return DeviceKind::SerialDevice;
}

bool isCharacterDevice(const QString &path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
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

ComMapping comMapping(int number, const PortFolders &folders)
{
    ComMapping mapping;
    mapping.number = number;
    const QFileInfo link(PortNames::linkPath(number, folders.ports));
    if (link.isSymLink()) {
        mapping.target = link.symLinkTarget();
        mapping.device = link.canonicalFilePath();
        mapping.state = mapping.device.isEmpty() ? ComMapping::State::Missing : ComMapping::State::Mapped;
    } else if (link.exists()) {
        mapping.target = link.absoluteFilePath();
        mapping.state = ComMapping::State::NotALink;
    } else {
        mapping.target = PortNames::deviceFor(number, folders.ports);
        mapping.device = QFileInfo(mapping.target).canonicalFilePath();
    }
    return mapping;
}

QList<ComMapping> comMappings(const PortFolders &folders)
{
    QList<ComMapping> mappings;
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number)
        mappings.append(comMapping(number, folders));
    return mappings;
}

QStringList comNamesOf(const QString &device, const PortFolders &folders)
{
    const QString wanted = canonicalOrAsGiven(device);
    QStringList names;
    for (const ComMapping &mapping : comMappings(folders)) {
        if (!mapping.device.isEmpty() && mapping.device == wanted)
            names.append(QStringLiteral("COM%1").arg(mapping.number));
    }
    return names;
}

QList<SerialDevice> serialDevices(const PortFolders &folders)
{
    QList<SerialDevice> devices;
    QHash<QString, qsizetype> indexOf;
    const auto add = [&](const QString &path) -> SerialDevice * {
        const QString device = canonicalOrAsGiven(path);
        if (const auto known = indexOf.constFind(device); known != indexOf.constEnd())
            return &devices[*known];
        if (!isCharacterDevice(device))
            return nullptr;
        indexOf.insert(device, devices.size());
        SerialDevice &added = devices.emplace_back();
        added.device = device;
        return &added;
    };

    if (folders.systemPorts) {
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
            if (SerialDevice *device = add(info.systemLocation())) {
                device->description = info.description();
                device->maker = info.manufacturer();
                device->serialNumber = info.serialNumber();
                if (info.hasVendorIdentifier())
                    device->vendorId = info.vendorIdentifier();
                if (info.hasProductIdentifier())
                    device->productId = info.productIdentifier();
            }
        }
    }
    const QFileInfoList byId = QDir(folders.byId).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : byId) {
        if (SerialDevice *device = add(entry.absoluteFilePath()); device && device->stablePath.isEmpty())
            device->stablePath = entry.absoluteFilePath();
    }
    for (const ComMapping &mapping : comMappings(folders)) {
        if (mapping.device.isEmpty())
            continue;
        // The default names (/dev/ttyS<n-1>) count only for a port the system lists.
        SerialDevice *device = mapping.state == ComMapping::State::Default ? nullptr : add(mapping.device);
        if (!device) {
            if (const auto known = indexOf.constFind(mapping.device); known != indexOf.constEnd())
                device = &devices[*known];
        }
        if (device)
            device->comNumbers.append(mapping.number);
    }

    const PortLock locks(folders.locks);
    for (SerialDevice &device : devices) {
        noteAccess(device);
        device.holder = locks.holderOf(device.device);
    }

    QCollator order;
    order.setNumericMode(true);
    std::sort(devices.begin(), devices.end(),
              [&order](const SerialDevice &a, const SerialDevice &b) { return order.compare(a.device, b.device) < 0; });
    return devices;
}

} // namespace telvaro::ports
