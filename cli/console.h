#pragma once

#include <QByteArray>
#include <QString>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace telvaro::cli {

// Where a command speaks: what it was asked for on standard output, messages on standard error.
// Every line goes out at once, so the two streams stay in order on a terminal.
class Console
{
public:
    // Standard output and standard error.
    Console();
    // Into two texts, for a command run inside a test; no terminal. Standard input holds input.
    Console(QString *out, QString *err, QByteArray input = {});

    void print(const QString &line);
    void tell(const QString &line);
    // Bytes as they are, on standard output: a file the command was asked for.
    void write(const QByteArray &bytes);

    // The whole of standard input ("-" given for a file), at most largest bytes. False, with the
    // reason, when it cannot be read or holds more. Standard input is read once: a second call
    // finds it spent.
    bool readInput(qint64 largest, QByteArray *bytes, QString *reason);

    // Standard error is a terminal, where lines can be drawn again in place.
    bool errorIsTerminal() const { return m_errorIsTerminal; }
    // Text on standard error as it is, control sequences included; no line end is added.
    void draw(const QString &text);

private:
    QTextStream m_out;
    QTextStream m_err;
    std::FILE *m_rawOut = nullptr;
    std::optional<QByteArray> m_input; // inside a test
    bool m_errorIsTerminal = false;
};

} // namespace telvaro::cli
