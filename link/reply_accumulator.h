#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace telvaro::link {

// What one wait has received, kept as code page 932 bytes so that a two-byte character split
// over two reads comes out whole. Searches match whole characters only: an ASCII text is never
// found in the second byte of a two-byte character, and a stray lead byte (one not followed by a
// trail byte) is a character of its own, so it never hides a line end behind it.
class ReplyAccumulator
{
public:
    static constexpr qsizetype kMaxCharacters = 32000;

    void append(QByteArrayView bytes) { m_bytes.append(bytes); }
    // True when the encoded text starts on a character boundary somewhere in what was received.
    bool contains(QByteArrayView wanted) const;
    // Keeps only the last kMaxCharacters whole characters (plus a half-received one).
    void keepLastCharacters(qsizetype limit = kMaxCharacters);

    const QByteArray &bytes() const { return m_bytes; }
    QString text() const;

private:
    QByteArray m_bytes;
};

} // namespace telvaro::link
