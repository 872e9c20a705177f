#include "exchange/wire_log.h"

#include "link/link.h"
#include "text/cp932.h"

using namespace telvaro::text;

namespace telvaro::exchange {

WireLog::WireLog(const link::Link &link, QObject *parent)
    : QObject(parent)
{
    connect(&link, &link::Link::sentTraced, this,
            [this](const QByteArray &bytes) { append(Direction::Sent, bytes, QDateTime::currentDateTime()); });
    connect(&link, &link::Link::receivedTraced, this,
            [this](const QByteArray &bytes) { append(Direction::Received, bytes, QDateTime::currentDateTime()); });
}

void WireLog::clear()
{
    m_lines.clear();
    m_lineOpen = false;
    m_afterCarriageReturn = false;
    emit changed();
}

void WireLog::append(Direction direction, const QByteArray &bytes, const QDateTime &at)
{
    if (bytes.isEmpty())
        return;
    if (m_lineOpen && m_lines.last().direction != direction) {
        m_lineOpen = false;
        m_afterCarriageReturn = false;
    }
    for (const char byte : bytes) {
        const bool lineEnd = byte == '\r' || byte == '\n';
        if (byte == '\n' && m_afterCarriageReturn) {
            m_afterCarriageReturn = false; // the second half of CR LF
            continue;
        }
        m_afterCarriageReturn = byte == '\r';
        if (lineEnd) {
            // An empty answer is an answer; the tool sends no empty line, only line ends around
            // its handshake.
            if (!m_lineOpen && direction == Direction::Received)
                m_lines.append({at, direction, {}});
            m_lineOpen = false;
            continue;
        }
        if (!m_lineOpen) {
            m_lines.append({at, direction, {}});
            m_lineOpen = true;
        }
        m_lines.last().bytes += byte;
    }
    emit changed();
}

QStringList WireLog::readableLines() const
{
    QStringList readable;
    for (const Line &line : m_lines) {
        const QString arrow = line.direction == Direction::Sent ? QStringLiteral("→") : QStringLiteral("←");
        readable.append(QStringLiteral("%1  %2 %3").arg(line.at.toString(QStringLiteral("HH:mm:ss.zzz")), arrow,
                                                         Cp932::decode(line.bytes)));
    }
    return readable;
}

QByteArray WireLog::fileBytes(const QStringList &readableLines)
{
    QByteArray bytes;
    for (const QString &line : readableLines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace telvaro::exchange
