#pragma once

#include "base/port_choice.h"
#include "exchange/model_sequence_screen.h"
#include "exchange/sequence.h"
#include "link/link.h"
#include "link/qt_serial_line.h"
#include "model/screen_model.h"
#include "state/settings_state.h"
#include "support/simulated_logger_fixture.h"
#include "support/temp_app_folder.h"

#include <QElapsedTimer>
#include <QStringList>

#include <memory>

// The screen model as a sequence sees it, recording every status text and message box instead
// of waiting for an operator.
class RecordingScreen : public ModelSequenceScreen
{
public:
    RecordingScreen(ScreenModel &screen, SettingsState &state);

    void setStatusText(const QString &text) override;
    void showMessage(const QString &text) override;
    // The sequences' tests write what they are given.
    bool writeDespite(const QList<ValueFinding> &) override { return true; }
    void showChannels() override;
    void showMailAddresses() override;
    void showConnection() override;
    void showConnectionButtons() override;
    void unlockScreen() override;

    const QStringList &statusTexts() const { return m_statusTexts; }
    QString statusText() const { return m_statusTexts.value(m_statusTexts.size() - 1); }
    const QStringList &messages() const { return m_messages; }
    const QString &log() const { return screen().logText(); }
    // The binding and unlock calls, in the order they came.
    const QStringList &calls() const { return m_calls; }
    // Milliseconds from the rig's start to the first message box.
    qint64 firstMessageAfterMs() const { return m_firstMessageAfterMs; }
    void startClock() { m_clock.start(); }

private:
    QStringList m_statusTexts;
    QStringList m_messages;
    QStringList m_calls;
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
    ScreenModel &model() { return m_model; }
    RecordingScreen &screen() { return m_screen; }
    TempAppFolder &folder() { return m_folder; }
    Link &link() { return *m_link; }
    SequenceContext context();
    PortChoice portChoice() const { return {0, 5}; } // COM1, 9600 bit/s

    // The lines the logger received, decoded.
    QStringList receivedLines();

private:
    SettingsState m_state;
    ScreenModel m_model;
    RecordingScreen m_screen;
    TempAppFolder m_folder;
    AppFolder m_appFolder;
    std::unique_ptr<SimulatedLoggerFixture> m_logger;
    std::unique_ptr<QtSerialLine> m_port;
    std::unique_ptr<Link> m_link;
};
