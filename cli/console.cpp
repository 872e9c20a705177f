#include "cli/console.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>
#include <utility>

namespace telvaro::cli {

namespace {

// Writes all of bytes to descriptor; the system's reason when it cannot.
QString writeAll(int descriptor, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    std::size_t left = std::size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return QString::fromLocal8Bit(std::strerror(written < 0 ? errno : EIO));
        data += written;
        left -= std::size_t(written);
    }
    return {};
}

} // namespace

Console::Console()
    : m_errorIsTerminal(drawsInPlace(::isatty(STDERR_FILENO) == 1, qgetenv("TERM")))
{
}

Console::Console(QString *out, QString *err, QByteArray input, bool terminal, const QByteArray &term)
    : m_outText(out)
    , m_errText(err)
    , m_input(std::move(input))
    , m_errorIsTerminal(drawsInPlace(terminal, term))
{
}

bool Console::drawsInPlace(bool terminal, const QByteArray &term)
{
    return terminal && !term.trimmed().isEmpty() && term != "dumb";
}

void Console::print(const QString &line)
{
    toOutput((line + u'\n').toUtf8());
}

void Console::tell(const QString &line)
{
    toError((line + u'\n').toUtf8());
}

void Console::write(const QByteArray &bytes)
{
    toOutput(bytes);
}

bool Console::readInput(qint64 largest, QByteArray *bytes, QString *reason)
{
    if (m_input) {
        *bytes = std::exchange(*m_input, QByteArray());
    } else {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            *reason = input.errorString();
            return false;
        }
        // One byte more than allowed tells a larger input from one just as large.
        *bytes = input.read(largest + 1);
        if (input.error() != QFileDevice::NoError) {
            *reason = input.errorString();
            return false;
        }
    }
    if (bytes->size() > largest) {
        *reason = QCoreApplication::translate("Console", "more than %1 bytes").arg(largest);
        bytes->clear();
        return false;
    }
    return true;
}

void Console::draw(const QString &text)
{
    toError(text.toUtf8());
}

void Console::toOutput(const QByteArray &bytes)
{
    if (m_outText) {
        *m_outText += QString::fromUtf8(bytes);
        return;
    }
    // After a failure the rest would be a torn piece: nothing more goes.
    if (m_outputFailure.isEmpty())
        m_outputFailure = writeAll(STDOUT_FILENO, bytes);
}

void Console::toError(const QByteArray &bytes)
{
    if (m_errText) {
        *m_errText += QString::fromUtf8(bytes);
        return;
    }
    // Standard error is where a failure would be told: there is nowhere left to tell its own.
    writeAll(STDERR_FILENO, bytes);
}

} // namespace telvaro::cli
