#pragma once

#include "link/port_lock.h"
#include "ports/port_folders.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace telvaro::ports {

// What is at a path, for a logger's line: only a terminal device can carry one.
enum class DeviceKind { SerialDevice, Missing, Folder, File, NotTerminal };

// Nothing is opened that could reach a logger: a serial port's modem lines stay as they are.
DeviceKind deviceKindOf(const QString &path);

// True for a character device (a serial port, a pseudo-terminal), false for anything else.
bool isCharacterDevice(const QString &path);

// The entry of byIdFolder that leads to the same device as path, or an empty string.
QString stablePathOf(const QString &path, const QString &byIdFolder);

// One serial device of this machine and what the operator needs to know to pick it.
struct SerialDevice
{
    enum class Access {
        Usable,
        PermissionDenied, // the user is not in the device's group (on Debian: dialout)
        Unusable,         // accessReason says why
    };

    QString device; // the device itself, every link followed: /dev/ttyUSB0
    QString description;
    QString maker;
    std::optional<quint16> vendorId; // USB ids, where the system knows them
    std::optional<quint16> productId;
    QString serialNumber;
    QString stablePath; // under the by-id folder, or empty
    Access access = Access::Usable;
    QString accessGroup;  // the group that may use the device, where permission is missing
    QString accessReason; // the system's words, where it is unusable otherwise
    std::optional<link::LockHolder> holder; // the running program that holds it
    QList<int> comNumbers;                  // the COM names that lead to it, in order

    friend bool operator==(const SerialDevice &, const SerialDevice &) = default;
};

// Every serial device: those the system lists, those of the by-id folder and those a COM name
// leads to, each once, in the order of their names (ttyUSB2 before ttyUSB10).
QList<SerialDevice> serialDevices(const PortFolders &folders);

// Where a COM name leads now.
struct ComMapping
{
    enum class State {
        Default,  // no link: the name leads to /dev/ttyS<n-1>
        Mapped,   // a link to a device that is there
        Missing,  // a link to a device that is not there (an unplugged adapter)
        NotALink, // something else of the operator's stands there
    };

    int number = 0;
    State state = State::Default;
    QString target; // as the link names it; the default device for State::Default
    QString device; // the device reached, every link followed; empty when there is none

    friend bool operator==(const ComMapping &, const ComMapping &) = default;
};

ComMapping comMapping(int number, const PortFolders &folders);
QList<ComMapping> comMappings(const PortFolders &folders);
// "COM3" and the other COM names that lead to the device, in order.
QStringList comNamesOf(const QString &device, const PortFolders &folders);

} // namespace telvaro::ports
