#include "cli/console.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>
#include <utility>

namespace telvaro::cli {

Console::Console()
    : m_out(stdout)
    , m_err(stderr)
    , m_rawOut(stdout)
    , m_errorIsTerminal(::isatty(STDERR_FILENO) == 1)
{
}

Console::Console(QString *out, QString *err, QByteArray input)
    : m_out(out)
    , m_err(err)
    , m_input(std::move(input))
{
}

void Console::print(const QString &line)
{
    m_out << line << '\n';
    m_out.flush();
}

void Console::tell(const QString &line)
{
    m_err << line << '\n';
    m_err.flush();
}

void Console::write(const QByteArray &bytes)
{
    m_out.flush();
    if (!m_rawOut) {
        m_out << QString::fromUtf8(bytes);
        m_out.flush();
        return;
    }
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), m_rawOut);
    std::fflush(m_rawOut);
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
    m_err << text;
    m_err.flush();
}

} // namespace telvaro::cli
