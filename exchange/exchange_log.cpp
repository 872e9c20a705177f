#include "exchange/exchange_log.h"

#include "link/secret_masking.h"

using namespace telvaro::model;
using namespace telvaro::link;

namespace telvaro::exchange {

namespace {

struct TimedLine
{
    QDateTime at;
    QString text;
};

QList<TimedLine> splitIntoLines(const QList<ScreenModel::LogPiece> &pieces)
{
    QList<TimedLine> lines;
    bool lineOpen = false;
    bool afterCarriageReturn = false;
    for (const ScreenModel::LogPiece &piece : pieces) {
        for (const QChar character : piece.text) {
            if (character == u'\n' && afterCarriageReturn) {
                afterCarriageReturn = false; // the second half of CR LF
                continue;
            }
            afterCarriageReturn = character == u'\r';
            if (!lineOpen) {
                lines.append({piece.at, QString()});
                lineOpen = true;
            }
            if (character == u'\r' || character == u'\n')
                lineOpen = false;
            else
                lines.last().text += character;
        }
    }
    return lines;
}

} // namespace

QStringList readableLogLines(const QList<ScreenModel::LogPiece> &pieces)
{
    const QList<TimedLine> lines = splitIntoLines(pieces);
    QStringList texts;
    for (const TimedLine &line : lines)
        texts.append(line.text);
    // Masking keeps every line end, so its lines stay those of the log.
    const QStringList masked = SecretMasking::masked(texts.join(u'\n')).split(u'\n');
    QStringList readable;
    for (qsizetype i = 0; i < lines.size(); ++i)
        readable.append(lines.at(i).at.toString(QStringLiteral("HH:mm:ss.zzz")) + QStringLiteral("  ") + masked.at(i));
    return readable;
}

QByteArray logFileBytes(const QStringList &readableLines)
{
    QByteArray bytes;
    for (const QString &line : readableLines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

} // namespace telvaro::exchange
