#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace telvaro::exchange {

// The script file being played or sent, one at a time, read line by line in code page 932. A
// line goes out in the bytes the file holds: decoding and encoding it again could change the code
// of a character that has two.
class ScriptReader
{
public:
    // A line as it goes out (its bytes) and as it is shown and logged (their text).
    struct Line
    {
        QByteArray bytes;
        QString text;
    };

    // Nothing when the file is open; otherwise the system's reason why it is not.
    [[nodiscard]] std::optional<QString> open(const QString &path);
    // The next line without its line end; nothing at the end of the file. Throws RunTimeError
    // when the file cannot be read.
    std::optional<Line> nextLine();
    // Harmless when nothing is open.
    void close();

    const QString &path() const { return m_path; }

    // How many lines nextLine() would give; 0 for a file that cannot be read.
    static int lineCount(const QString &path);

private:
    QString m_path;
    QFile m_file;
};

} // namespace telvaro::exchange
