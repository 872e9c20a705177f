#pragma once

#include <QByteArray>
#include <QString>
#include <QTextStream>

#include <cstdio>

namespace telvaro::cli {

// Where a command speaks: what it was asked for on standard output, messages on standard error.
// Every line goes out at once, so the two streams stay in order on a terminal.
class Console
{
public:
    // Standard output and standard error.
    Console();
    // Into two texts, for a command run inside a test; no terminal.
    Console(QString *out, QString *err);

    void print(const QString &line);
    void tell(const QString &line);
    // Bytes as they are, on standard output: a file the command was asked for.
    void write(const QByteArray &bytes);

    // Standard error is a terminal, where lines can be drawn again in place.
    bool errorIsTerminal() const { return m_errorIsTerminal; }
    // Text on standard error as it is, control sequences included; no line end is added.
    void draw(const QString &text);

private:
    QTextStream m_out;
    QTextStream m_err;
    std::FILE *m_rawOut = nullptr;
    bool m_errorIsTerminal = false;
};

} // namespace telvaro::cli
