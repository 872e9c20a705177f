#include "exchange/sequence.h"

#include "base/port_choice.h"
#include "base/run_time_error.h"
#include "exchange/sequence_screen.h"
#include "files/app_folder.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "link/speed_table.h"
#include "text/cp932.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSequence, "telvaro.link.sequence")

Sequence::Sequence(const SequenceContext &context)
    : m_context(context)
{
}

void Sequence::run(const QString &firstScriptPath, qint16 endState, const std::function<qint16()> &step,
                   const std::function<void(const std::exception &)> &errorPath)
{
    try {
        openScript(firstScriptPath);
        m_context.screen.clearLog();
        m_lineCounter = 0;
        m_SeqState = OpenPort;
        for (;;) {
            const qint16 next = step();
            if (m_SeqState == endState || m_SeqState == Failed)
                return;
            m_SeqState = next;
        }
    } catch (const std::exception &error) {
        qCWarning(lcSequence) << "ended by an error in state" << m_SeqState << ":" << error.what();
        releaseEverything();
        errorPath(error);
    }
}

qint16 Sequence::handshakeStep(const PortChoice &choice, qint16 afterCommandMode, double readyRetryPause)
{
    switch (m_SeqState) {
    case OpenPort: {
        setStatusText(QStringLiteral("通信接続中"));
        // The port number and the settings are checked by the link; an index outside the
        // speed table is an error of this step like any other.
        const SpeedTable speeds;
        m_context.link.openPort(choice.PortIndex + 1, speeds.at(choice.BaudIndex));
        m_retryCounter = 0;
        return AwaitWakeUp;
    }
    case AwaitWakeUp:
        // A logger that never calls is answered all the same once the wait is over.
        m_context.link.discardInput();
        if (await(QStringLiteral("AT") + LineCRLF, 2))
            echoReply();
        return AnswerWakeUp;
    case AnswerWakeUp:
        m_context.link.sendText(LineCR + QStringLiteral("CONNECT") + LineCR);
        echo(QStringLiteral("CONNECT") + LineCRLF);
        return AwaitReady;
    case AwaitReady:
        if (await(QStringLiteral("READY") + LineCRLF, 2)) {
            echoReply();
            return SendCommandModeOn;
        }
        // Three handshakes at most.
        if (m_retryCounter >= 2)
            return fail();
        ++m_retryCounter;
        pause(readyRetryPause);
        return AwaitWakeUp;
    case SendCommandModeOn:
        sendCommand(QStringLiteral("CAON"));
        return AwaitCommandModeOn;
    case AwaitCommandModeOn:
        if (await(QStringLiteral("OK") + LineCRLF, 4)) {
            echoReply();
            return afterCommandMode;
        }
        if (m_retryCounter > 3)
            return fail();
        ++m_retryCounter;
        pause(0.5);
        return SendCommandModeOn;
    }
    throw RunTimeError(QStringLiteral("state %1 is no handshake state").arg(m_SeqState));
}

qint16 Sequence::fail()
{
    setStatusText(QStringLiteral("レスポンスタイムアウト"));
    return Failed;
}

qint16 Sequence::sendNextLine(qint16 onEnd)
{
    m_context.link.discardInput();
    const std::optional<QString> line = nextScriptLine();
    if (!line)
        return onEnd;
    sendCommand(*line);
    return m_SeqState + 1;
}

qint16 Sequence::awaitLineAnswer(qint16 timeoutSeconds, qint16 next, const std::function<void(const QString &)> &store)
{
    const bool replied = await(LineCRLF, timeoutSeconds);
    echoReply();
    if (!replied)
        return fail();
    store(StripLineEnds(lastReply()));
    return next;
}

void Sequence::sendCommand(const QString &command, bool echoIt)
{
    m_context.link.sendText(command + LineCRLF);
    if (echoIt)
        echo(command + LineCRLF);
}

bool Sequence::await(const QString &expected, qint16 timeoutSeconds)
{
    return m_context.link.WaitForReply(expected, timeoutSeconds) == kReplyReceived;
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

void Sequence::setStatusText(const QString &text)
{
    m_context.screen.setStatusText(text);
}

void Sequence::pause(double seconds)
{
    m_context.link.pause(seconds);
}

void Sequence::openScript(const QString &path)
{
    m_ScriptPath = path;
    m_script.setFileName(m_ScriptPath);
    if (!m_script.open(QIODevice::ReadOnly))
        throw RunTimeError(QStringLiteral("cannot open %1: %2").arg(m_ScriptPath, m_script.errorString()));
}

std::optional<QString> Sequence::nextScriptLine()
{
    if (m_script.atEnd())
        return std::nullopt;
    QByteArray line = m_script.readLine();
    if (line.isEmpty() && m_script.error() != QFileDevice::NoError)
        throw RunTimeError(QStringLiteral("cannot read %1: %2").arg(m_ScriptPath, m_script.errorString()));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return Cp932::decode(line);
}

void Sequence::closeScript()
{
    m_script.close();
}

void Sequence::releaseEverything()
{
    closeScript();
    m_context.link.releasePort();
}
