#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace telvaro::cli {

// Where a command speaks: what it was asked for on standard output, messages on standard error.
// Every line goes out at once, so the two streams stay in order on a terminal. A failure to
// write standard output (a full disk, a closed pipe) is kept for the command's end: what the
// command was asked for did not arrive.
class Console
{
public:
    // Standard output and standard error.
    Console();
    // Into two texts, for a command run inside a test; standard input holds input, and standard
    // error counts as a terminal of the kind term names when terminal is set.
    Console(QString *out, QString *err, QByteArray input = {}, bool terminal = false, const QByteArray &term = {});

    void print(const QString &line);
    void tell(const QString &line);
    // Bytes as they are, on standard output: a file the command was asked for.
    void write(const QByteArray &bytes);

    // The whole of standard input ("-" given for a file), at most largest bytes. False, with the
    // reason, when it cannot be read or holds more. Standard input is read once: a second call
    // finds it spent.
    bool readInput(qint64 largest, QByteArray *bytes, QString *reason);

    // Standard error is a terminal that can draw lines again in place: not one whose TERM is
    // unset, empty or "dumb", which takes plain lines only.
    bool errorIsTerminal() const { return m_errorIsTerminal; }
    // Text on standard error as it is, control sequences included; no line end is added.
    void draw(const QString &text);

    // Why standard output could not be written; empty while everything reached it.
    const QString &outputFailure() const { return m_outputFailure; }

    // Whether a terminal of the kind TERM names draws in place.
    static bool drawsInPlace(bool terminal, const QByteArray &term);

private:
    void toOutput(const QByteArray &bytes);
    void toError(const QByteArray &bytes);

    QString *m_outText = nullptr;
    QString *m_errText = nullptr;
    std::optional<QByteArray> m_input; // inside a test
    bool m_errorIsTerminal = false;
    QString m_outputFailure;
};

} // namespace telvaro::cli
