#include "text/utf8_text.h"

#include <QStringDecoder>

namespace telvaro::text {

QByteArrayView withoutByteOrderMark(QByteArrayView bytes)
{
    constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
    return bytes.startsWith(kByteOrderMark) ? bytes.sliced(3) : bytes;
}

std::optional<QString> utf8Text(QByteArrayView bytes)
{
    // Stateless: a character cut short at the end is an error, not a wait for bytes to come.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace telvaro::text
