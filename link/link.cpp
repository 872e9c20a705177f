#include "link/link.h"

#include "link/reply_accumulator.h"
#include "text/cp932.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

// Every byte sent and received, passwords masked; enable with
// QT_LOGGING_RULES="telvaro.link.wire.debug=true".
Q_LOGGING_CATEGORY(lcWire, "telvaro.link.wire", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLink, "telvaro.link", QtInfoMsg)

namespace {

// A local event loop that only the link's own events end: the deadline's timer and, when given
// a line, news on it.
class WaitLoop
{
public:
    explicit WaitLoop(SerialLine *line)
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_loop, [this] { wake(); });
        if (line) {
            QObject::connect(line, &SerialLine::readyRead, &m_loop, [this] { wake(); });
            QObject::connect(line, &SerialLine::lineLost, &m_loop, [this] { wake(); });
        }
    }

    // Lets events run until woken or the deadline. False when the loop ended without either:
    // the application is quitting, and every event loop now returns at once.
    bool sleepUntil(const QDeadlineTimer &deadline)
    {
        m_woken = false;
        m_timer.start(std::chrono::milliseconds(deadline.remainingTime()));
        m_loop.exec();
        m_timer.stop();
        if (!m_woken)
            qCInfo(lcLink) << "a wait ended early: the application is quitting";
        return m_woken;
    }

private:
    void wake()
    {
        m_woken = true;
        m_loop.quit();
    }

    QEventLoop m_loop;
    QTimer m_timer;
    bool m_woken = false;
};

} // namespace

QString StripLineEnds(const QString &text)
{
    QString stripped = text;
    stripped.remove(u'\r');
    stripped.remove(u'\n');
    return stripped;
}

Link::Link(SerialLine &line) : m_line(line) {}

void Link::openPort(int portNumber, const QString &settings)
{
    m_line.open(portNumber, settings);
}

void Link::releasePort()
{
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
    m_line.discardInput();
    const QByteArray bytes = Cp932::encode(text);
    const QByteArray traced = m_traceMasking.sent(bytes);
    qCDebug(lcWire) << "sent" << traced;
    m_line.write(bytes);
}

qint16 Link::WaitForReply(const QString &expected, std::chrono::milliseconds timeout)
{
    m_lastReply.clear();
    ReplyAccumulator received;
    const QByteArray wanted = Cp932::encode(expected);
    // A text the line cannot carry (encoded with "?" in its place) can never arrive.
    const bool findable = !wanted.contains('?') || Cp932::canEncode(expected);
    // A monotonic clock: midnight and clock changes do not shorten or stretch the wait.
    const QDeadlineTimer deadline(timeout, Qt::PreciseTimer);
    WaitLoop loop(&m_line);

    for (;;) {
        if (m_line.bytesAvailable() > 0) {
            const QByteArray piece = m_line.readAll();
            const QByteArray traced = m_traceMasking.received(piece);
            qCDebug(lcWire) << "received" << traced;
            received.append(piece);
            if (findable && received.contains(wanted)) {
                m_lastReply = received.text();
                return kReplyReceived;
            }
            received.keepLastCharacters();
        }
        if (deadline.hasExpired() || !m_line.isOpen() || !loop.sleepUntil(deadline)) {
            m_lastReply = received.text();
            qCDebug(lcWire) << "no" << expected << "within" << timeout.count() << "ms";
            return kReplyTimedOut;
        }
    }
}

void Link::pause(std::chrono::milliseconds duration)
{
    const QDeadlineTimer deadline(duration, Qt::PreciseTimer);
    WaitLoop loop(nullptr);
    // Timers count whole milliseconds; should one fire a hair early, wait out the rest.
    while (!deadline.hasExpired()) {
        if (!loop.sleepUntil(deadline))
            return;
    }
}
