#pragma once

#include <QFile>
#include <QString>

#include <optional>

// The script file being played or sent, one at a time, read line by line in code page 932.
class ScriptReader
{
public:
    // Throws RunTimeError when the file cannot be opened.
    void open(const QString &path);
    // The next line without its line end; nothing at the end of the file. Throws RunTimeError
    // when the file cannot be read.
    std::optional<QString> nextLine();
    // Harmless when nothing is open.
    void close();

    const QString &path() const { return m_path; }

private:
    QString m_path;
    QFile m_file;
};
