#include "exchange/write_sequence.h"

#include "base/run_time_error.h"
#include "exchange/sequence_screen.h"
#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"
#include "files/unsendable_text.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "settings/value_checks.h"
#include "state/settings_state.h"

namespace {

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
    const MailScriptInputs mailInputs = m_context.screen.mailScriptInputs();
    if (const auto field = firstUnsendableField(alarmInputs, mailInputs)) {
        setStatusText(*field);
        endWithMessage(kUnsendableText);
        return;
    }
    // The operator may know better than the checks, but is asked before anything goes out.
    const QList<ValueFinding> findings = valueFindings(alarmInputs, mailInputs);
    if (!findings.isEmpty() && !m_context.screen.writeDespite(findings)) {
        m_context.screen.unlockScreen();
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
    run(m_context.appFolder.scriptFile(QStringLiteral("Arm.eep")), Finished, [&] { return step(choice); }, [this](const std::exception &error) {
        const bool scriptNotWritten = dynamic_cast<const ScriptFileError *>(&error) != nullptr;
        endWithMessage(scriptNotWritten ? kCannotWriteScript : kCannotOpenPort);
    });
}

qint16 WriteSequence::awaitAcknowledgement(qint16 next)
{
    // The content of an acknowledgement is not examined.
    return awaitLineAnswer(2, next, [](const QString &) {});
}

qint16 WriteSequence::step(const PortChoice &choice)
{
    switch (m_SeqState) {
    case OpenPort:
    case AwaitWakeUp:
    case AnswerWakeUp:
    case AwaitReady:
    case SendCommandModeOn:
    case AwaitCommandModeOn:
        return handshakeStep(choice, SendAlarmLine, 0.5);
    case SendAlarmLine:
        return sendNextLine(AlarmsDone);
    case AwaitAlarmAck:
        // Kept in the channel image, where the next read overwrites them.
        return awaitLineAnswer(2, SendAlarmLine, [this](const QString &answer) {
            m_context.state.EepChannel.at(++m_lineCounter) = answer;
        });
    case AlarmsDone:
        closeScript();
        if (!BuildMailScript(m_context.appFolder, m_context.screen.mailScriptInputs()))
            throw ScriptFileError(QStringLiteral("mail scripts not written"));
        setStatusText(QStringLiteral("メールアドレス書込中"));
        openScript(m_context.appFolder.scriptFile(QStringLiteral("mail.eep")));
        m_lineCounter = 0;
        return SendMailLine;
    case SendMailLine:
        return sendNextLine(MailDone);
    case AwaitMailAck:
        return awaitAcknowledgement(SendMailLine);
    case MailDone:
        closeScript();
        setStatusText(QStringLiteral("メールアドレス書込完了"));
        openScript(m_context.appFolder.scriptFile(QStringLiteral("ArmNet.eep")));
        m_lineCounter = 0;
        pause(0.5);
        setStatusText(QStringLiteral("設定書込中"));
        return SendAlarmNetLine;
    case SendAlarmNetLine:
        return sendNextLine(AlarmNetDone);
    case AwaitAlarmNetAck:
        return awaitAcknowledgement(SendAlarmNetLine);
    case AlarmNetDone:
        closeScript();
        setStatusText(QStringLiteral("設定書込完了"));
        openScript(m_context.appFolder.scriptFile(QStringLiteral("Mmail.eep")));
        m_lineCounter = 0;
        setStatusText(QStringLiteral("接続設定書込中"));
        return SendConnectionLine;
    case SendConnectionLine:
        return sendNextLine(Finished);
    case AwaitConnectionAck:
        return awaitAcknowledgement(SendConnectionLine);
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
