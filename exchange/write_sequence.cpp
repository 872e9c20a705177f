#include "exchange/write_sequence.h"

#include "base/run_time_error.h"
#include "exchange/modal_boxes.h"
#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"
#include "files/unsendable_text.h"
#include "model/screen_lock.h"
#include "state/settings_state.h"

#include <array>

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::model;

namespace telvaro::exchange {

namespace {

using State = WriteSequence::State;

// The four script files, in the order they are sent.
constexpr std::array kWriteBlocks{
    ScriptBlock{
        .file = u"Arm.eep",
        .origin = ScriptOrigin::Written,
        .sendState = State::SendAlarmLine,
        .awaitState = State::AwaitAlarmAck,
        .endState = State::AlarmsDone,
        .answerTimeout = &ExchangeTimings::acknowledgementTimeout,
        // Kept in the channel image, where the next read overwrites them.
        .answers = AnswerTable::EepChannel,
    },
    ScriptBlock{
        .file = u"mail.eep",
        .origin = ScriptOrigin::Written,
        .sendState = State::SendMailLine,
        .awaitState = State::AwaitMailAck,
        .endState = State::MailDone,
        .answerTimeout = &ExchangeTimings::acknowledgementTimeout,
        .statusOpening = u"メールアドレス書込中",
        .statusDone = u"メールアドレス書込完了",
    },
    ScriptBlock{
        .file = u"ArmNet.eep",
        .origin = ScriptOrigin::Written,
        .sendState = State::SendAlarmNetLine,
        .awaitState = State::AwaitAlarmNetAck,
        .endState = State::AlarmNetDone,
        .answerTimeout = &ExchangeTimings::acknowledgementTimeout,
        .pauseBefore = &ExchangeTimings::pauseBeforeAlarmNetBlock,
        .statusStarted = u"設定書込中",
        .statusDone = u"設定書込完了",
    },
    ScriptBlock{
        .file = u"Mmail.eep",
        .origin = ScriptOrigin::Written,
        .sendState = State::SendConnectionLine,
        .awaitState = State::AwaitConnectionAck,
        .endState = State::Finished,
        .answerTimeout = &ExchangeTimings::acknowledgementTimeout,
        .statusStarted = u"接続設定書込中",
    },
};

static_assert(areDistinct({Sequence::OpenPort, Sequence::AwaitWakeUp, Sequence::AnswerWakeUp, Sequence::AwaitReady,
                           Sequence::SendCommandModeOn, Sequence::AwaitCommandModeOn, State::SendAlarmLine,
                           State::AwaitAlarmAck, State::AlarmsDone, State::SendMailLine, State::AwaitMailAck,
                           State::MailDone, State::SendAlarmNetLine, State::AwaitAlarmNetAck, State::AlarmNetDone,
                           State::SendConnectionLine, State::AwaitConnectionAck, State::Finished, Sequence::Failed,
                           Sequence::SendStopCommandModeOff, Sequence::AwaitStopCommandModeOff, Sequence::Interrupted}));
static_assert(blocksChain(kWriteBlocks, Sequence::AwaitCommandModeOn, Sequence::Failed));
// Command mode leads straight into the first block; the last block's end is the write's.
static_assert(kWriteBlocks.front().sendState == State::SendAlarmLine && kWriteBlocks.back().endState == State::Finished);

const QString kCannotOpenPort = QStringLiteral("通信ポートを開けません。");
const QString kCannotWriteScript = QStringLiteral("書込ファイルを作成できません。");
const QString kUnsendableText = QStringLiteral("送信できない文字が含まれています。");
const QString kWritten = QStringLiteral("設定の書き込みに成功しました。");
// What the status panel says of a write that never began.
const QString kUnsendableStatus = QStringLiteral("送信できない文字: %1");
const QString kWriteCancelled = QStringLiteral("書込を中止しました");

} // namespace

WriteSequence::WriteSequence(const SequenceContext &context, const plan::WritePlan &plan)
    : Sequence(context, Shape{kWriteBlocks, &ExchangeTimings::writeHandshakeRetryPause, SendAlarmLine, Finished, true})
    , m_plan(plan)
{
}

void WriteSequence::WriteToLogger(const PortChoice &choice, EndHandler ended)
{
    start(choice, std::move(ended));
}

QString WriteSequence::scriptFiles(std::initializer_list<QStringView> names) const
{
    QStringList paths;
    for (const QStringView name : names)
        paths.append(m_context.appFolder.scriptFile(name.toString()));
    return paths.join(QStringLiteral(", "));
}

std::optional<ExchangeResult::Outcome> WriteSequence::prepare()
{
    const AlarmScriptInputs &alarmInputs = m_plan.alarm;
    const MailScriptInputs &mailInputs = m_plan.mail;
    if (const std::optional<QString> field = firstUnsendableField(alarmInputs, mailInputs)) {
        setStatusText(kUnsendableStatus.arg(*field));
        noteFailure(ExchangeFailure::Cause::UnsendableText, {}, *field);
        endWithMessage(kUnsendableText);
        return ExchangeResult::Outcome::Failed;
    }
    // The operator may know better than the checks, but is asked before anything goes out.
    m_findings = m_plan.findings;
    if (!m_findings.isEmpty() && !m_context.boxes.writeDespite(m_findings)) {
        setStatusText(kWriteCancelled);
        UnlockScreen(m_context.state, m_context.screen);
        return ExchangeResult::Outcome::Declined;
    }
    // The screen is locked for the whole write, so all four files can be built before the port
    // opens: a file that cannot be written then stops the write before the logger is touched.
    const auto notWritten = [this](std::initializer_list<QStringView> names) {
        noteFailure(ExchangeFailure::Cause::ScriptNotWritten, scriptFiles(names));
        endWithMessage(kCannotWriteScript);
        return ExchangeResult::Outcome::Failed;
    };
    if (!BuildAlarmScript(m_context.appFolder, alarmInputs, m_context.state.ImageBytes))
        return notWritten({u"Arm.eep", u"ArmNet.eep"});
    if (!BuildMailScript(m_context.appFolder, mailInputs, m_context.state.ImageBytes))
        return notWritten({u"mail.eep", u"Mmail.eep"});
    return std::nullopt;
}

Sequence::Next WriteSequence::ownStep()
{
    if (m_SeqState != Finished)
        throw RunTimeError(QStringLiteral("write state %1 does not exist").arg(m_SeqState));
    releaseEverything();
    setStatusText(u"書込完了");
    UnlockScreen(m_context.state, m_context.screen);
    m_context.boxes.showMessage(kWritten);
    return Finished;
}

void WriteSequence::endFailed()
{
    endWithMessage(kCannotOpenPort);
}

void WriteSequence::endInterrupted()
{
    UnlockScreen(m_context.state, m_context.screen);
}

void WriteSequence::endWithMessage(const QString &message)
{
    m_context.boxes.showFailure(message, failure());
    UnlockScreen(m_context.state, m_context.screen);
}

} // namespace telvaro::exchange
