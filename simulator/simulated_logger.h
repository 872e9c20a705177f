#pragma once

#include "simulator/logger_items.h"
#include "simulator/logger_settings.h"
#include "simulator/simulated_logger_options.h"
#include "simulator/timed_output.h"

#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QTimer>

#include <memory>

namespace telvaro::simulator {

class SimulatorPort;

Q_DECLARE_LOGGING_CATEGORY(lcSimulatedLogger)

// A data logger on the far end of a serial line, for development and tests. It wakes the
// tool with "AT", answers the handshake, and in command mode answers the model queries and
// the read and write lines from its stored settings. It runs on the caller's event loop.
class SimulatedLogger : public QObject
{
    Q_OBJECT

public:
    enum class Phase {
        Released,   // nobody holds the line
        Waking,     // sending "AT" until the handshake comes
        Awake,      // handshake answered, waiting for "CAON"
        Command,    // command mode
    };
    Q_ENUM(Phase)

    // Loads the settings file named in the options (see settingsError() when it fails).
    SimulatedLogger(std::unique_ptr<SimulatorPort> port, const SimulatedLoggerOptions &options,
                    QObject *parent = nullptr);
    ~SimulatedLogger() override;

    SimulatorPort &port() { return *m_port; }
    Phase phase() const { return m_phase; }
    bool isInCommandMode() const { return m_phase == Phase::Command; }

    // Every line the tool sent, without its line end; the handshake shows as "CONNECT".
    const QList<QByteArray> &receivedLines() const { return m_receivedLines; }

    // A stored setting: the raw bytes, or decoded from code page 932 for display.
    QByteArray rawValue(const QByteArray &key) const { return m_settings.value(key); }
    QString value(const QString &key) const;

    // The last failure to load or save the settings file; empty when all went well.
    const QString &settingsError() const { return m_settingsError; }

    int channelCount() const { return m_shape.presentChannels; }

signals:
    void lineReceived(const QByteArray &line);
    void phaseChanged(SimulatedLogger::Phase phase);
    void hungUp();

private:
    void onHeld();
    void onReleased();
    void onReceived(const QByteArray &bytes);
    void sendAt();
    void setPhase(Phase phase);

    void handleHandshake();
    void handleCommand(const QByteArray &line);
    // The answer to a command in command mode, without line end.
    QByteArray answerFor(const QByteArray &line, QByteArray *writtenKey);
    QByteArray readItem(const QByteArray &key) const;
    QByteArray writeItem(const QByteArray &key, const QByteArray &value);
    // The answer and its line end, then trailer, if any, in the same write.
    void reply(const QByteArray &answer, std::chrono::milliseconds delay, const QByteArray &trailer = {});

    std::unique_ptr<SimulatorPort> m_port;
    SimulatedLoggerOptions m_options;
    LoggerSettings m_settings;
    LoggerShape m_shape;
    QString m_settingsError;
    TimedOutput m_output;
    QTimer m_atTimer;
    Phase m_phase = Phase::Released;
    QByteArray m_input;
    QList<QByteArray> m_receivedLines;
    int m_commandCount = 0;
    int m_handshakesIgnored = 0;
    int m_caonsIgnored = 0;
    bool m_hungUp = false;
};

} // namespace telvaro::simulator
