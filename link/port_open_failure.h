#pragma once

#include <QString>

namespace telvaro::link {

// A serial port that could not be opened, and why, in terms the operator can act on. A foreseen
// outcome of opening a port, so it is a value rather than an exception.
struct PortOpenFailure
{
    enum class Problem {
        NoSuchDevice,     // nothing is there: the adapter is unplugged, or another port is meant
        PermissionDenied, // the user may not use the device (on Debian: not in the dialout group)
        InUse,            // another program holds it
        Other,
    };

    QString device;
    Problem problem = Problem::Other;
    // The system's own words; for a port in use, who holds it where that is known.
    QString reason;
    // For a port in use: the program that holds it by its lock file, where one does.
    qint64 holderPid = 0;
    QString holderProgram;
    QString lockFile;
    // For a port whose mapping link leads nowhere: where the link leads, as it was made.
    QString missingTarget;

    QString text() const { return QStringLiteral("cannot open %1: %2").arg(device, reason); }
};

} // namespace telvaro::link
