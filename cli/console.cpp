#include "cli/console.h"

#include <unistd.h>

namespace telvaro::cli {

Console::Console()
    : m_out(stdout)
    , m_err(stderr)
    , m_rawOut(stdout)
    , m_errorIsTerminal(::isatty(STDERR_FILENO) == 1)
{
}

Console::Console(QString *out, QString *err)
    : m_out(out)
    , m_err(err)
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

void Console::draw(const QString &text)
{
    m_err << text;
    m_err.flush();
}

} // namespace telvaro::cli
