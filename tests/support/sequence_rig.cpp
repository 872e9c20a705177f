#include "support/sequence_rig.h"

#include "text/cp932.h"
#include "widgets/screen_lock.h"
#include "widgets/script_inputs.h"
#include "widgets/show_channels.h"
#include "widgets/show_connection.h"
#include "widgets/show_mail_addresses.h"

RecordingScreen::RecordingScreen(SettingsState &state)
    : m_state(state)
{
    m_clock.start();
}

void RecordingScreen::setStatusText(const QString &text)
{
    m_statusTexts.append(text);
}

void RecordingScreen::showMessage(const QString &text)
{
    if (m_messages.isEmpty())
        m_firstMessageAfterMs = m_clock.elapsed();
    m_messages.append(text);
}

void RecordingScreen::showChannels()
{
    m_calls.append(QStringLiteral("ShowChannels"));
    ShowChannels(m_state, controls());
}

void RecordingScreen::showMailAddresses()
{
    m_calls.append(QStringLiteral("ShowMailAddresses"));
    ShowMailAddresses(m_state, controls());
}

void RecordingScreen::showConnection()
{
    m_calls.append(QStringLiteral("ShowConnection"));
    ShowConnection(m_state, controls());
}

void RecordingScreen::showConnectionButtons()
{
    m_calls.append(QStringLiteral("ShowConnectionButtons"));
    ShowConnectionButtons(controls());
}

void RecordingScreen::unlockScreen()
{
    m_calls.append(QStringLiteral("UnlockScreen"));
    UnlockScreen(m_state, controls());
}

AlarmScriptInputs RecordingScreen::alarmScriptInputs() const
{
    return alarmScriptInputsFrom(m_state, controls());
}

MailScriptInputs RecordingScreen::mailScriptInputs() const
{
    return mailScriptInputsFrom(controls());
}

SequenceRig::SequenceRig(const SimulatedLoggerOptions &options)
    : m_screen(m_state)
    , m_folder(TempAppFolder::allInstallFiles())
    , m_appFolder(m_folder.appFolder())
{
    connectNewLogger(options);
}

void SequenceRig::connectNewLogger(const SimulatedLoggerOptions &options)
{
    m_link.reset();
    m_port.reset();
    m_logger = std::make_unique<SimulatedLoggerFixture>(options);
    m_port = std::make_unique<QtSerialLine>(m_logger->portsFolder());
    m_link = std::make_unique<Link>(*m_port);
}

bool SequenceRig::isValid() const
{
    return m_folder.isValid() && m_logger->isValid();
}

SequenceContext SequenceRig::context()
{
    m_screen.startClock();
    return SequenceContext{m_state, *m_link, m_appFolder, m_screen};
}

QStringList SequenceRig::receivedLines()
{
    QStringList lines;
    for (const QByteArray &line : logger().receivedLines())
        lines.append(Cp932::decode(line));
    return lines;
}
