#pragma once

#include "link/link.h"
#include "link/qt_serial_line.h"
#include "support/pty_peer.h"
#include "support/telvaro_names.h"

#include <QTemporaryDir>

// The tool's link on its real serial port, the far end a PtyPeer the test drives, mapped as
// port portNumber in a ports folder of its own. The port is left for the test to open.
struct PtyLink
{
    explicit PtyLink(int portNumber) : line(ports.path()), link(line)
    {
        valid = peer.isValid() && peer.mapAsPort(ports.path(), portNumber);
    }

    QTemporaryDir ports;
    PtyPeer peer;
    QtSerialLine line;
    Link link;
    bool valid = false;
};
