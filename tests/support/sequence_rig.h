#pragma once

#include "base/port_choice.h"
#include "exchange/sequence.h"
#include "exchange/sequence_screen.h"
#include "link/link.h"
#include "link/qt_serial_line.h"
#include "state/settings_state.h"
#include "support/screen_controls_fixture.h"
#include "support/simulated_logger_fixture.h"
#include "support/temp_app_folder.h"

#include <QElapsedTimer>
#include <QStringList>

#include <memory>

// The screen as a sequence sees it, with real controls for the bindings, recording every
// status text and message box instead of waiting for an operator.
class RecordingScreen : public SequenceScreen
{
public:
    explicit RecordingScreen(SettingsState &state);

    void setStatusText(const QString &text) override;
    void clearLog() override { m_log.clear(); }
    void appendLog(const QString &text) override { m_log += text; }
    void showMessage(const QString &text) override;
    void showChannels() override;
    void showMailAddresses() override;
    void showConnection() override;
    void showConnectionButtons() override;
    void unlockScreen() override;
    AlarmScriptInputs alarmScriptInputs() const override;
    MailScriptInputs mailScriptInputs() const override;

    const ScreenControls &controls() const { return m_controls.controls(); }
    const QStringList &statusTexts() const { return m_statusTexts; }
    QString statusText() const { return m_statusTexts.value(m_statusTexts.size() - 1); }
    const QStringList &messages() const { return m_messages; }
    const QString &log() const { return m_log; }
    // The binding and unlock calls, in the order they came.
    const QStringList &calls() const { return m_calls; }
    // Milliseconds from the rig's start to the first message box.
    qint64 firstMessageAfterMs() const { return m_firstMessageAfterMs; }
    void startClock() { m_clock.start(); }

private:
    SettingsState &m_state;
    ScreenControlsFixture m_controls;
    QStringList m_statusTexts;
    QStringList m_messages;
    QStringList m_calls;
    QString m_log;
    QElapsedTimer m_clock;
    qint64 m_firstMessageAfterMs = -1;
};

// A simulated logger on COM1, the tool's real serial port mapped to it, an application folder
// holding the installation files, and the settings state: what a read or write runs against.
class SequenceRig
{
public:
    explicit SequenceRig(const SimulatedLoggerOptions &options = {});

    bool isValid() const;
    SimulatedLogger &logger() { return m_logger->logger(); }
    // Replaces the logger with a new one (the same settings state and screen stay).
    void connectNewLogger(const SimulatedLoggerOptions &options);

    SettingsState &state() { return m_state; }
    RecordingScreen &screen() { return m_screen; }
    TempAppFolder &folder() { return m_folder; }
    Link &link() { return *m_link; }
    SequenceContext context();
    PortChoice portChoice() const { return {0, 5}; } // COM1, 9600 bit/s

    // The lines the logger received, decoded.
    QStringList receivedLines();

private:
    SettingsState m_state;
    RecordingScreen m_screen;
    TempAppFolder m_folder;
    AppFolder m_appFolder;
    std::unique_ptr<SimulatedLoggerFixture> m_logger;
    std::unique_ptr<QtSerialLine> m_port;
    std::unique_ptr<Link> m_link;
};
