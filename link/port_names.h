#pragma once

#include <QString>

namespace telvaro::link {

// Where the port numbers of the operator (1 = COM1) lead on this machine.
namespace PortNames {

// The folder of the port mapping links: <config>/telvaro/ports, e.g. ~/.config/telvaro/ports.
QString defaultPortsFolder();

// The entry that maps port number n: <portsFolder>/com<n>.
QString linkPath(int portNumber, const QString &portsFolder);

// The device to open for port number n: "COMn" on Windows; elsewhere <portsFolder>/comn
// when that entry exists (a link to the real device), else /dev/ttyS(n-1).
// Throws RunTimeError for a port number below 1.
QString deviceFor(int portNumber, const QString &portsFolder);

// Maps port number n to a device by the symbolic link <portsFolder>/com<n>. An earlier link
// there is replaced in one step; anything else there is left alone and reported.
bool mapPort(int portNumber, const QString &device, const QString &portsFolder, QString *error);

// Removes the link that maps port number n, but only while it still leads to device: a mapping
// someone has made since then is left alone. True when the link is gone.
bool unmapPort(int portNumber, const QString &device, const QString &portsFolder);

} // namespace PortNames

} // namespace telvaro::link
