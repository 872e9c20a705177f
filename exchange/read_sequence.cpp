#include "exchange/read_sequence.h"

#include "base/run_time_error.h"
#include "files/model_table.h"
#include "exchange/sequence_screen.h"
#include "files/app_folder.h"
#include "files/model_definition.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "state/settings_state.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcRead, "telvaro.link.read")

namespace {

// The characters after the model code in the answer to "EERM0".
constexpr qsizetype kModelSuffixLength = 6;

const QString kCannotOpenPort = QStringLiteral("通信ポートを開けません。");

// The answer to "EERC9" must be empty or a whole number in the 16-bit range.
void checkChannelCount(const QString &answer)
{
    const QString text = answer.trimmed();
    if (text.isEmpty())
        return;
    bool ok = false;
    text.toShort(&ok);
    if (!ok)
        throw RunTimeError(QStringLiteral("channel count answer is no 16-bit number: %1").arg(answer));
}

} // namespace

ReadSequence::ReadSequence(const SequenceContext &context)
    : Sequence(context)
{
}

void ReadSequence::ReadFromLogger(const PortChoice &choice)
{
    run(m_context.appFolder.file(QStringLiteral("select.eep")), Finished, [&] { return step(choice); }, [this](const std::exception &) {
        m_context.screen.showMessage(kCannotOpenPort);
        m_context.screen.showConnectionButtons();
    });
}

void ReadSequence::chooseModelFile()
{
    const QString answer = StripLineEnds(lastReply());
    if (answer.size() < kModelSuffixLength)
        throw RunTimeError(QStringLiteral("model answer too short: %1").arg(answer));
    const QString modelCode = answer.left(answer.size() - kModelSuffixLength);
    m_context.state.ModelCode = modelCode;
    if (const auto file = modelDefinitionFileFor(modelCode))
        m_context.state.ModelIniPath = m_context.appFolder.file(*file);
    else
        qCInfo(lcRead) << "unknown model code" << modelCode << "- keeping" << m_context.state.ModelIniPath;
}

qint16 ReadSequence::step(const PortChoice &choice)
{
    SettingsState &state = m_context.state;
    switch (m_SeqState) {
    case OpenPort:
    case AwaitWakeUp:
    case AnswerWakeUp:
    case AwaitReady:
    case SendCommandModeOn:
    case AwaitCommandModeOn:
        return handshakeStep(choice, SendModelQuery, 2);
    case SendModelQuery:
        setStatusText(QStringLiteral("Ch情報取得中"));
        sendCommand(QStringLiteral("EERM0"), false);
        return AwaitModel;
    case AwaitModel:
        if (await(LineCRLF, 2)) {
            echoReply();
            chooseModelFile();
            return SendChannelQuery;
        }
        // Shares the handshake's retry counter and its limit.
        if (m_retryCounter > 3)
            return fail();
        ++m_retryCounter;
        pause(2);
        return SendModelQuery;
    case SendChannelQuery:
        sendCommand(QStringLiteral("EERC9"), false);
        return AwaitChannelCount;
    case AwaitChannelCount:
        if (!await(LineCRLF, 20))
            return fail();
        checkChannelCount(StripLineEnds(lastReply()));
        state.ChannelsAnswer = StripLineEnds(lastReply());
        return SendChannelLine;
    case SendChannelLine:
        return sendNextLine(ChannelsDone);
    case AwaitChannelAnswer:
        return awaitLineAnswer(20, SendChannelLine, [&](const QString &answer) { state.EepChannel.at(++m_lineCounter) = answer; });
    case ChannelsDone:
        closeScript();
        setStatusText(QStringLiteral("Ch情報取得終了"));
        LoadModelDefinition(state);
        m_context.screen.showChannels();
        openScript(m_context.appFolder.file(QStringLiteral("select01.eep")));
        m_lineCounter = 0;
        pause(0.5);
        setStatusText(QStringLiteral("メールアドレス取得中"));
        return SendMailLine;
    case SendMailLine:
        return sendNextLine(MailDone);
    case AwaitMailAnswer:
        return awaitLineAnswer(4, SendMailLine, [&](const QString &answer) { state.EepMail.at(++m_lineCounter) = answer; });
    case MailDone:
        closeScript();
        setStatusText(QStringLiteral("メールアドレス取得終了"));
        m_context.screen.showMailAddresses();
        openScript(m_context.appFolder.file(QStringLiteral("select02.eep")));
        m_lineCounter = 0;
        setStatusText(QStringLiteral("接続設定取得中"));
        return SendConnectionLine;
    case SendConnectionLine:
        return sendNextLine(SendCommandModeOff);
    case AwaitConnectionAnswer:
        return awaitLineAnswer(10, SendConnectionLine, [&](const QString &answer) { state.EepConnect.at(++m_lineCounter) = answer; });
    case SendCommandModeOff:
        sendCommand(QStringLiteral("CAOFF"));
        return AwaitCommandModeOff;
    case AwaitCommandModeOff:
        // The read is complete either way; the answer is only logged.
        if (await(QStringLiteral("OK") + LineCRLF, 4))
            echoReply();
        return Finished;
    case Finished:
        releaseEverything();
        setStatusText(QStringLiteral("読込完了"));
        m_context.screen.showConnection();
        m_context.screen.unlockScreen();
        return Finished;
    case Failed:
        releaseEverything();
        m_context.screen.showMessage(kCannotOpenPort);
        m_context.screen.showConnectionButtons();
        return Failed;
    }
    throw RunTimeError(QStringLiteral("read state %1 does not exist").arg(m_SeqState));
}
