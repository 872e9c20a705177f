#pragma once

#include <QString>

namespace telvaro::ports {

// The names the port dialog offers: COM1 to COM9.
inline constexpr int kFirstComNumber = 1;
inline constexpr int kLastComNumber = 9;

// Where the serial ports of this machine are found and named. Tests point each at a temporary
// folder of their own.
struct PortFolders
{
    // udev's link per adapter, named by its maker, model and serial number: the same adapter
    // keeps the same name whichever USB socket it is plugged into.
    QString byId;
    QString dev;   // where adapters appear and go: watched, never listed by itself
    QString ports; // the COM links (link::PortNames)
    QString locks; // the serial lock files (link::PortLock)
    // Also the ports the system knows by itself (QSerialPortInfo); tests list only their own.
    bool systemPorts = true;

    static PortFolders ofThisMachine();
};

} // namespace telvaro::ports
