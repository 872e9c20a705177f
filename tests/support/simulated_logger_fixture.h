#pragma once

#include "simulator/simulated_logger.h"
#include "support/telvaro_names.h"

#include <QSerialPort>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace telvaro::simulator {
class PseudoTerminalPort;
} // namespace telvaro::simulator

// An in-process simulated logger on a fresh pseudo-terminal, with port number comNumber mapped
// to it in a temporary ports folder of its own, so tests can run side by side. The logger runs
// on the test's event loop: waits that run a local event loop let it answer.
class SimulatedLoggerFixture
{
public:
    explicit SimulatedLoggerFixture(const SimulatedLoggerOptions &options = {}, int comNumber = 1);
    ~SimulatedLoggerFixture();

    // False when the pseudo-terminal or the mapping could not be made; see errorString().
    bool isValid() const { return m_logger != nullptr; }
    const QString &errorString() const { return m_error; }

    SimulatedLogger &logger() { return *m_logger; }
    // True once the logger was sent a setting (a line with "=").
    bool heardAWrite() const;
    QString portsFolder() const { return m_portsFolder.path(); }
    // The pseudo-terminal device the tool opens, e.g. /dev/pts/3.
    const QString &devicePath() const { return m_devicePath; }
    // The mapping link, <portsFolder>/com<n>.
    QString comLinkPath() const;

private:
    QTemporaryDir m_portsFolder;
    int m_comNumber = 1;
    QString m_devicePath;
    QString m_error;
    std::unique_ptr<SimulatedLogger> m_logger;
};

// The tool's end of the line for tests of the logger itself: a plain QSerialPort whose waits
// run a local event loop, so an in-process logger answers meanwhile.
class ToolEndOfLine
{
public:
    ToolEndOfLine();

    bool open(const QString &device);
    void close() { m_port.close(); }
    QSerialPort &port() { return m_port; }

    void send(const QByteArray &bytes) { m_port.write(bytes); }
    // Waits until what arrived contains expected; false after the time-out.
    bool waitFor(const QByteArray &expected, int timeoutMs = 2000);
    // Lets the event loop run for the given time and returns what arrived meanwhile.
    QByteArray listen(int milliseconds);
    // Everything received since the last take(), which empties it.
    QByteArray take();
    // How many separate reads delivered data.
    int readCount() const { return m_readCount; }

    // Handshake and "CAON"; false when an answer does not come.
    bool enterCommandMode();
    // Sends line followed by CR LF and returns the first reply line with its line end
    // (empty after the time-out).
    QByteArray ask(const QByteArray &line, int timeoutMs = 2000);

private:
    QSerialPort m_port;
    QByteArray m_received;
    int m_readCount = 0;
};

// A simulated logger with the tool's end of the line open on its device.
struct LoggerOnTheLine
{
    explicit LoggerOnTheLine(const SimulatedLoggerOptions &options) : fixture(options) {}
    // Null when the logger could not start or its line could not be opened.
    static std::unique_ptr<LoggerOnTheLine> open(const SimulatedLoggerOptions &options = {})
    {
        auto session = std::make_unique<LoggerOnTheLine>(options);
        if (!session->fixture.isValid() || !session->tool.open(session->fixture.devicePath()))
            return nullptr;
        return session;
    }

    SimulatedLoggerFixture fixture;
    ToolEndOfLine tool;
};
