#include "link/sequence.h"

#include "binding/run_time_error.h"
#include "link/line_ends.h"
#include "link/link.h"
#include "link/sequence_screen.h"
#include "link/speed_table.h"
#include "scripts/app_folder.h"
#include "shell/env_file.h"
#include "text/cp932.h"

Sequence::Sequence(const SequenceContext &context)
    : m_context(context)
{
}

void Sequence::openPort(const PortChoice &choice)
{
    // The port number and the settings are checked by the link; an index outside the
    // speed table is an error of this step like any other.
    const SpeedTable speeds;
    m_context.link.openPort(choice.PortIndex + 1, speeds.at(choice.BaudIndex));
}

void Sequence::sendCommand(const QString &command, bool echoIt)
{
    m_context.link.sendText(command + LineCRLF);
    if (echoIt)
        echo(command + LineCRLF);
}

void Sequence::sendHandshakeAnswer()
{
    m_context.link.sendText(LineCR + QStringLiteral("CONNECT") + LineCR);
    echo(QStringLiteral("CONNECT") + LineCRLF);
}

bool Sequence::await(const QString &expected, qint16 timeoutSeconds)
{
    return m_context.link.WaitForReply(expected, timeoutSeconds) == kReplyReceived;
}

const QString &Sequence::lastReply() const
{
    return m_context.link.LastReply();
}

void Sequence::echo(const QString &text)
{
    m_context.screen.appendLog(text);
}

void Sequence::echoReply()
{
    echo(lastReply());
}

void Sequence::setStatusText(const QString &text)
{
    m_context.screen.setStatusText(text);
}

void Sequence::openScript(const QString &fileName)
{
    m_ScriptPath = m_context.appFolder.file(fileName);
    m_script.setFileName(m_ScriptPath);
    if (!m_script.open(QIODevice::ReadOnly))
        throw RunTimeError(QStringLiteral("cannot open %1: %2").arg(m_ScriptPath, m_script.errorString()));
}

std::optional<QString> Sequence::nextScriptLine()
{
    if (m_script.atEnd())
        return std::nullopt;
    QByteArray line = m_script.readLine();
    if (line.isEmpty() && m_script.error() != QFileDevice::NoError)
        throw RunTimeError(QStringLiteral("cannot read %1: %2").arg(m_ScriptPath, m_script.errorString()));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return Cp932::decode(line);
}

void Sequence::closeScript()
{
    m_script.close();
}

void Sequence::releaseEverything()
{
    closeScript();
    m_context.link.releasePort();
}
