#include "link/write_sequence.h"

#include "binding/run_time_error.h"
#include "binding/settings_state.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "link/sequence_screen.h"
#include "scripts/alarm_scripts.h"
#include "scripts/mail_scripts.h"
#include "scripts/unsendable_text.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcWrite, "telvaro.link.write")

namespace {

const QString kTimeoutText = QStringLiteral("レスポンスタイムアウト");
const QString kCannotOpenPort = QStringLiteral("通信ポートを開けません。");
const QString kCannotWriteScript = QStringLiteral("書込ファイルを作成できません。");
const QString kUnsendableText = QStringLiteral("送信できない文字が含まれています。");
const QString kWritten = QStringLiteral("設定の書き込みに成功しました。");

// A script file that could not be written: the write must not send an older copy.
class ScriptFileError : public RunTimeError
{
public:
    using RunTimeError::RunTimeError;
};

} // namespace

WriteSequence::WriteSequence(const SequenceContext &context)
    : Sequence(context)
{
}

void WriteSequence::write(const PortChoice &choice)
{
    const AlarmScriptInputs alarmInputs = m_context.screen.alarmScriptInputs();
    if (const auto field = firstUnsendableField(alarmInputs, m_context.screen.mailScriptInputs())) {
        setStatusText(*field);
        endWithMessage(kUnsendableText);
        return;
    }
    if (!BuildAlarmScript(m_context.appFolder, alarmInputs)) {
        endWithMessage(kCannotWriteScript);
        return;
    }
    WriteToLogger(choice);
}

void WriteSequence::endWithMessage(const QString &message)
{
    m_context.screen.showMessage(message);
    m_context.screen.unlockScreen();
}

void WriteSequence::WriteToLogger(const PortChoice &choice)
{
    try {
        openScript(QStringLiteral("Arm.eep"));
        m_context.screen.clearLog();
        m_lineCounter = 0;
        m_SeqState = OpenPort;
        runStates(choice);
    } catch (const std::exception &error) {
        // The error path, for run-time errors and anything unforeseen alike, so the port is
        // never left open: the status text keeps its last value.
        qCWarning(lcWrite) << "write ended by an error in state" << m_SeqState << ":" << error.what();
        releaseEverything();
        const bool scriptNotWritten = dynamic_cast<const ScriptFileError *>(&error) != nullptr;
        endWithMessage(scriptNotWritten ? kCannotWriteScript : kCannotOpenPort);
    }
}

void WriteSequence::runStates(const PortChoice &choice)
{
    for (;;) {
        const State next = step(choice);
        if (m_SeqState == Finished || m_SeqState == Failed)
            return;
        m_SeqState = next;
    }
}

WriteSequence::State WriteSequence::fail()
{
    setStatusText(kTimeoutText);
    return Failed;
}

WriteSequence::State WriteSequence::sendNextLine(State onEnd)
{
    m_context.link.discardInput();
    const std::optional<QString> line = nextScriptLine();
    if (!line)
        return onEnd;
    sendCommand(*line);
    return static_cast<State>(m_SeqState + 1);
}

WriteSequence::State WriteSequence::awaitAcknowledgement(State next, bool storeInChannelImage)
{
    const bool replied = await(LineCRLF, 2);
    echoReply();
    if (!replied)
        return fail();
    if (storeInChannelImage) {
        ++m_lineCounter;
        m_context.state.EepChannel.at(m_lineCounter) = StripLineEnds(lastReply());
    }
    return next;
}

WriteSequence::State WriteSequence::step(const PortChoice &choice)
{
    switch (m_SeqState) {
    case OpenPort:
        setStatusText(QStringLiteral("通信接続中"));
        openPort(choice);
        m_retryCounter = 0;
        return AwaitWakeUp;
    case AwaitWakeUp:
        m_context.link.discardInput();
        if (await(QStringLiteral("AT") + LineCRLF, 2))
            echoReply();
        return AnswerWakeUp;
    case AnswerWakeUp:
        sendHandshakeAnswer();
        return AwaitReady;
    case AwaitReady:
        if (await(QStringLiteral("READY") + LineCRLF, 2)) {
            echoReply();
            return SendCommandModeOn;
        }
        if (m_retryCounter == 2)
            return fail();
        ++m_retryCounter;
        m_context.link.pause(0.5);
        return AwaitWakeUp;
    case SendCommandModeOn:
        sendCommand(QStringLiteral("CAON"));
        return AwaitCommandModeOn;
    case AwaitCommandModeOn:
        if (await(QStringLiteral("OK") + LineCRLF, 4)) {
            echoReply();
            return SendAlarmLine;
        }
        if (m_retryCounter > 3)
            return fail();
        ++m_retryCounter;
        m_context.link.pause(0.5);
        return SendCommandModeOn;
    case SendAlarmLine:
        return sendNextLine(AlarmsDone);
    case AwaitAlarmAck:
        return awaitAcknowledgement(SendAlarmLine, true);
    case AlarmsDone:
        closeScript();
        if (!BuildMailScript(m_context.appFolder, m_context.screen.mailScriptInputs()))
            throw ScriptFileError(QStringLiteral("mail scripts not written"));
        setStatusText(QStringLiteral("メールアドレス書込中"));
        openScript(QStringLiteral("mail.eep"));
        m_lineCounter = 0;
        return SendMailLine;
    case SendMailLine:
        return sendNextLine(MailDone);
    case AwaitMailAck:
        return awaitAcknowledgement(SendMailLine, false);
    case MailDone:
        closeScript();
        setStatusText(QStringLiteral("メールアドレス書込完了"));
        openScript(QStringLiteral("ArmNet.eep"));
        m_lineCounter = 0;
        m_context.link.pause(0.5);
        setStatusText(QStringLiteral("設定書込中"));
        return SendAlarmNetLine;
    case SendAlarmNetLine:
        return sendNextLine(AlarmNetDone);
    case AwaitAlarmNetAck:
        return awaitAcknowledgement(SendAlarmNetLine, false);
    case AlarmNetDone:
        closeScript();
        setStatusText(QStringLiteral("設定書込完了"));
        openScript(QStringLiteral("Mmail.eep"));
        m_lineCounter = 0;
        setStatusText(QStringLiteral("接続設定書込中"));
        return SendConnectionLine;
    case SendConnectionLine:
        return sendNextLine(Finished);
    case AwaitConnectionAck:
        return awaitAcknowledgement(SendConnectionLine, false);
    case Finished:
        releaseEverything();
        setStatusText(QStringLiteral("書込完了"));
        m_context.screen.unlockScreen();
        m_context.screen.showMessage(kWritten);
        return Finished;
    case Failed:
        releaseEverything();
        endWithMessage(kCannotOpenPort);
        return Failed;
    }
    throw RunTimeError(QStringLiteral("write state %1 does not exist").arg(m_SeqState));
}
