#include "exchange/sequence.h"

#include "base/run_time_error.h"
#include "files/app_folder.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "link/port_open_error.h"
#include "link/speed_table.h"
#include "model/screen_model.h"
#include "state/settings_state.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSequence, "telvaro.link.sequence")

Sequence::Sequence(const SequenceContext &context, const Shape &shape)
    : m_context(context)
    , m_shape(shape)
{
}

void Sequence::run(const PortChoice &choice)
{
    try {
        runStates(choice);
    } catch (const std::exception &error) {
        endAfterError(error);
    } catch (...) {
        endAfterError(RunTimeError(QStringLiteral("an error of unknown kind")));
    }
}

void Sequence::runStates(const PortChoice &choice)
{
    m_failure.port = QStringLiteral("COM%1").arg(choice.PortIndex + 1);
    if (!prepare())
        return;
    startProgress();
    openScript(m_shape.blocks.front());
    m_context.screen.clearLog();
    m_lineCounter = 0;
    m_SeqState = OpenPort;
    for (;;) {
        const qint16 next = step(choice);
        if (m_SeqState == m_shape.endState || m_SeqState == Failed)
            return;
        m_SeqState = next;
    }
}

void Sequence::endAfterError(const std::exception &error)
{
    qCWarning(lcSequence) << "ended by an error in state" << m_SeqState << ":" << error.what();
    try {
        noteError(error);
        releaseEverything();
        takeErrorPath(error);
    } catch (const std::exception &another) {
        qCCritical(lcSequence) << "the error path failed as well:" << another.what();
    } catch (...) {
        qCCritical(lcSequence) << "the error path failed as well";
    }
}

qint16 Sequence::step(const PortChoice &choice)
{
    if (m_SeqState >= OpenPort && m_SeqState <= AwaitCommandModeOn)
        return handshakeStep(choice);
    if (const std::optional<qint16> next = blockStep())
        return *next;
    if (m_SeqState == Failed) {
        releaseEverything();
        endFailed();
        return Failed;
    }
    return ownStep();
}

qint16 Sequence::handshakeStep(const PortChoice &choice)
{
    const ExchangeTimings &times = timings();
    switch (m_SeqState) {
    case OpenPort: {
        setStatusText(u"通信接続中");
        // The port number and the settings are checked by the link; an index outside the
        // speed table is an error of this step like any other.
        const SpeedTable speeds;
        m_context.link.openPort(choice.PortIndex + 1, speeds.at(choice.BaudIndex));
        m_portOpened = true;
        m_retryCounter = 0;
        return AwaitWakeUp;
    }
    case AwaitWakeUp:
        // A logger that never calls is answered all the same once the wait is over.
        m_context.link.discardInput();
        if (await(QStringLiteral("AT") + LineCRLF, times.wakeUpTimeout))
            echoReply();
        return AnswerWakeUp;
    case AnswerWakeUp:
        m_context.link.sendText(LineCR + QStringLiteral("CONNECT") + LineCR);
        m_lastCommand = QStringLiteral("CONNECT");
        echo(QStringLiteral("CONNECT") + LineCRLF);
        return AwaitReady;
    case AwaitReady:
        if (await(QStringLiteral("READY") + LineCRLF, times.readyTimeout)) {
            echoReply();
            return SendCommandModeOn;
        }
        if (!mayRetry(times.handshakeRetryLimit))
            return fail();
        pause(times.*m_shape.handshakeRetryPause);
        return AwaitWakeUp;
    case SendCommandModeOn:
        sendCommand(QStringLiteral("CAON"));
        return AwaitCommandModeOn;
    case AwaitCommandModeOn:
        if (await(QStringLiteral("OK") + LineCRLF, times.commandModeTimeout)) {
            echoReply();
            return m_shape.afterCommandMode;
        }
        if (!mayRetry(times.commandRetryLimit))
            return fail();
        pause(times.commandModeRetryPause);
        return SendCommandModeOn;
    }
    throw RunTimeError(QStringLiteral("state %1 is no handshake state").arg(m_SeqState));
}

std::optional<qint16> Sequence::blockStep()
{
    const std::span<const ScriptBlock> blocks = m_shape.blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const ScriptBlock &block = blocks[i];
        if (m_SeqState == block.sendState)
            return sendNextLine(block);
        if (m_SeqState == block.awaitState)
            return awaitAnswer(block);
        // The end of the last block is a state of the sequence's own.
        if (m_SeqState == block.endState && i + 1 < blocks.size())
            return passOn(block, blocks[i + 1]);
    }
    return std::nullopt;
}

qint16 Sequence::sendNextLine(const ScriptBlock &block)
{
    m_context.link.discardInput();
    const std::optional<QString> line = m_script.nextLine();
    if (!line)
        return block.endState;
    sendCommand(*line);
    return block.awaitState;
}

qint16 Sequence::awaitAnswer(const ScriptBlock &block)
{
    const bool answered = await(LineCRLF, timings().*block.answerTimeout);
    echoReply();
    if (!answered)
        return fail();
    if (block.answers != AnswerTable::None)
        storeAnswer(block.answers, StripLineEnds(lastReply()));
    ++m_blocks[&block - m_shape.blocks.data()].answered;
    int done = 0;
    int total = 0;
    for (const ExchangeFailure::Block &counted : std::as_const(m_blocks)) {
        done += counted.answered;
        total += counted.lines;
    }
    m_context.screen.setProgress(ScreenModel::Progress{done, total});
    return block.sendState;
}

qint16 Sequence::passOn(const ScriptBlock &done, const ScriptBlock &next)
{
    m_script.close();
    setStatusText(done.statusDone);
    if (done.after)
        done.after(m_context);
    setStatusText(next.statusOpening);
    openScript(next);
    m_lineCounter = 0;
    if (next.pauseBefore)
        pause(timings().*next.pauseBefore);
    setStatusText(next.statusStarted);
    return next.sendState;
}

void Sequence::openScript(const ScriptBlock &block)
{
    m_script.open(pathOf(block));
}

QString Sequence::pathOf(const ScriptBlock &block) const
{
    const QString name = block.file.toString();
    return block.origin == ScriptOrigin::Installed ? m_context.appFolder.file(name) : m_context.appFolder.scriptFile(name);
}

void Sequence::startProgress()
{
    int total = 0;
    for (const ScriptBlock &block : m_shape.blocks) {
        m_blocks.append({block.file.toString(), 0, ScriptReader::lineCount(pathOf(block))});
        total += m_blocks.last().lines;
    }
    m_context.screen.setProgress(ScreenModel::Progress{0, total});
}

void Sequence::storeAnswer(AnswerTable table, const QString &answer)
{
    // The n-th answer of a block goes to entry n; one more than the table holds is an error.
    SettingsState &state = m_context.state;
    const qint16 entry = ++m_lineCounter;
    switch (table) {
    case AnswerTable::EepChannel:
        state.EepChannel.at(entry) = answer;
        return;
    case AnswerTable::EepMail:
        state.EepMail.at(entry) = answer;
        return;
    case AnswerTable::EepConnect:
        state.EepConnect.at(entry) = answer;
        return;
    case AnswerTable::None:
        return;
    }
}

qint16 Sequence::fail()
{
    setStatusText(u"レスポンスタイムアウト");
    // A line that went away ends the wait early: it says more than the time-out would.
    noteFailure(m_context.link.isPortOpen() ? ExchangeFailure::Cause::NoAnswer : ExchangeFailure::Cause::LineLost);
    m_failure.command = m_lastUnansweredWait.first;
    m_failure.expected = m_lastUnansweredWait.second;
    m_failure.waited = m_lastUnansweredTimeout;
    m_failure.attempts = m_unansweredWaits.value(m_lastUnansweredWait);
    return Failed;
}

void Sequence::noteFailure(ExchangeFailure::Cause cause, const QString &file, const QString &field)
{
    m_failure.cause = cause;
    m_failure.file = file;
    m_failure.field = field;
}

void Sequence::noteError(const std::exception &error)
{
    if (const auto *port = dynamic_cast<const PortOpenError *>(&error)) {
        noteFailure(ExchangeFailure::Cause::PortNotOpened);
        m_failure.device = port->device();
        m_failure.portProblem = port->problem();
        m_failure.reason = port->reason();
    } else if (const auto *script = dynamic_cast<const ScriptOpenError *>(&error)) {
        noteFailure(ExchangeFailure::Cause::FileNotOpened, script->path);
        m_failure.reason = script->reason;
    } else {
        noteFailure(ExchangeFailure::Cause::Other);
        m_failure.reason = QString::fromUtf8(error.what());
    }
}

ExchangeFailure Sequence::failure() const
{
    ExchangeFailure facts = m_failure;
    facts.isWrite = m_shape.changesLogger;
    // Nothing reaches the logger before the port is open.
    if (m_portOpened)
        facts.blocks = m_blocks;
    return facts;
}

bool Sequence::mayRetry(qint16 limit)
{
    if (m_retryCounter >= limit)
        return false;
    ++m_retryCounter;
    return true;
}

void Sequence::sendCommand(const QString &command, Echo echoIt)
{
    m_context.link.sendText(command + LineCRLF);
    m_lastCommand = command;
    if (echoIt == Echo::Yes)
        echo(command + LineCRLF);
}

bool Sequence::await(const QString &expected, ExchangeTimings::Duration timeout)
{
    const bool received = m_context.link.WaitForReply(expected, timeout) == kReplyReceived;
    const Wait wait{m_lastCommand, StripLineEnds(expected)};
    if (received) {
        m_unansweredWaits.remove(wait);
    } else {
        ++m_unansweredWaits[wait];
        m_lastUnansweredWait = wait;
        m_lastUnansweredTimeout = timeout;
    }
    return received;
}

const QString &Sequence::lastReply() const
{
    return m_context.link.LastReply();
}

void Sequence::echo(const QString &text)
{
    m_context.screen.appendLog(text);
}

void Sequence::echoReply()
{
    echo(lastReply());
}

void Sequence::setStatusText(QStringView text)
{
    if (!text.isEmpty())
        m_context.screen.setStatusText(text.toString());
}

void Sequence::pause(ExchangeTimings::Duration duration)
{
    m_context.link.pause(duration);
}

void Sequence::releaseEverything()
{
    m_script.close();
    m_context.link.releasePort();
    m_context.screen.setProgress(std::nullopt);
}
