#include "exchange/sequence.h"

#include "base/run_time_error.h"
#include "files/app_folder.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "link/speed_table.h"
#include "model/screen_model.h"
#include "state/settings_state.h"

#include <QLoggingCategory>

using namespace telvaro::base;
using namespace telvaro::state;
using namespace telvaro::model;
using namespace telvaro::link;

namespace telvaro::exchange {

Q_LOGGING_CATEGORY(lcSequence, "telvaro.link.sequence")

Sequence::Sequence(const SequenceContext &context, const Shape &shape)
    : m_context(context)
    , m_shape(shape)
{
}

Sequence::~Sequence()
{
    if (m_running)
        releaseEverything();
}

void Sequence::start(const PortChoice &choice, EndHandler ended)
{
    m_choice = choice;
    m_ended = std::move(ended);
    m_running = true;
    proceed([this] { return begin(); });
}

void Sequence::proceed(const Continuation &work)
{
    try {
        Next next = work();
        while (next && m_running) {
            if (stopsBefore(*next))
                next = m_commandModeOn ? SendStopCommandModeOff : Interrupted;
            else if (*next == m_shape.blocks.back().endState)
                m_closing = true;
            m_SeqState = *next;
            next = step();
            if (m_running && m_SeqState == Interrupted) {
                finish(ExchangeResult::Outcome::Interrupted);
                return;
            }
            if (m_running && (m_SeqState == m_shape.endState || m_SeqState == Failed)) {
                finish(m_SeqState == Failed ? ExchangeResult::Outcome::Failed : ExchangeResult::Outcome::Succeeded);
                return;
            }
        }
    } catch (const std::exception &error) {
        endAfterError(QString::fromUtf8(error.what()));
    } catch (...) {
        endAfterError(QStringLiteral("an error of unknown kind"));
    }
}

void Sequence::requestStop(StopRequest how)
{
    if (m_running && (!m_stop || how == StopRequest::AtOnce))
        m_stop = how;
}

bool Sequence::stopsBefore(qint16 next) const
{
    if (!m_stop || m_closing)
        return false;
    // A failure says more than the stop; the stop's own states lead to its end.
    if (next == Failed || next == m_shape.endState || next == SendStopCommandModeOff
        || next == AwaitStopCommandModeOff || next == Interrupted)
        return false;
    return *m_stop == StopRequest::AtOnce || !writeBegun();
}

Sequence::Next Sequence::stopStep()
{
    switch (m_SeqState) {
    case SendStopCommandModeOff:
        sendCommand(QStringLiteral("CAOFF"));
        return AwaitStopCommandModeOff;
    case AwaitStopCommandModeOff:
        // The logger leaves command mode on its own after a while; the answer is only logged.
        return await(QStringLiteral("OK") + LineCRLF, timings().commandModeOffTimeout, [this](bool received) -> Next {
            if (received)
                echoReply();
            return Interrupted;
        });
    case Interrupted:
        releaseEverything();
        endInterrupted();
        return Interrupted;
    }
    throw RunTimeError(QStringLiteral("state %1 is no state of a stop").arg(m_SeqState));
}

Sequence::Next Sequence::begin()
{
    m_failure.port = QStringLiteral("COM%1").arg(m_choice.PortIndex + 1);
    if (const std::optional<ExchangeResult::Outcome> stop = prepare()) {
        finish(*stop);
        return std::nullopt;
    }
    startProgress();
    if (!openScript(m_shape.blocks.front()))
        return abort();
    m_context.screen.clearLog();
    m_lineCounter = 0;
    return OpenPort;
}

void Sequence::endAfterError(const QString &what)
{
    qCWarning(lcSequence).noquote() << "ended by an error in state" << m_SeqState << ":" << what;
    try {
        noteFailure(ExchangeFailure::Cause::Other);
        m_failure.reason = what;
        releaseEverything();
        endFailed();
    } catch (const std::exception &another) {
        qCCritical(lcSequence) << "the error path failed as well:" << another.what();
    } catch (...) {
        qCCritical(lcSequence) << "the error path failed as well";
    }
    finish(ExchangeResult::Outcome::Failed);
}

Sequence::Next Sequence::abort()
{
    releaseEverything();
    endFailed();
    finish(ExchangeResult::Outcome::Failed);
    return std::nullopt;
}

void Sequence::finish(ExchangeResult::Outcome outcome)
{
    if (!m_running)
        return;
    m_running = false;
    ExchangeResult result;
    result.outcome = outcome;
    if (outcome == ExchangeResult::Outcome::Failed || outcome == ExchangeResult::Outcome::Interrupted)
        result.failure = failure();
    result.findings = m_findings;
    if (const EndHandler ended = std::exchange(m_ended, nullptr))
        ended(result);
}

Sequence::Next Sequence::step()
{
    if (m_SeqState >= OpenPort && m_SeqState <= AwaitCommandModeOn)
        return handshakeStep();
    if (m_SeqState >= SendStopCommandModeOff && m_SeqState <= Interrupted)
        return stopStep();
    if (const std::optional<Next> next = blockStep())
        return *next;
    if (m_SeqState == Failed) {
        releaseEverything();
        endFailed();
        return Failed;
    }
    return ownStep();
}

Sequence::Next Sequence::handshakeStep()
{
    const ExchangeTimings &times = timings();
    switch (m_SeqState) {
    case OpenPort: {
        setStatusText(u"通信接続中");
        // The port number and the settings are checked by the link; an index outside the
        // speed table is an error of this step like any other.
        const SpeedTable speeds;
        if (const std::optional<PortOpenFailure> notOpened =
                m_context.link.openPort(m_choice.PortIndex + 1, speeds.at(m_choice.BaudIndex))) {
            noteFailure(ExchangeFailure::Cause::PortNotOpened);
            m_failure.device = notOpened->device;
            m_failure.portProblem = notOpened->problem;
            m_failure.reason = notOpened->reason;
            m_failure.holderPid = notOpened->holderPid;
            m_failure.holderProgram = notOpened->holderProgram;
            m_failure.lockFile = notOpened->lockFile;
            m_failure.missingDevice = notOpened->missingTarget;
            return abort();
        }
        m_portOpened = true;
        m_retryCounter = 0;
        return AwaitWakeUp;
    }
    case AwaitWakeUp:
        // A logger that never calls is answered all the same once the wait is over.
        m_context.link.discardInput();
        return await(QStringLiteral("AT") + LineCRLF, times.wakeUpTimeout, [this](bool received) -> Next {
            if (received)
                echoReply();
            return AnswerWakeUp;
        });
    case AnswerWakeUp:
        m_context.link.sendText(LineCR + QStringLiteral("CONNECT") + LineCR);
        m_lastCommand = QStringLiteral("CONNECT");
        echo(QStringLiteral("CONNECT") + LineCRLF);
        return AwaitReady;
    case AwaitReady:
        return await(QStringLiteral("READY") + LineCRLF, times.readyTimeout, [this](bool received) -> Next {
            if (received) {
                echoReply();
                return SendCommandModeOn;
            }
            if (!mayRetry(timings().handshakeRetryLimit))
                return fail();
            return pauseThen(timings().*m_shape.handshakeRetryPause, [] { return Next(AwaitWakeUp); });
        });
    case SendCommandModeOn:
        sendCommand(QStringLiteral("CAON"));
        return AwaitCommandModeOn;
    case AwaitCommandModeOn:
        return await(QStringLiteral("OK") + LineCRLF, times.commandModeTimeout, [this](bool received) -> Next {
            if (received) {
                echoReply();
                m_commandModeOn = true;
                return m_shape.afterCommandMode;
            }
            if (!mayRetry(timings().commandRetryLimit))
                return fail();
            return pauseThen(timings().commandModeRetryPause, [] { return Next(SendCommandModeOn); });
        });
    }
    throw RunTimeError(QStringLiteral("state %1 is no handshake state").arg(m_SeqState));
}

std::optional<Sequence::Next> Sequence::blockStep()
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

Sequence::Next Sequence::sendNextLine(const ScriptBlock &block)
{
    m_context.link.discardInput();
    const std::optional<ScriptReader::Line> line = m_script.nextLine();
    if (!line)
        return block.endState;
    sendScriptLine(*line);
    return block.awaitState;
}

void Sequence::sendScriptLine(const ScriptReader::Line &line)
{
    m_context.link.sendBytes(line.bytes + LineCRLF.toLatin1());
    m_lineSent = true;
    m_lastCommand = line.text;
    echo(line.text + LineCRLF);
}

Sequence::Next Sequence::awaitAnswer(const ScriptBlock &block)
{
    return await(LineCRLF, timings().*block.answerTimeout, [this, &block](bool answered) -> Next {
        echoReply();
        if (!answered)
            return fail();
        if (block.answers != AnswerTable::None)
            storeAnswer(block.answers, StripLineEnds(lastReply()), StripLineEnds(m_context.link.lastReplyBytes()));
        ++m_blocks[&block - m_shape.blocks.data()].answered;
        int done = 0;
        int total = 0;
        for (const ExchangeFailure::Block &counted : std::as_const(m_blocks)) {
            done += counted.answered;
            total += counted.lines;
        }
        m_context.screen.setProgress(ScreenModel::Progress{done, total});
        return block.sendState;
    });
}

Sequence::Next Sequence::passOn(const ScriptBlock &done, const ScriptBlock &next)
{
    m_script.close();
    setStatusText(done.statusDone);
    if (done.after)
        done.after(m_context);
    setStatusText(next.statusOpening);
    if (!openScript(next))
        return abort();
    m_lineCounter = 0;
    const auto started = [this, &next] {
        setStatusText(next.statusStarted);
        return Next(next.sendState);
    };
    if (next.pauseBefore)
        return pauseThen(timings().*next.pauseBefore, started);
    return started();
}

bool Sequence::openScript(const ScriptBlock &block)
{
    const QString path = pathOf(block);
    if (const std::optional<QString> reason = m_script.open(path)) {
        noteFailure(ExchangeFailure::Cause::FileNotOpened, path);
        m_failure.reason = *reason;
        return false;
    }
    return true;
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

void Sequence::storeAnswer(AnswerTable table, const QString &answer, const QByteArray &bytes)
{
    // The n-th answer of a block goes to entry n; one more than the table holds is an error.
    SettingsState &state = m_context.state;
    DeviceImageBytes &image = state.ImageBytes;
    const qint16 entry = ++m_lineCounter;
    switch (table) {
    case AnswerTable::EepChannel:
        state.EepChannel.at(entry) = answer;
        image.EepChannel.at(entry) = bytes;
        return;
    case AnswerTable::EepMail:
        state.EepMail.at(entry) = answer;
        image.EepMail.at(entry) = bytes;
        return;
    case AnswerTable::EepConnect:
        state.EepConnect.at(entry) = answer;
        image.EepConnect.at(entry) = bytes;
        return;
    case AnswerTable::None:
        return;
    }
}

Sequence::Next Sequence::fail()
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

Sequence::Next Sequence::await(const QString &expected, ExchangeTimings::Duration timeout,
                              std::function<Next(bool received)> then)
{
    const Wait wait{m_lastCommand, StripLineEnds(expected)};
    m_context.link.WaitForReply(expected, timeout, [this, wait, timeout, then = std::move(then)](ReplyResult result) {
        proceed([&]() -> Next {
            const bool received = result == ReplyResult::Received;
            if (received) {
                m_unansweredWaits.remove(wait);
            } else {
                ++m_unansweredWaits[wait];
                m_lastUnansweredWait = wait;
                m_lastUnansweredTimeout = timeout;
            }
            return then(received);
        });
    });
    return std::nullopt;
}

Sequence::Next Sequence::pauseThen(ExchangeTimings::Duration duration, Continuation then)
{
    m_context.link.pause(duration, [this, then = std::move(then)] { proceed(then); });
    return std::nullopt;
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

void Sequence::releaseEverything()
{
    m_script.close();
    m_context.link.releasePort();
    m_context.screen.setProgress(std::nullopt);
}

} // namespace telvaro::exchange
