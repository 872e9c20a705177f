#include "link/link.h"

#include "text/cp932.h"

#include <QLoggingCategory>

using namespace telvaro::text;

namespace telvaro::link {

// Every byte sent and received, passwords masked; enable with
// QT_LOGGING_RULES="telvaro.link.wire.debug=true".
Q_LOGGING_CATEGORY(lcWire, "telvaro.link.wire", QtInfoMsg)

QString StripLineEnds(const QString &text)
{
    QString stripped = text;
    stripped.remove(u'\r');
    stripped.remove(u'\n');
    return stripped;
}

QByteArray StripLineEnds(const QByteArray &bytes)
{
    QByteArray stripped = bytes;
    stripped.replace('\r', QByteArrayView());
    stripped.replace('\n', QByteArrayView());
    return stripped;
}

Link::Link(SerialLine &line) : m_line(line)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Link::onTimer);
    connect(&m_line, &SerialLine::readyRead, this, &Link::takeInput);
    connect(&m_line, &SerialLine::lineLost, this, &Link::takeInput);
}

std::optional<PortOpenFailure> Link::openPort(int portNumber, const QString &settings)
{
    return m_line.open(portNumber, settings);
}

void Link::releasePort()
{
    m_timer.stop();
    m_pending = Pending::Nothing;
    m_replyHandler = nullptr;
    m_pauseHandler = nullptr;
    m_line.release();
}

bool Link::isPortOpen() const
{
    return m_line.isOpen();
}

void Link::discardInput()
{
    m_line.discardInput();
}

void Link::sendText(const QString &text)
{
    sendBytes(Cp932::encode(text));
}

void Link::sendBytes(const QByteArray &bytes)
{
    m_line.discardInput();
    const QByteArray traced = m_traceMasking.sent(bytes);
    qCDebug(lcWire) << "sent" << traced;
    m_line.write(bytes);
    emit sentTraced(traced);
}

void Link::WaitForReply(const QString &expected, std::chrono::milliseconds timeout, ReplyHandler handler)
{
    Q_ASSERT(m_pending == Pending::Nothing);
    m_lastReply.clear();
    m_lastReplyBytes.clear();
    m_received = ReplyAccumulator();
    m_wanted = Cp932::encode(expected);
    // A text the line cannot carry (encoded with "?" in its place) can never arrive.
    m_findable = !m_wanted.contains('?') || Cp932::canEncode(expected);
    m_expected = expected;
    m_timeout = timeout;
    m_replyHandler = std::move(handler);
    m_pending = Pending::Reply;
    m_deadline = QDeadlineTimer(timeout, Qt::PreciseTimer);
    emit waitStarted(expected, timeout);
    startTimer(timeout);
    // What is already there, or a line already gone, is looked at as what is still to come:
    // from the event loop. Anything else announces itself.
    if (m_line.bytesAvailable() > 0 || !m_line.isOpen())
        QMetaObject::invokeMethod(this, &Link::takeInput, Qt::QueuedConnection);
}

void Link::pause(std::chrono::milliseconds duration, PauseHandler handler)
{
    Q_ASSERT(m_pending == Pending::Nothing);
    m_pauseHandler = std::move(handler);
    m_pending = Pending::Pause;
    m_deadline = QDeadlineTimer(duration, Qt::PreciseTimer);
    emit pauseStarted(duration);
    startTimer(duration);
}

void Link::startTimer(std::chrono::milliseconds duration)
{
    m_timer.start(std::max(duration, std::chrono::milliseconds(0)));
}

void Link::takeInput()
{
    // News of the line outside a wait stays in the line for the next one (or is discarded there).
    if (m_pending != Pending::Reply)
        return;
    if (m_line.bytesAvailable() > 0) {
        const QByteArray piece = m_line.readAll();
        const QByteArray traced = m_traceMasking.received(piece);
        qCDebug(lcWire) << "received" << traced;
        emit receivedTraced(traced);
        m_received.append(piece);
        if (m_findable && m_received.contains(m_wanted)) {
            endWait(ReplyResult::Received);
            return;
        }
        m_received.keepLastCharacters();
    }
    if (!m_line.isOpen())
        endWait(ReplyResult::TimedOut);
}

void Link::onTimer()
{
    // Timers count whole milliseconds; should one fire a hair early, wait out the rest.
    if (!m_deadline.hasExpired()) {
        startTimer(std::chrono::milliseconds(m_deadline.remainingTime()));
        return;
    }
    switch (m_pending) {
    case Pending::Nothing:
        return;
    case Pending::Reply:
        // What came with the deadline still counts.
        takeInput();
        if (m_pending == Pending::Reply) {
            qCDebug(lcWire) << "no" << m_expected << "within" << m_timeout.count() << "ms";
            endWait(ReplyResult::TimedOut);
        }
        return;
    case Pending::Pause: {
        m_pending = Pending::Nothing;
        const PauseHandler handler = std::exchange(m_pauseHandler, nullptr);
        handler();
        return;
    }
    }
}

void Link::endWait(ReplyResult result)
{
    m_timer.stop();
    m_pending = Pending::Nothing;
    m_lastReplyBytes = m_received.bytes();
    m_lastReply = m_received.text();
    emit waitEnded(result);
    const ReplyHandler handler = std::exchange(m_replyHandler, nullptr);
    handler(result);
}

} // namespace telvaro::link
