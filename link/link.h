#pragma once

#include "link/port_open_failure.h"
#include "link/reply_accumulator.h"
#include "link/secret_masking.h"
#include "link/serial_line.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>

namespace telvaro::link {

// How a wait for a reply ended; the numbers are those the exchange has always used.
enum class ReplyResult : qint16 {
    Received = 2000, // the expected text arrived
    TimedOut = 2003, // it did not within the time-out, or the line went away
};

// The text with every carriage return and line feed removed, wherever they stand.
QString StripLineEnds(const QString &text);
// The same of code page 932 bytes: neither byte is ever part of a two-byte character.
QByteArray StripLineEnds(const QByteArray &bytes);

// The exchange primitives the read and write sequences are built from. A wait or a pause is
// started and ends later, on the serial line's and the timer's signals: nothing here runs an
// event loop of its own, so the window, its dialogs and other loggers' exchanges go on meanwhile.
// One wait or pause is in flight at a time.
class Link : public QObject
{
    Q_OBJECT

public:
    using ReplyHandler = std::function<void(ReplyResult)>;
    using PauseHandler = std::function<void()>;

    explicit Link(SerialLine &line);

    // Port number 1 is COM1. Nothing when the port is open, otherwise why not. Settings that are
    // no valid settings string throw RunTimeError.
    [[nodiscard]] std::optional<PortOpenFailure> openPort(int portNumber, const QString &settings);
    // Ends a wait or pause in flight without calling its handler; harmless when already closed.
    void releasePort();
    bool isPortOpen() const;
    void discardInput();
    // Discards pending input, then sends the text in code page 932 as it is.
    void sendText(const QString &text);
    // Discards pending input, then sends the bytes as they are: a line of a script file keeps
    // the codes it was written in, where encoding its text afresh could pick other ones.
    void sendBytes(const QByteArray &bytes);

    // Starts waiting until the expected text has arrived (Received) or the time-out has passed
    // (TimedOut); a lost line ends the wait at once as no reply. The handler is called once, from
    // the event loop, never from within this call; LastReply then holds all that this wait
    // received.
    void WaitForReply(const QString &expected, std::chrono::milliseconds timeout, ReplyHandler handler);
    const QString &LastReply() const { return m_lastReply; }
    // The same as it came over the line: the codes the logger holds its text in.
    const QByteArray &lastReplyBytes() const { return m_lastReplyBytes; }

    // Starts a pause; the handler is called once it is over, from the event loop.
    void pause(std::chrono::milliseconds duration, PauseHandler handler);

    // Whether a wait or a pause is in flight.
    bool isBusy() const { return m_pending != Pending::Nothing; }

signals:
    // Every wait and pause as it is asked for: what a test checks the exchange's timings against.
    void waitStarted(const QString &expected, std::chrono::milliseconds timeout);
    void waitEnded(ReplyResult result);
    void pauseStarted(std::chrono::milliseconds duration);
    // Every byte sent, and every byte taken in during a wait, as it goes and comes, with the two
    // passwords masked: what the exchange's log is made of.
    void sentTraced(const QByteArray &masked);
    void receivedTraced(const QByteArray &masked);

private:
    enum class Pending { Nothing, Reply, Pause };

    void takeInput();
    void onTimer();
    void endWait(ReplyResult result);
    void startTimer(std::chrono::milliseconds duration);

    SerialLine &m_line;
    QString m_lastReply;
    QByteArray m_lastReplyBytes;
    // The wire trace never shows a password.
    SecretMasking m_traceMasking;

    Pending m_pending = Pending::Nothing;
    QTimer m_timer;
    // A monotonic clock: midnight and clock changes do not shorten or stretch a wait.
    QDeadlineTimer m_deadline;
    ReplyAccumulator m_received;
    QByteArray m_wanted;
    bool m_findable = true;
    QString m_expected;
    std::chrono::milliseconds m_timeout{};
    ReplyHandler m_replyHandler;
    PauseHandler m_pauseHandler;
};

} // namespace telvaro::link
