#pragma once

#include <QList>
#include <QString>

namespace telvaro::cli {

// The serial ports of this machine, as `telvaro-cli ports` lists them.

// Where udev keeps a link per serial adapter, named by its maker, model and serial number: the
// same adapter keeps the same name whichever USB socket it is plugged into.
inline const QString kSerialByIdFolder = QStringLiteral("/dev/serial/by-id");

struct SerialPortListing
{
    QString device; // /dev/ttyUSB0
    QString description;
    QString maker;
    QString serialNumber;
    QString stablePath; // under kSerialByIdFolder, or empty
};

QList<SerialPortListing> serialPortsOfThisMachine();

// The entry of byIdFolder that leads to the same device as path, or an empty string.
QString stablePathOf(const QString &path, const QString &byIdFolder);

// True for a character device (a serial port, a pseudo-terminal), false for anything else.
bool isCharacterDevice(const QString &path);

} // namespace telvaro::cli
