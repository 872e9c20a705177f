#include "simulator/simulated_logger.h"

#include "base/logger_models.h"
#include "link/secret_masking.h"
#include "simulator/simulator_port.h"
#include "text/cp932.h"

#include <optional>

using namespace telvaro::base;
using namespace telvaro::text;
using namespace telvaro::link;

namespace telvaro::simulator {

Q_LOGGING_CATEGORY(lcSimulatedLogger, "telvaro.sim", QtInfoMsg)

namespace {

// Closing the master discards what the tool has not read yet: the last reply gets a moment.
constexpr std::chrono::milliseconds kHangUpGrace{200};
// What one line may hold before the logger gives up on it: a tool that never ends its line
// must not make the logger grow without bound.
constexpr qsizetype kMaxInput = 64 * 1024;

const QByteArray kCrLf("\r\n");
const QByteArray kHandshake("\rCONNECT\r");
const QByteArray kUnknownItem("???");
const QByteArray kOk("OK");
const QByteArray kRefused("NG");
// "ArmNet.eep" sets the limits under their second name, with a "," for the "=".
constexpr QByteArrayView kLimitsSecondName(LoggerItems::row("ALARM").alsoWrittenAs.data(),
                                           qsizetype(LoggerItems::row("ALARM").alsoWrittenAs.size()));

} // namespace

SimulatedLogger::SimulatedLogger(std::unique_ptr<SimulatorPort> port, const SimulatedLoggerOptions &options,
                                 QObject *parent)
    : QObject(parent)
    , m_port(std::move(port))
    , m_options(options)
    , m_settings(options.settingsFile)
{
    const LoggerModel *model =
        findLoggerModel(std::string_view(options.modelCode.constData(), std::size_t(options.modelCode.size())));
    m_shape.presentChannels =
        std::min(model ? model->channels : LoggerItems::kChannelRows, std::max(0, options.absentFromRow));
    m_shape.hasApn = (model ? model->hasApn : true) && !options.noApn;
    if (!m_settings.load(&m_settingsError))
        qCWarning(lcSimulatedLogger) << m_settingsError;

    m_atTimer.setInterval(options.atInterval);
    connect(&m_atTimer, &QTimer::timeout, this, &SimulatedLogger::sendAt);
    connect(&m_output, &TimedOutput::send, m_port.get(), &SimulatorPort::send);
    connect(&m_output, &TimedOutput::hangUp, this, [this] {
        m_hungUp = true;
        m_port->hangUp();
        setPhase(Phase::Released);
        emit hungUp();
    });
    connect(m_port.get(), &SimulatorPort::held, this, &SimulatedLogger::onHeld);
    connect(m_port.get(), &SimulatorPort::released, this, &SimulatedLogger::onReleased);
    connect(m_port.get(), &SimulatorPort::received, this, &SimulatedLogger::onReceived);
    if (m_port->isHeld())
        onHeld();
}

SimulatedLogger::~SimulatedLogger() = default;

QString SimulatedLogger::value(const QString &key) const
{
    return Cp932::decode(m_settings.value(Cp932::encode(key)));
}

void SimulatedLogger::setPhase(Phase phase)
{
    if (phase == m_phase)
        return;
    m_phase = phase;
    if (phase == Phase::Waking && !m_options.neverSendAt) {
        sendAt();
        m_atTimer.start();
    } else {
        m_atTimer.stop();
    }
    qCDebug(lcSimulatedLogger) << "phase" << phase;
    emit phaseChanged(phase);
}

void SimulatedLogger::onHeld()
{
    if (m_hungUp)
        return;
    m_input.clear();
    setPhase(Phase::Waking);
}

void SimulatedLogger::onReleased()
{
    // Letting go of the line ends command mode; nothing queued for the old holder survives.
    m_output.clear();
    m_input.clear();
    setPhase(Phase::Released);
}

void SimulatedLogger::sendAt()
{
    // Behind any reply still on its way, so "AT" never overtakes the "OK" to "CAOFF".
    m_output.sendAfter("AT" + kCrLf, {});
}

void SimulatedLogger::onReceived(const QByteArray &bytes)
{
    if (m_phase == Phase::Released)
        return;
    m_input += bytes;
    for (;;) {
        const qsizetype handshake = m_input.indexOf(kHandshake);
        const qsizetype lineEnd = m_input.indexOf(kCrLf);
        if (handshake >= 0 && (lineEnd < 0 || handshake <= lineEnd)) {
            m_input.remove(0, handshake + kHandshake.size());
            handleHandshake();
        } else if (lineEnd >= 0) {
            const QByteArray line = m_input.left(lineEnd);
            m_input.remove(0, lineEnd + kCrLf.size());
            handleCommand(line);
        } else {
            break;
        }
        if (m_phase == Phase::Released)
            return;
    }
    if (m_input.size() > kMaxInput)
        m_input = m_input.right(kHandshake.size()); // keep what could begin a handshake
}

void SimulatedLogger::handleHandshake()
{
    m_receivedLines.append("CONNECT");
    emit lineReceived("CONNECT");
    if (m_handshakesIgnored < m_options.ignoreHandshakes) {
        ++m_handshakesIgnored;
        return;
    }
    if (m_phase == Phase::Waking)
        setPhase(Phase::Awake);
    if (m_options.floodBytes > 0) {
        static const QByteArray kPattern("0123456789ABCDEF");
        QByteArray flood = kPattern.repeated(m_options.floodBytes / kPattern.size() + 1);
        flood.truncate(m_options.floodBytes);
        m_output.sendAfter(flood, m_options.replyDelay);
    }
    reply("READY", m_options.replyDelay);
}

void SimulatedLogger::handleCommand(const QByteArray &line)
{
    m_receivedLines.append(line);
    emit lineReceived(line);
    qCDebug(lcSimulatedLogger) << "received" << SecretMasking::masked(line);
    ++m_commandCount;

    std::optional<QByteArray> answer; // no value: the logger keeps silent
    QByteArray writtenKey;
    if (m_phase == Phase::Awake && line == "CAON") {
        if (m_caonsIgnored < m_options.ignoreCaons)
            ++m_caonsIgnored;
        else
            answer = kOk;
    } else if (m_phase == Phase::Command) {
        answer = answerFor(line, &writtenKey);
    }

    const bool dropped = m_commandCount == m_options.dropReplyToCommand
        || (!m_options.dropRepliesContaining.isEmpty() && line.contains(m_options.dropRepliesContaining));
    const std::chrono::milliseconds delay = !writtenKey.isEmpty() && writtenKey == m_options.slowWriteKey
        ? std::max(m_options.replyDelay, m_options.slowWriteDelay)
        : m_options.replyDelay;
    if (m_options.echoCommands && answer)
        m_output.sendAfter(line + kCrLf, delay);
    if (answer && !dropped)
        reply(*answer, delay, line.endsWith('?') ? m_options.replyTrailer : QByteArray());
    if (answer == kOk && line == "CAON")
        setPhase(Phase::Command);
    else if (answer == kOk && line == "CAOFF")
        setPhase(Phase::Waking);
    if (m_commandCount == m_options.hangUpAfterCommands)
        m_output.hangUpAfter(delay + kHangUpGrace);
}

QByteArray SimulatedLogger::answerFor(const QByteArray &line, QByteArray *writtenKey)
{
    if (line == "CAON" || line == "CAOFF")
        return kOk;
    if (line == "EERM0")
        return m_options.modelCode + m_options.modelSuffix;
    if (line == "EERC9")
        return m_options.channelCountAnswer.value_or(QByteArray::number(m_shape.presentChannels));
    if (line.endsWith('?'))
        return readItem(line.chopped(1));
    qsizetype separator = line.indexOf('=');
    if (separator < 0 && line.startsWith(kLimitsSecondName))
        separator = line.indexOf(',');
    if (separator > 0) {
        *writtenKey = line.left(separator);
        return writeItem(*writtenKey, line.mid(separator + 1));
    }
    return kRefused;
}

QByteArray SimulatedLogger::readItem(const QByteArray &key) const
{
    if (loggerItem(m_shape, key) != LoggerItem::Present)
        return kUnknownItem;
    return m_settings.value(key);
}

QByteArray SimulatedLogger::writeItem(const QByteArray &key, const QByteArray &value)
{
    if (loggerItem(m_shape, key) != LoggerItem::Present)
        return kRefused;
    if (key == m_options.ignoredWriteKey)
        return kOk;
    m_settings.setValue(key, value);
    if (!m_settings.save(&m_settingsError)) {
        qCWarning(lcSimulatedLogger) << m_settingsError;
        return kRefused;
    }
    return kOk;
}

void SimulatedLogger::reply(const QByteArray &answer, std::chrono::milliseconds delay, const QByteArray &trailer)
{
    const QByteArray bytes = answer + kCrLf + trailer;
    const int piece = m_options.splitRepliesBytes;
    if (piece <= 0) {
        m_output.sendAfter(bytes, delay);
        return;
    }
    for (qsizetype at = 0, n = 0; at < bytes.size(); at += piece, ++n)
        m_output.sendAfter(bytes.mid(at, piece), delay + n * m_options.splitPause);
}

} // namespace telvaro::simulator
