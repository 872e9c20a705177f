#pragma once

#include "base/run_time_error.h"

#include <QString>

// A serial port that could not be opened, and why, in terms the operator can act on.
class PortOpenError : public RunTimeError
{
public:
    enum class Problem {
        NoSuchDevice,     // nothing is there: the adapter is unplugged, or another port is meant
        PermissionDenied, // the user may not use the device (on Debian: not in the dialout group)
        InUse,            // another program holds it
        Other,
    };

    PortOpenError(const QString &device, Problem problem, const QString &reason)
        : RunTimeError(QStringLiteral("cannot open %1: %2").arg(device, reason))
        , m_device(device)
        , m_problem(problem)
        , m_reason(reason)
    {
    }

    const QString &device() const { return m_device; }
    Problem problem() const { return m_problem; }
    // The system's own words; for a port in use, who holds it where that is known.
    const QString &reason() const { return m_reason; }

private:
    QString m_device;
    Problem m_problem;
    QString m_reason;
};
