#include "support/sequence_rig.h"

#include "exchange/read_sequence.h"
#include "model/screen_lock.h"
#include "text/cp932.h"

RecordingScreen::RecordingScreen(const ScreenModel &screen, Timeline &timeline)
    : m_screen(screen)
    , m_timeline(timeline)
{
    QObject::connect(&screen, &ScreenModel::statusTextSet, &screen, [this](const QString &text) {
        m_statusTexts.append(text);
        m_statusesWithScreen.append(withScreen(text));
        m_timeline.note(statusEvent(text));
    });
}

void RecordingScreen::showMessage(const QString &text)
{
    m_messages.append(text);
    m_messagesWithScreen.append(withScreen(text));
    m_timeline.note(messageEvent(text));
}

void RecordingScreen::showFailure(const QString &text, const ExchangeFailure &)
{
    showMessage(text);
}

void RecordingScreen::beginSequence()
{
    m_statusesWithScreen.clear();
    m_messagesWithScreen.clear();
}

QString RecordingScreen::withScreen(const QString &text) const
{
    return text + QStringLiteral(" | ") + shown().join(QStringLiteral(", "));
}

QStringList RecordingScreen::shown() const
{
    QStringList shown;
    for (int row = 0; row < ScreenModel::kChannelRows; ++row) {
        if (!m_screen.channelRow(row).Combo1().entries().isEmpty()) {
            shown << QStringLiteral("channels");
            break;
        }
    }
    if (m_screen.alarmAddresses().Text4(0).isEnabled())
        shown << QStringLiteral("mail");
    if (m_screen.connection().Text3(0).isEnabled())
        shown << QStringLiteral("connection");
    const CommandControls &commands = m_screen.commands();
    if (commands.Command1(CommandControls::Write).isEnabled())
        shown << QStringLiteral("every command");
    else if (commands.Command1(CommandControls::Read).isEnabled())
        shown << QStringLiteral("read");
    return shown;
}

SequenceRig::SequenceRig(const SimulatedLoggerOptions &options, double timeScale)
    : m_timeScale(timeScale)
    , m_pauseScale(timeScale)
    , m_screen(m_model, m_timeline)
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
    disableCommands(m_model);
    LockScreen(m_model);
    m_screen.beginSequence();
    m_timeline.start();
    return SequenceContext{m_state, *m_link, m_appFolder, m_model, m_screen,
                           ExchangeTimings{}.scaled(m_timeScale, m_pauseScale)};
}

bool SequenceRig::readLogger()
{
    const qsizetype messagesBefore = m_screen.messages().size();
    ReadSequence(context()).ReadFromLogger(portChoice());
    return m_screen.messages().size() == messagesBefore && m_screen.statusText() == kReadDone;
}

void SequenceRig::shortenReadScripts()
{
    m_folder.writeFile(QStringLiteral("select.eep"), "mode0?\r\n");
    m_folder.writeFile(QStringLiteral("select01.eep"), "CAALARMADDRESS1?\r\n");
    m_folder.writeFile(QStringLiteral("select02.eep"), "CAAPN?\r\n");
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
