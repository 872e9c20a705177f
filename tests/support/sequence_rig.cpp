#include "support/sequence_rig.h"

#include "text/cp932.h"

#include <QEventLoop>

QString waitEntry(const QString &expected, std::chrono::milliseconds timeout, ReplyResult result)
{
    const QString text = StripLineEnds(expected);
    return QStringLiteral("wait %1 %2ms -> %3")
        .arg(text.isEmpty() ? QStringLiteral("a line") : text)
        .arg(timeout.count())
        .arg(result == ReplyResult::Received ? QStringLiteral("received") : QStringLiteral("timed out"));
}

ExchangeResult runToEnd(ExchangeSession &session, void (ExchangeSession::*start)(const PortChoice &),
                        const PortChoice &choice)
{
    QEventLoop loop;
    QObject::connect(&session, &ExchangeSession::finished, &loop, &QEventLoop::quit);
    (session.*start)(choice);
    loop.exec();
    return session.lastResult().value_or(ExchangeResult{});
}

RecordingScreen::RecordingScreen(const ScreenModel &screen, Timeline &timeline)
    : m_screen(screen)
    , m_timeline(timeline)
{
    watchStatus();
}

RecordingScreen::RecordingScreen(const ScreenModel &screen)
    : m_screen(screen)
    , m_timeline(m_ownTimeline)
{
    watchStatus();
}

void RecordingScreen::watchStatus()
{
    QObject::connect(&m_screen, &ScreenModel::statusTextSet, &m_screen, [this](const QString &text) {
        // The status emptied as an exchange begins tells nothing of the sequence.
        if (text.isEmpty())
            return;
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
    , m_folder(TempAppFolder::allInstallFiles())
{
    auto port = std::make_unique<QtSerialLine>(QString());
    m_port = port.get();
    m_session = std::make_unique<ExchangeSession>(m_folder.appFolder(), std::move(port));
    m_screen = std::make_unique<RecordingScreen>(m_session->screen(), m_timeline);
    m_session->setBoxes(m_screen.get());
    Link &link = m_session->link();
    QObject::connect(&link, &Link::waitStarted, &link, [this](const QString &expected, std::chrono::milliseconds timeout) {
        m_wait = {expected, timeout};
    });
    QObject::connect(&link, &Link::waitEnded, &link,
                     [this](ReplyResult result) { m_requests.append(waitEntry(m_wait.first, m_wait.second, result)); });
    QObject::connect(&link, &Link::pauseStarted, &link,
                     [this](std::chrono::milliseconds duration) { m_requests.append(paused(duration)); });
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
    m_logger = std::make_unique<SimulatedLoggerFixture>(options.scaled(m_timeScale));
    if (m_logger->isValid()) {
        QObject::connect(&logger(), &SimulatedLogger::lineReceived, &logger(),
                         [this](const QByteArray &line) {
                             const QString heard = heardEvent(Cp932::decode(line));
                             m_timeline.note(heard);
                             m_requests.append(heard);
                         });
    }
    m_port->setPortsFolder(m_logger->portsFolder());
}

bool SequenceRig::isValid() const
{
    if (!m_logger->isValid())
        qWarning().noquote() << m_logger->errorString();
    return m_folder.isValid() && m_logger->isValid();
}

ExchangeResult SequenceRig::read()
{
    return run(&ExchangeSession::startRead);
}

ExchangeResult SequenceRig::write()
{
    return run(&ExchangeSession::startWrite);
}

ExchangeResult SequenceRig::run(void (ExchangeSession::*start)(const PortChoice &))
{
    m_screen->beginSequence();
    m_timeline.start();
    m_requests.clear();
    m_session->setTimings(ExchangeTimings{}.scaled(m_timeScale));
    return runToEnd(*m_session, start, portChoice());
}

bool SequenceRig::readLogger()
{
    const qsizetype messagesBefore = m_screen->messages().size();
    read();
    return m_screen->messages().size() == messagesBefore && m_screen->statusText() == kReadDone;
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
