#include "ports/logger_search.h"

#include "base/run_time_error.h"
#include "base/timings.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "link/port_names.h"
#include "link/qt_serial_line.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QTimer>

using namespace telvaro::base;
using namespace telvaro::link;

namespace telvaro::ports {

Q_LOGGING_CATEGORY(lcSearch, "telvaro.ports.search", QtInfoMsg)

namespace {

// The port dialog's names.
constexpr int kFirstPort = 1;
constexpr int kLastPort = 9;

} // namespace

QStringList searchCandidates(const QStringList &listedDevices, const QString &portsFolder)
{
    QStringList paths = listedDevices;
    for (int number = kFirstPort; number <= kLastPort; ++number)
        paths.append(PortNames::deviceFor(number, portsFolder));
    QStringList candidates;
    for (const QString &path : paths) {
        const QString device = QFileInfo(path).canonicalFilePath();
        if (!device.isEmpty() && !candidates.contains(device))
            candidates.append(device);
    }
    return candidates;
}

// One device's port and the waits on it.
struct DeviceProbe : QObject
{
    DeviceProbe(const QString &device, const QString &lockFolder, QObject *parent)
        : QObject(parent)
#ifdef Q_OS_UNIX
        , line(QString(), lockFolder)
#else
        , line(QString())
#endif
    {
#ifndef Q_OS_UNIX
        Q_UNUSED(lockFolder);
#endif
        line.setFixedDevice(device);
    }

    QtSerialLine line;
    Link link{line}; // after the line it waits on, so it goes first
};

LoggerSearch::Options::Options()
    : readyTimeout(ExchangeTimings{}.readyTimeout)
#ifdef Q_OS_UNIX
    , lockFolder(PortLock::defaultFolder())
#endif
{
}

LoggerSearch::Options LoggerSearch::Options::scaled(double factor) const
{
    Options result = *this;
    result.listenTime = scaledDuration(listenTime, factor);
    result.readyTimeout = scaledDuration(readyTimeout, factor);
    return result;
}

LoggerSearch::LoggerSearch(QObject *parent) : QObject(parent) {}

LoggerSearch::~LoggerSearch()
{
    releaseAll();
}

void LoggerSearch::start(const QStringList &devices, const Options &options)
{
    cancel();
    for (DeviceProbe *probe : std::as_const(m_probes)) {
        if (probe)
            probe->deleteLater();
    }
    m_probes.clear();
    m_findings.clear();
    m_options = options;
    m_running = true;
    ++m_generation;

    for (const QString &device : devices) {
        DeviceFinding finding;
        finding.device = device;
        m_findings.append(finding);
        m_probes.append(new DeviceProbe(device, options.lockFolder, this));
    }
    for (int index = 0; index < m_findings.size(); ++index)
        listen(index);
    endIfAllDone();
}

void LoggerSearch::listen(int index)
{
    DeviceProbe &probe = *m_probes.at(index);
    std::optional<PortOpenFailure> notOpened;
    try {
        notOpened = probe.link.openPort(1, m_options.lineSettings);
    } catch (const RunTimeError &error) {
        notOpened = PortOpenFailure();
        notOpened->device = m_findings.at(index).device;
        notOpened->reason = QString::fromStdString(error.what());
    }
    if (notOpened) {
        m_findings[index].problem = notOpened->problem;
        m_findings[index].reason = notOpened->reason;
        finish(index, DeviceFinding::Outcome::NotOpened);
        return;
    }
    // Whatever the driver kept from before the port opened is no call of a logger there now.
    probe.link.discardInput();
    probe.link.WaitForReply(QStringLiteral("AT") + LineCRLF, m_options.listenTime,
                            [this, index](ReplyResult result) { onWakeUp(index, result == ReplyResult::Received); });
    emit deviceChanged(index);
}

void LoggerSearch::onWakeUp(int index, bool heard)
{
    DeviceProbe &probe = *m_probes.at(index);
    if (heard)
        return finish(index, DeviceFinding::Outcome::HeardWakeUp);
    if (!probe.link.isPortOpen())
        return finish(index, DeviceFinding::Outcome::LineLost);
    if (!m_options.probe)
        return finish(index, DeviceFinding::Outcome::NoAnswer);
    // The handshake alone, exactly as an exchange begins: a logger answers it even when it does
    // not call, and it commits the logger to nothing.
    probe.link.sendText(LineCR + QStringLiteral("CONNECT") + LineCR);
    m_findings[index].outcome = DeviceFinding::Outcome::Asking;
    emit deviceChanged(index);
    probe.link.WaitForReply(QStringLiteral("READY") + LineCRLF, m_options.readyTimeout,
                            [this, index](ReplyResult result) { onReady(index, result == ReplyResult::Received); });
}

void LoggerSearch::onReady(int index, bool answered)
{
    if (answered)
        return finish(index, DeviceFinding::Outcome::AnsweredHandshake);
    finish(index, m_probes.at(index)->link.isPortOpen() ? DeviceFinding::Outcome::NoAnswer
                                                         : DeviceFinding::Outcome::LineLost);
}

void LoggerSearch::finish(int index, DeviceFinding::Outcome outcome)
{
    m_probes.at(index)->link.releasePort();
    m_findings[index].outcome = outcome;
    qCDebug(lcSearch).noquote() << m_findings.at(index).device << "done:" << int(outcome);
    emit deviceChanged(index);
    endIfAllDone();
}

void LoggerSearch::endIfAllDone()
{
    if (!m_running)
        return;
    for (const DeviceFinding &finding : std::as_const(m_findings)) {
        if (!finding.isDone())
            return;
    }
    m_running = false;
    // From the event loop: a handler of finished() may start another search or delete this one.
    QTimer::singleShot(0, this, [this, generation = m_generation] {
        if (generation == m_generation && !m_running)
            emit finished();
    });
}

void LoggerSearch::cancel()
{
    if (!m_running)
        return;
    releaseAll();
    for (int index = 0; index < m_findings.size(); ++index) {
        if (!m_findings.at(index).isDone()) {
            m_findings[index].outcome = DeviceFinding::Outcome::Cancelled;
            emit deviceChanged(index);
        }
    }
    endIfAllDone();
}

void LoggerSearch::releaseAll()
{
    for (DeviceProbe *probe : std::as_const(m_probes)) {
        if (probe)
            probe->link.releasePort();
    }
}

} // namespace telvaro::ports
