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
// where the other side's bytes begin; the last one may still be coming.
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

    explicit WireLog(const link::Link &link, QObject *parent = nullptr);

    void clear();
    const QList<Line> &lines() const { return m_lines; }

    // "16:53:01.234  → CAON", "16:53:01.301  ← OK": as the operator reads it.
    QStringList readableLines() const;

signals:
    void changed();

private:
    void take(Direction direction, const QByteArray &bytes);

    QList<Line> m_lines;
    bool m_lineOpen = false;
    bool m_afterCarriageReturn = false;
};

} // namespace telvaro::exchange
