#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QStringList>

namespace telvaro::link {
class Link;
} // namespace telvaro::link

namespace telvaro::exchange {

// Every line the tool sent to the logger and took in from it during the last exchange, those
// the hidden exchange log leaves out included ("EERM0", "EERC9" and their answers), passwords
// masked, each with the time its first byte went or came. A line ends at CR LF, CR or LF, or
// where the other side's bytes begin; the last one may still be coming. An empty line received
// is shown (an empty answer); the line ends the tool sends around its handshake are not.
class WireLog : public QObject
{
    Q_OBJECT

public:
    enum class Direction { Sent, Received };
    struct Line
    {
        QDateTime at;
        Direction direction = Direction::Sent;
        QByteArray bytes; // code page 932, line end removed
    };

    // Follows what the link traces, each piece stamped with the time it went or came.
    explicit WireLog(const link::Link &link, QObject *parent = nullptr);

    void clear();
    // A piece sent or received, passwords already masked.
    void append(Direction direction, const QByteArray &masked, const QDateTime &at);
    const QList<Line> &lines() const { return m_lines; }

    // "16:53:01.234  → CAON", "16:53:01.301  ← OK": as the operator reads it.
    QStringList readableLines() const;
    // Readable lines as a log file: UTF-8, CR LF after every line.
    static QByteArray fileBytes(const QStringList &readableLines);

signals:
    void changed();

private:
    QList<Line> m_lines;
    bool m_lineOpen = false;
    bool m_afterCarriageReturn = false;
};

} // namespace telvaro::exchange
