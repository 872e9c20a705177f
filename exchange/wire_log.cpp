#include "exchange/wire_log.h"

#include "link/link.h"
#include "text/cp932.h"

using namespace telvaro::text;

namespace telvaro::exchange {

WireLog::WireLog(const link::Link &link, QObject *parent)
    : QObject(parent)
{
    connect(&link, &link::Link::sentTraced, this, [this](const QByteArray &bytes) { take(Direction::Sent, bytes); });
    connect(&link, &link::Link::receivedTraced, this, [this](const QByteArray &bytes) { take(Direction::Received, bytes); });
}

void WireLog::clear()
{
    m_lines.clear();
    m_lineOpen = false;
    m_afterCarriageReturn = false;
    emit changed();
}

void WireLog::take(Direction direction, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (m_lineOpen && m_lines.last().direction != direction)
        m_lineOpen = false;
    const QDateTime now = QDateTime::currentDateTime();
    for (const char byte : bytes) {
        const bool lineEnd = byte == '\r' || byte == '\n';
        if (byte == '\n' && m_afterCarriageReturn) {
            m_afterCarriageReturn = false; // the second half of CR LF
            continue;
        }
        m_afterCarriageReturn = byte == '\r';
        if (lineEnd) {
            m_lineOpen = false;
            continue;
        }
        if (!m_lineOpen) {
            m_lines.append({now, direction, {}});
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

} // namespace telvaro::exchange
