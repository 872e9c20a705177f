#include "support/sequence_rig.h"

#include "exchange/read_sequence.h"
#include "text/cp932.h"

RecordingScreen::RecordingScreen(ScreenModel &screen, SettingsState &state, Timeline &timeline)
    : ModelSequenceScreen(screen, state)
    , m_timeline(timeline)
{
}

void RecordingScreen::setStatusText(const QString &text)
{
    m_statusTexts.append(text);
    ModelSequenceScreen::setStatusText(text);
    m_timeline.note(statusEvent(text));
}

void RecordingScreen::showMessage(const QString &text)
{
    m_messages.append(text);
    m_timeline.note(messageEvent(text));
}

void RecordingScreen::showChannels()
{
    ModelSequenceScreen::showChannels();
    noteCall(QStringLiteral("ShowChannels"));
}

void RecordingScreen::showMailAddresses()
{
    ModelSequenceScreen::showMailAddresses();
    noteCall(QStringLiteral("ShowMailAddresses"));
}

void RecordingScreen::showConnection()
{
    ModelSequenceScreen::showConnection();
    noteCall(QStringLiteral("ShowConnection"));
}

void RecordingScreen::showConnectionButtons()
{
    ModelSequenceScreen::showConnectionButtons();
    noteCall(QStringLiteral("ShowConnectionButtons"));
}

void RecordingScreen::unlockScreen()
{
    ModelSequenceScreen::unlockScreen();
    noteCall(QStringLiteral("UnlockScreen"));
}

void RecordingScreen::noteCall(const QString &name)
{
    // Noted once done, so that what follows is timed without the binding's own work.
    m_calls.append(name);
    m_timeline.note(callEvent(name));
}

SequenceRig::SequenceRig(const SimulatedLoggerOptions &options, double timeScale)
    : m_timeScale(timeScale)
    , m_pauseScale(timeScale)
    , m_screen(m_model, m_state, m_timeline)
    , m_folder(TempAppFolder::allInstallFiles())
    , m_appFolder(m_folder.appFolder())
{
    connectNewLogger(options);
}

std::unique_ptr<SequenceRig> SequenceRig::afterRead(const SimulatedLoggerOptions &next, double timeScale)
{
    auto rig = std::make_unique<SequenceRig>();
    if (!rig->isValid() || !rig->readLogger())
        return nullptr;
    rig->setTimeScale(timeScale);
    rig->connectNewLogger(next);
    return rig->isValid() ? std::move(rig) : nullptr;
}

void SequenceRig::connectNewLogger(const SimulatedLoggerOptions &options)
{
    m_link.reset();
    m_port.reset();
    m_logger = std::make_unique<SimulatedLoggerFixture>(options.scaled(m_timeScale));
    if (m_logger->isValid()) {
        QObject::connect(&logger(), &SimulatedLogger::lineReceived, &logger(),
                         [this](const QByteArray &line) { m_timeline.note(heardEvent(Cp932::decode(line))); });
    }
    m_port = std::make_unique<QtSerialLine>(m_logger->portsFolder());
    m_link = std::make_unique<Link>(*m_port);
}

bool SequenceRig::isValid() const
{
    if (!m_logger->isValid())
        qWarning().noquote() << m_logger->errorString();
    return m_folder.isValid() && m_logger->isValid();
}

SequenceContext SequenceRig::context()
{
    m_timeline.start();
    return SequenceContext{m_state, *m_link, m_appFolder, m_screen, ExchangeTimings{}.scaled(m_timeScale, m_pauseScale)};
}

bool SequenceRig::readLogger()
{
    const qsizetype messagesBefore = m_screen.messages().size();
    ReadSequence(context()).ReadFromLogger(portChoice());
    return m_screen.messages().size() == messagesBefore && m_screen.statusText() == kReadDone;
}

QStringList SequenceRig::receivedLines()
{
    QStringList lines;
    for (const QByteArray &line : logger().receivedLines())
        lines.append(Cp932::decode(line));
    return lines;
}

int SequenceRig::timesReceived(const QString &line)
{
    return int(receivedLines().count(line));
}
