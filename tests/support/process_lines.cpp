#include "support/process_lines.h"

#include <QDeadlineTimer>

ProcessErrorLines::ProcessErrorLines(QProcess &process) : m_process(process)
{
    m_process.setReadChannel(QProcess::StandardError);
}

bool ProcessErrorLines::waitFor(const QString &text, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        while (m_process.canReadLine()) {
            const QString line = QString::fromLocal8Bit(m_process.readLine()).trimmed();
            m_lines.append(line);
            if (line.contains(text))
                return true;
        }
        if (deadline.hasExpired() || m_process.state() != QProcess::Running)
            return false;
        m_process.waitForReadyRead(int(deadline.remainingTime()));
    }
}
