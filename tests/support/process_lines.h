#pragma once

#include "support/telvaro_names.h"

#include <QProcess>
#include <QStringList>

// Reads the standard error of another program line by line as it comes, for a test that waits
// for that program to say something (the simulated logger's --verbose log).
class ProcessErrorLines
{
public:
    explicit ProcessErrorLines(QProcess &process);

    // True once a line containing text has come, after the lines already waited for; false
    // when the time ran out or the program ended first.
    bool waitFor(const QString &text, int timeoutMs);
    const QStringList &lines() const { return m_lines; }

private:
    QProcess &m_process;
    QStringList m_lines;
};
