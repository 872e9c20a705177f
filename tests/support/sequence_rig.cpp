#include "support/sequence_rig.h"

#include "text/cp932.h"

RecordingScreen::RecordingScreen(ScreenModel &screen, SettingsState &state)
    : ModelSequenceScreen(screen, state)
{
    m_clock.start();
}

void RecordingScreen::setStatusText(const QString &text)
{
    m_statusTexts.append(text);
    ModelSequenceScreen::setStatusText(text);
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
    ModelSequenceScreen::showChannels();
}

void RecordingScreen::showMailAddresses()
{
    m_calls.append(QStringLiteral("ShowMailAddresses"));
    ModelSequenceScreen::showMailAddresses();
}

void RecordingScreen::showConnection()
{
    m_calls.append(QStringLiteral("ShowConnection"));
    ModelSequenceScreen::showConnection();
}

void RecordingScreen::showConnectionButtons()
{
    m_calls.append(QStringLiteral("ShowConnectionButtons"));
    ModelSequenceScreen::showConnectionButtons();
}

void RecordingScreen::unlockScreen()
{
    m_calls.append(QStringLiteral("UnlockScreen"));
    ModelSequenceScreen::unlockScreen();
}

SequenceRig::SequenceRig(const SimulatedLoggerOptions &options)
    : m_screen(m_model, m_state)
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
