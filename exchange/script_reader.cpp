#include "exchange/script_reader.h"

#include "base/run_time_error.h"
#include "text/cp932.h"

using namespace telvaro::base;
using namespace telvaro::text;

namespace telvaro::exchange {

std::optional<QString> ScriptReader::open(const QString &path)
{
    m_path = path;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return m_file.errorString();
    return std::nullopt;
}

std::optional<ScriptReader::Line> ScriptReader::nextLine()
{
    if (m_file.atEnd())
        return std::nullopt;
    QByteArray line = m_file.readLine();
    if (line.isEmpty() && m_file.error() != QFileDevice::NoError)
        throw RunTimeError(QStringLiteral("cannot read %1: %2").arg(m_path, m_file.errorString()));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return Line{line, Cp932::decode(line)};
}

int ScriptReader::lineCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    int lines = 0;
    while (!file.atEnd() && !file.readLine().isEmpty())
        ++lines;
    return lines;
}

void ScriptReader::close()
{
    m_file.close();
}

} // namespace telvaro::exchange
