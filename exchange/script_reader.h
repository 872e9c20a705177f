#pragma once

#include "base/run_time_error.h"

#include <QFile>
#include <QString>

#include <optional>

// A script file that cannot be opened, and the system's reason.
class ScriptOpenError : public RunTimeError
{
public:
    ScriptOpenError(const QString &path, const QString &reason)
        : RunTimeError(QStringLiteral("cannot open %1: %2").arg(path, reason)), path(path), reason(reason)
    {
    }
    QString path;
    QString reason;
};

// The script file being played or sent, one at a time, read line by line in code page 932.
class ScriptReader
{
public:
    // Throws ScriptOpenError when the file cannot be opened.
    void open(const QString &path);
    // The next line without its line end; nothing at the end of the file. Throws RunTimeError
    // when the file cannot be read.
    std::optional<QString> nextLine();
    // Harmless when nothing is open.
    void close();

    const QString &path() const { return m_path; }

    // How many lines nextLine() would give; 0 for a file that cannot be read.
    static int lineCount(const QString &path);

private:
    QString m_path;
    QFile m_file;
};
