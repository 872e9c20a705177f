#include "link/reply_accumulator.h"

#include "text/cp932.h"

namespace {

// Bytes of the code page 932 character that starts with this byte.
qsizetype characterLength(char first)
{
    const auto byte = static_cast<unsigned char>(first);
    const bool leadByte = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return leadByte ? 2 : 1;
}

} // namespace

bool ReplyAccumulator::contains(QByteArrayView wanted) const
{
    if (wanted.isEmpty())
        return true; // found at the first character, as any search for nothing is
    qsizetype boundary = 0;
    for (qsizetype at = m_bytes.indexOf(wanted); at >= 0; at = m_bytes.indexOf(wanted, at + 1)) {
        while (boundary < at)
            boundary += characterLength(m_bytes.at(boundary));
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
    for (qsizetype at = 0; at < m_bytes.size(); at += characterLength(m_bytes.at(at))) {
        if (at + characterLength(m_bytes.at(at)) <= m_bytes.size())
            ++whole;
    }
    qsizetype cut = 0;
    for (qsizetype dropped = 0; dropped < whole - limit; ++dropped)
        cut += characterLength(m_bytes.at(cut));
    m_bytes.remove(0, cut);
}

QString ReplyAccumulator::text() const
{
    return Cp932::decode(m_bytes);
}
