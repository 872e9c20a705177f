#include "cli/logger_session.h"

#include "exchange/exchange_failure.h"
#include "files/auth_types.h"
#include "link/qt_serial_line.h"
#include "settings/settings_image.h"
#include "state/settings_state.h"

#include <QEventLoop>

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::settings;
using namespace telvaro::link;
using namespace telvaro::exchange;

namespace telvaro::cli {

LoggerSession::LoggerSession(const LoggerPort &port, const SessionSetup &setup)
    : m_port(port)
    , m_setup(setup)
    , m_session(setup.appFolder.withScriptFolder(m_scriptFolder.path()), std::make_unique<QtSerialLine>(setup.portsFolder))
{
    if (port.comNumber == 0)
        static_cast<QtSerialLine &>(m_session.line()).setFixedDevice(port.device);
    m_session.setTimings(setup.timings);
    m_session.setBoxes(this);
    LoadAuthTypes(state(), appFolder());
    connect(&screen(), &ScreenModel::statusTextSet, this, &LoggerSession::statusChanged);
    connect(&screen(), &ScreenModel::progressChanged, this, [this] {
        if (const std::optional<ScreenModel::Progress> &progress = screen().progress()) {
            m_lastProgress = progress;
            emit progressChanged(progress->done, progress->total);
        }
    });
}

LoggerSession::~LoggerSession()
{
    m_session.setBoxes(nullptr);
}

bool LoggerSession::read()
{
    m_findings.clear();
    return run(tr("read"), &ExchangeSession::startRead).succeeded();
}

void LoggerSession::stop(StopRequest how)
{
    if (m_stop && (*m_stop == StopRequest::AtOnce || how == StopRequest::Gracefully))
        return;
    m_stop = how;
    switch (m_session.requestStop(how)) {
    case ExchangeSession::StopResponse::FinishesWrite:
        emit stopping(tr("finishing the write"));
        return;
    case ExchangeSession::StopResponse::Stops:
    case ExchangeSession::StopResponse::NothingRuns:
        break;
    }
    emit stopping(how == StopRequest::AtOnce ? tr("stopping at once") : tr("stopping"));
}

DeviceSettings LoggerSession::settings() const
{
    return itemsOfImage(state());
}

LoggerSession::WriteResult LoggerSession::write(bool force)
{
    m_force = force;
    m_findings.clear();
    if (!m_scriptFolder.isValid()) {
        m_failure = tr("the script files have no folder to go to: %1").arg(m_scriptFolder.errorString());
        return WriteResult::Failed;
    }
    const ExchangeResult result = run(tr("write"), &ExchangeSession::startWrite);
    m_findings = result.findings;
    switch (result.outcome) {
    case ExchangeResult::Outcome::Succeeded:
        return WriteResult::Written;
    case ExchangeResult::Outcome::Declined:
        return WriteResult::Declined;
    case ExchangeResult::Outcome::Interrupted:
        return WriteResult::Interrupted;
    case ExchangeResult::Outcome::Failed:
        break;
    }
    return WriteResult::Failed;
}

ExchangeResult LoggerSession::run(const QString &heading, void (ExchangeSession::*start)(const PortChoice &))
{
    m_failure.clear();
    m_lastBlocks.clear();
    // A stop asked for between exchanges keeps the next from starting.
    m_interrupted = m_stop.has_value();
    if (m_interrupted) {
        ExchangeResult stopped;
        stopped.outcome = ExchangeResult::Outcome::Interrupted;
        return stopped;
    }
    const PortChoice choice{qint16(m_port.comNumber > 0 ? m_port.comNumber - 1 : 0), m_setup.baudIndex};
    QEventLoop loop;
    connect(&m_session, &ExchangeSession::finished, &loop, &QEventLoop::quit);
    (m_session.*start)(choice);
    loop.exec();
    const ExchangeResult result = m_session.lastResult().value_or(ExchangeResult{});
    m_log.append(QStringLiteral("# ") + heading);
    m_log += m_session.wireLog().readableLines();

    m_interrupted = result.outcome == ExchangeResult::Outcome::Interrupted;
    m_lastBlocks = result.failure.blocks;
    if (result.outcome == ExchangeResult::Outcome::Failed) {
        // Named as the command line was given the port: a device path is no "COM1".
        ExchangeFailure named = result.failure;
        named.port = m_port.name;
        if (m_port.comNumber == 0)
            named.device.clear();
        m_failure = describe(named, FailureReader::CommandLine);
    }
    return result;
}

bool LoggerSession::writeDespite(const QList<ValueFinding> &findings)
{
    for (const ValueFinding &finding : findings)
        note(describe(finding));
    return m_force;
}

QByteArray LoggerSession::exchangeLog() const
{
    return WireLog::fileBytes(m_log);
}

} // namespace telvaro::cli
