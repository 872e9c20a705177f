#include "link/link.h"

#include "link/reply_accumulator.h"
#include "text/cp932.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTimer>

#include <chrono>

// Every byte sent and received; enable with QT_LOGGING_RULES="telvaro.link.wire.debug=true".
Q_LOGGING_CATEGORY(lcWire, "telvaro.link.wire", QtInfoMsg)

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
    qCDebug(lcWire) << "sent" << bytes;
    m_line.write(bytes);
}

qint16 Link::WaitForReply(const QString &expected, qint16 timeoutSeconds)
{
    m_lastReply.clear();
    ReplyAccumulator received;
    const QByteArray wanted = Cp932::encode(expected);
    // A text the line cannot carry (encoded with "?" in its place) can never arrive.
    const bool findable = !wanted.contains('?') || Cp932::canEncode(expected);
    // A monotonic clock: midnight and clock changes do not shorten or stretch the wait.
    const QDeadlineTimer deadline(std::chrono::seconds(timeoutSeconds), Qt::PreciseTimer);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&m_line, &SerialLine::readyRead, &loop, &QEventLoop::quit);
    connect(&m_line, &SerialLine::lineLost, &loop, &QEventLoop::quit);

    for (;;) {
        if (m_line.bytesAvailable() > 0) {
            const QByteArray piece = m_line.readAll();
            qCDebug(lcWire) << "received" << piece;
            received.append(piece);
            if (findable && received.contains(wanted)) {
                m_lastReply = received.text();
                return kReplyReceived;
            }
            received.keepLastCharacters();
        }
        if (deadline.hasExpired() || !m_line.isOpen()) {
            m_lastReply = received.text();
            qCDebug(lcWire) << "no" << expected << "within" << timeoutSeconds << "s";
            return kReplyTimedOut;
        }
        timer.start(std::chrono::milliseconds(deadline.remainingTime()));
        loop.exec();
    }
}

void Link::pause(double seconds)
{
    const QDeadlineTimer deadline(qint64(seconds * 1000.0), Qt::PreciseTimer);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // Timers count whole milliseconds; should one fire a hair early, wait out the rest.
    while (!deadline.hasExpired()) {
        timer.start(std::chrono::milliseconds(deadline.remainingTime()));
        loop.exec();
    }
}
