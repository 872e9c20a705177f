#pragma once

#include <QtGlobal>

namespace telvaro::base {

// The serial port and line speed the operator chose: PortIndex 0 is COM1, BaudIndex indexes
// the speed table. The values are kept as stored, also when no list entry matches them; the
// exchange reports what it cannot open.
struct PortChoice
{
    qint16 PortIndex = 0;
    qint16 BaudIndex = 0;

    friend bool operator==(const PortChoice &, const PortChoice &) = default;
};

} // namespace telvaro::base
