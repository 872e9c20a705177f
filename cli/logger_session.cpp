#include "cli/logger_session.h"

#include "exchange/exchange_failure.h"
#include "exchange/exchange_log.h"
#include "exchange/modal_boxes.h"
#include "exchange/read_sequence.h"
#include "exchange/write_sequence.h"
#include "files/auth_types.h"
#include "link/link.h"
#include "link/qt_serial_line.h"
#include "model/screen_lock.h"
#include "model/screen_model.h"
#include "settings/settings_image.h"
#include "state/settings_state.h"

// What the sequences put to an operator, answered without one: a message box ends an exchange,
// and values that look wrong go out only when the write is forced.
class SessionFrontEnd : public ModalBoxes
{
public:
    explicit SessionFrontEnd(LoggerSession &session) : m_session(session) {}

    // The window's own texts; what happened is in the failure's facts.
    void showMessage(const QString &) override {}
    void showFailure(const QString &, const ExchangeFailure &failure) override
    {
        // Named as the command line was given the port: a device path is no "COM1".
        ExchangeFailure named = failure;
        named.port = m_session.m_port.name;
        if (m_session.m_port.comNumber == 0)
            named.device.clear();
        m_failure = describe(named);
    }
    bool writeDespite(const QList<ValueFinding> &findings) override
    {
        m_session.m_findings = findings;
        return m_session.m_force;
    }

    QString takeFailure() { return std::exchange(m_failure, QString()); }

private:
    LoggerSession &m_session;
    QString m_failure;
};

LoggerSession::LoggerSession(const LoggerPort &port, const SessionSetup &setup)
    : m_port(port)
    , m_setup(setup)
    , m_appFolder(setup.appFolder.withScriptFolder(m_scriptFolder.path()))
    , m_state(std::make_unique<SettingsState>())
    , m_screen(std::make_unique<ScreenModel>())
    , m_line(std::make_unique<QtSerialLine>(setup.portsFolder))
    , m_link(std::make_unique<Link>(*m_line))
    , m_frontEnd(std::make_unique<SessionFrontEnd>(*this))
{
    if (port.comNumber == 0)
        m_line->setFixedDevice(port.device);
    LoadAuthTypes(*m_state, m_appFolder);
    connect(m_screen.get(), &ScreenModel::statusTextSet, this, &LoggerSession::statusChanged);
    connect(m_screen.get(), &ScreenModel::progressChanged, this, [this] {
        if (const std::optional<ScreenModel::Progress> &progress = m_screen->progress()) {
            m_lastProgress = progress;
            emit progressChanged(progress->done, progress->total);
        }
    });
}

LoggerSession::~LoggerSession() = default;

bool LoggerSession::read()
{
    // As the read button does: the read decides afresh whether the APN items are in use.
    m_state->ApnAuthEnabled = kFalse;
    m_findings.clear();
    return run<ReadSequence>(tr("read"));
}

DeviceSettings LoggerSession::settings() const
{
    return itemsOfImage(*m_state);
}

LoggerSession::WriteResult LoggerSession::write(bool force)
{
    m_force = force;
    m_findings.clear();
    if (!m_scriptFolder.isValid()) {
        m_failure = tr("the script files have no folder to go to: %1").arg(m_scriptFolder.errorString());
        return WriteResult::Failed;
    }
    if (run<WriteSequence>(tr("write")))
        return WriteResult::Written;
    return !m_findings.isEmpty() && !force && m_failure.isEmpty() ? WriteResult::Declined : WriteResult::Failed;
}

template<typename Sequence>
bool LoggerSession::run(const QString &heading)
{
    m_failure.clear();
    disableCommands(*m_screen);
    m_screen->setStatusText(QString());
    LockScreen(*m_screen);
    const PortChoice choice{qint16(m_port.comNumber > 0 ? m_port.comNumber - 1 : 0), m_setup.baudIndex};
    Sequence sequence({*m_state, *m_link, m_appFolder, *m_screen, *m_frontEnd, m_setup.timings});
    if constexpr (std::is_same_v<Sequence, ReadSequence>)
        sequence.ReadFromLogger(choice);
    else
        sequence.WriteToLogger(choice);
    m_log.append(QStringLiteral("# ") + heading);
    m_log += readableLogLines(m_screen->logPieces());

    const bool succeeded = sequence.SeqState() == Sequence::Finished;
    m_failure = m_frontEnd->takeFailure();
    if (!succeeded && m_failure.isEmpty() && m_findings.isEmpty())
        m_failure = tr("the exchange ended without saying why");
    return succeeded;
}

QByteArray LoggerSession::exchangeLog() const
{
    return logFileBytes(m_log);
}
