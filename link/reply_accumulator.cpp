#include "link/reply_accumulator.h"

#include "text/cp932.h"

using namespace telvaro::text;

namespace telvaro::link {

bool ReplyAccumulator::contains(QByteArrayView wanted) const
{
    if (wanted.isEmpty())
        return true; // found at the first character, as any search for nothing is
    qsizetype boundary = 0;
    for (qsizetype at = m_bytes.indexOf(wanted); at >= 0; at = m_bytes.indexOf(wanted, at + 1)) {
        while (boundary < at)
            boundary += Cp932::characterLength(m_bytes, boundary);
        if (boundary == at)
            return true;
    }
    return false;
}

void ReplyAccumulator::keepLastCharacters(qsizetype limit)
{
    // Cheap test first: a character is at least one byte.
    if (m_bytes.size() <= limit)
        return;
    // A lead byte whose second byte has not arrived yet is no whole character: not counted.
    qsizetype whole = 0;
    for (qsizetype at = 0; at < m_bytes.size(); at += Cp932::characterLength(m_bytes, at)) {
        if (at + Cp932::characterLength(m_bytes, at) <= m_bytes.size())
            ++whole;
    }
    qsizetype cut = 0;
    for (qsizetype dropped = 0; dropped < whole - limit; ++dropped)
        cut += Cp932::characterLength(m_bytes, cut);
    m_bytes.remove(0, cut);
}

QString ReplyAccumulator::text() const
{
    return Cp932::decode(m_bytes);
}

} // namespace telvaro::link
