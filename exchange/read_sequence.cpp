#include "exchange/read_sequence.h"

#include "base/run_time_error.h"
#include "exchange/modal_boxes.h"
#include "files/app_folder.h"
#include "files/model_definition.h"
#include "files/model_table.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "model/screen_lock.h"
#include "model/show_channels.h"
#include "model/show_connection.h"
#include "model/show_mail_addresses.h"
#include "state/settings_state.h"

#include <QLoggingCategory>

#include <array>

using namespace telvaro::base;
using namespace telvaro::files;
using namespace telvaro::model;
using namespace telvaro::link;

namespace telvaro::exchange {

Q_LOGGING_CATEGORY(lcRead, "telvaro.link.read")

namespace {

using State = ReadSequence::State;

// The three read scripts, in the order of the device image.
constexpr std::array kReadBlocks{
    ScriptBlock{
        .file = u"select.eep",
        .origin = ScriptOrigin::Installed,
        .sendState = State::SendChannelLine,
        .awaitState = State::AwaitChannelAnswer,
        .endState = State::ChannelsDone,
        .answerTimeout = &ExchangeTimings::channelAnswerTimeout,
        .answers = AnswerTable::EepChannel,
        .statusDone = u"Ch情報取得終了",
        .after = [](const SequenceContext &context) {
            LoadModelDefinition(context.state);
            ShowChannels(context.state, context.screen);
        },
    },
    ScriptBlock{
        .file = u"select01.eep",
        .origin = ScriptOrigin::Installed,
        .sendState = State::SendMailLine,
        .awaitState = State::AwaitMailAnswer,
        .endState = State::MailDone,
        .answerTimeout = &ExchangeTimings::mailAnswerTimeout,
        .answers = AnswerTable::EepMail,
        .pauseBefore = &ExchangeTimings::pauseBeforeMailBlock,
        .statusStarted = u"メールアドレス取得中",
        .statusDone = u"メールアドレス取得終了",
        .after = [](const SequenceContext &context) { ShowMailAddresses(context.state, context.screen); },
    },
    ScriptBlock{
        .file = u"select02.eep",
        .origin = ScriptOrigin::Installed,
        .sendState = State::SendConnectionLine,
        .awaitState = State::AwaitConnectionAnswer,
        .endState = State::SendCommandModeOff,
        .answerTimeout = &ExchangeTimings::connectionAnswerTimeout,
        .answers = AnswerTable::EepConnect,
        .statusStarted = u"接続設定取得中",
    },
};

static_assert(areDistinct({Sequence::OpenPort, Sequence::AwaitWakeUp, Sequence::AnswerWakeUp, Sequence::AwaitReady,
                           Sequence::SendCommandModeOn, Sequence::AwaitCommandModeOn, State::SendModelQuery,
                           State::AwaitModel, State::SendChannelQuery, State::AwaitChannelCount,
                           State::SendChannelLine, State::AwaitChannelAnswer, State::ChannelsDone, State::SendMailLine,
                           State::AwaitMailAnswer, State::MailDone, State::SendConnectionLine,
                           State::AwaitConnectionAnswer, State::SendCommandModeOff, State::AwaitCommandModeOff,
                           State::Finished, Sequence::Failed,
                           Sequence::SendStopCommandModeOff, Sequence::AwaitStopCommandModeOff, Sequence::Interrupted}));
static_assert(blocksChain(kReadBlocks, Sequence::AwaitCommandModeOn, Sequence::Failed));
// After the connection block, command mode is switched off before the read finishes.
static_assert(kReadBlocks.back().endState == State::SendCommandModeOff);

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
    : Sequence(context, Shape{kReadBlocks, &ExchangeTimings::readHandshakeRetryPause, SendModelQuery, Finished})
{
}

void ReadSequence::ReadFromLogger(const PortChoice &choice, EndHandler ended)
{
    start(choice, std::move(ended));
}

Sequence::Next ReadSequence::ownStep()
{
    const ExchangeTimings &times = timings();
    switch (m_SeqState) {
    case SendModelQuery:
        setStatusText(u"Ch情報取得中");
        sendCommand(QStringLiteral("EERM0"), Echo::No);
        return AwaitModel;
    case AwaitModel:
        return await(LineCRLF, times.modelQueryTimeout, [this](bool received) -> Next {
            if (received) {
                echoReply();
                chooseModelFile();
                return SendChannelQuery;
            }
            if (!mayRetry(timings().commandRetryLimit))
                return fail();
            return pauseThen(timings().modelQueryRetryPause, [] { return Next(SendModelQuery); });
        });
    case SendChannelQuery:
        sendCommand(QStringLiteral("EERC9"), Echo::No);
        return AwaitChannelCount;
    case AwaitChannelCount:
        // A malformed answer ends the read; the answer is kept for the settings file.
        return await(LineCRLF, times.channelCountTimeout, [this](bool received) -> Next {
            if (!received)
                return fail();
            checkChannelCount(StripLineEnds(lastReply()));
            m_context.state.ChannelsAnswer = StripLineEnds(lastReply());
            return SendChannelLine;
        });
    case SendCommandModeOff:
        sendCommand(QStringLiteral("CAOFF"));
        return AwaitCommandModeOff;
    case AwaitCommandModeOff:
        // The read is complete either way; the answer is only logged.
        return await(QStringLiteral("OK") + LineCRLF, times.commandModeOffTimeout, [this](bool received) -> Next {
            if (received)
                echoReply();
            return Finished;
        });
    case Finished:
        releaseEverything();
        setStatusText(u"読込完了");
        ShowConnection(m_context.state, m_context.screen);
        UnlockScreen(m_context.state, m_context.screen);
        return Finished;
    }
    throw RunTimeError(QStringLiteral("read state %1 does not exist").arg(m_SeqState));
}

void ReadSequence::endFailed()
{
    m_context.boxes.showFailure(kCannotOpenPort, failure());
    ShowConnectionButtons(m_context.screen);
}

void ReadSequence::endInterrupted()
{
    ShowConnectionButtons(m_context.screen);
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

} // namespace telvaro::exchange
