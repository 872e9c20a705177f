#include "cli/logger_session.h"

#include "exchange/exchange_failure.h"
#include "exchange/modal_boxes.h"
#include "exchange/read_sequence.h"
#include "exchange/write_sequence.h"
#include "files/auth_types.h"
#include "link/link.h"
#include "link/qt_serial_line.h"
#include "link/secret_masking.h"
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

    void showMessage(const QString &text) override { m_message = text; }
    // The facts follow the message, as the window shows them behind its details button.
    void showFailure(const QString &text, const ExchangeFailure &failure) override
    {
        m_message = text;
        m_details = describe(failure);
    }
    bool writeDespite(const QList<ValueFinding> &findings) override
    {
        m_session.m_findings = findings;
        return m_session.m_force;
    }

    QString takeMessage() { return std::exchange(m_message, QString()); }
    QString takeDetails() { return std::exchange(m_details, QString()); }

private:
    LoggerSession &m_session;
    QString m_message;
    QString m_details;
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
}

LoggerSession::~LoggerSession() = default;

bool LoggerSession::read()
{
    // As the read button does: the read decides afresh whether the APN items are in use.
    m_state->ApnAuthEnabled = kFalse;
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
    m_log += QStringLiteral("# %1\r\n").arg(heading) + m_screen->logText();

    const QString message = m_frontEnd->takeMessage();
    const QString details = m_frontEnd->takeDetails();
    const bool succeeded = sequence.SeqState() == Sequence::Finished;
    if (!succeeded && !message.isEmpty())
        m_failure = QStringLiteral("%1 (%2)").arg(message, m_screen->statusText()) + (details.isEmpty() ? QString() : u'\n' + details);
    return succeeded;
}

QString LoggerSession::exchangeLog() const
{
    return SecretMasking::masked(m_log);
}
