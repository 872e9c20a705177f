#include "link/secret_masking.h"

#include "base/secret_items.h"

using namespace telvaro::base;

namespace telvaro::link {

namespace {

// The line is a secret item followed by one character: "=" to write it, "?" to ask for it.
bool isSecretItemThen(QByteArrayView line, char then)
{
    return !line.isEmpty() && line.back() == then && SecretItems::isSecret(line.chopped(1));
}

} // namespace

QByteArray SecretMasking::sent(QByteArrayView bytes)
{
    m_line.clear();
    m_lineMasked = false;
    return mask(bytes);
}

QByteArray SecretMasking::received(QByteArrayView bytes)
{
    return mask(bytes);
}

QByteArray SecretMasking::masked(QByteArrayView lines)
{
    return SecretMasking().received(lines);
}

QString SecretMasking::masked(QStringView lines)
{
    // The keys are ASCII and no UTF-8 sequence holds a line end, so lines survive the round trip.
    return QString::fromUtf8(masked(QByteArrayView(lines.toUtf8())));
}

QByteArray SecretMasking::mask(QByteArrayView bytes)
{
    QByteArray shown;
    shown.reserve(bytes.size());
    for (const char byte : bytes) {
        if (byte == '\r' || byte == '\n') {
            endLine();
            shown += byte;
            continue;
        }
        m_line += byte;
        if (m_lineMasked)
            continue;
        if (m_answerIsSecret) {
            // An echo of the question is masked as well: which line is the answer shows only at its end.
            shown += SecretItems::kMask;
            m_lineMasked = true;
            continue;
        }
        shown += byte;
        if (isSecretItemThen(m_line, '=')) {
            shown += SecretItems::kMask;
            m_lineMasked = true;
        }
    }
    return shown;
}

void SecretMasking::endLine()
{
    if (!m_line.isEmpty()) {
        // Until the answer has passed, a question repeated (an echo) keeps the next line secret.
        m_answerIsSecret = isSecretItemThen(m_line, '?');
    }
    m_line.clear();
    m_lineMasked = false;
}

} // namespace telvaro::link
