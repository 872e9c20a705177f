#pragma once

#include "link/port_open_failure.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>

namespace telvaro::ports {

struct DeviceProbe;

// The devices a search tries, each once: the listed serial ports, then the devices COM1..COM9
// lead to through portsFolder. Every one is given by its canonical path, which is also what
// lock files are named after; a device that does not exist is left out.
QStringList searchCandidates(const QStringList &listedDevices, const QString &portsFolder);

// What the search made of one device.
struct DeviceFinding
{
    enum class Outcome {
        Listening,         // the port is open and the search waits for "AT"
        Asking,            // no "AT" came: the handshake went out, the search waits for "READY"
        HeardWakeUp,       // a logger called with "AT" (nothing was sent)
        AnsweredHandshake, // a logger answered the handshake with "READY"
        NoAnswer,          // nothing that sounds like a logger
        NotOpened,         // see problem and reason
        LineLost,          // the device went away while the search listened
        Cancelled,
    };

    QString device;
    Outcome outcome = Outcome::Listening;
    link::PortOpenFailure::Problem problem = link::PortOpenFailure::Problem::Other; // of NotOpened
    QString reason;                                                               // of NotOpened

    bool isLogger() const { return outcome == Outcome::HeardWakeUp || outcome == Outcome::AnsweredHandshake; }
    bool isDone() const { return outcome != Outcome::Listening && outcome != Outcome::Asking; }
};

// Looks for a logger on every given device at once, on the thread's event loop. Each device is
// opened under its lock file (a device another program holds is left alone and reported), then
// the search listens for the "AT" a waiting logger sends. Only where asked to, and only where
// no "AT" came, it sends the handshake that opens every exchange and waits for "READY"; nothing
// else ever goes out. Each port and its lock are released as soon as its device is done, and
// all of them on cancel() or when the search is destroyed.
class LoggerSearch : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        QString lineSettings = QStringLiteral("9600,N,8,1");
        bool probe = false; // send the handshake where no "AT" came
        // A waiting logger calls every half second or so: five seconds hear it for sure.
        std::chrono::milliseconds listenTime{5000};
        // The exchange's own time-out for "READY" (base/timings.h).
        std::chrono::milliseconds readyTimeout;
        QString lockFolder;

        Options();
        // The same search with both waits multiplied by factor.
        Options scaled(double factor) const;
    };

    explicit LoggerSearch(QObject *parent = nullptr);
    ~LoggerSearch() override;

    // Starts a search of the devices; a search already running is cancelled first. Devices that
    // cannot be opened are reported at once, through deviceChanged().
    void start(const QStringList &devices, const Options &options);
    // Ends the search now: every port and lock is released before this returns, devices not yet
    // done are Cancelled, and finished() follows from the event loop.
    void cancel();
    bool isRunning() const { return m_running; }

    // One per device given to start(), in the same order.
    const QList<DeviceFinding> &findings() const { return m_findings; }

signals:
    void deviceChanged(int index);
    // Emitted from the event loop once every device is done, or the search was cancelled.
    void finished();

private:
    void listen(int index);
    void onWakeUp(int index, bool heard);
    void onReady(int index, bool answered);
    void finish(int index, DeviceFinding::Outcome outcome);
    void endIfAllDone();
    void releaseAll();

    Options m_options;
    QList<DeviceFinding> m_findings;
    // Children of the search, one per device; a search started afresh from a handler of the
    // old one leaves the old ones to the event loop to delete.
    QList<DeviceProbe *> m_probes;
    bool m_running = false;
    int m_generation = 0; // a finished() queued by an earlier search is not this one's
};

} // namespace telvaro::ports
