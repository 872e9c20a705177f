#pragma once

#include "ports/port_folders.h"
#include "ports/serial_ports.h"

#include <QString>

namespace telvaro::ports {

// A COM name given to a device, or why not.
struct Assignment
{
    enum class Result {
        Assigned,
        NoSerialDevice, // kind says what is there instead
        NotALink,       // something of the operator's stands where the link goes: left alone
        Failed,         // error: the system's words
    };

    Result result = Result::Failed;
    QString target; // what the COM link names
    DeviceKind kind = DeviceKind::SerialDevice;
    QString error;
};

// Makes COM<number> lead to device: by its stable by-id name where it has one, since a kernel
// name such as /dev/ttyUSB0 changes with the order of plugging in; a link of the operator's own
// (a udev rule's name) is kept as given.
Assignment assignComName(int number, const QString &device, const PortFolders &folders);

// A COM name's link taken away, or why not.
struct Removal
{
    enum class Result {
        Removed,
        NotMapped, // there was no link: the name leads to its default device
        NotALink,  // something of the operator's stands there: left alone
        Failed,
    };

    Result result = Result::Failed;
    QString target; // what the link named, or what stands there
    QString error;
};

Removal removeComName(int number, const PortFolders &folders);

} // namespace telvaro::ports
