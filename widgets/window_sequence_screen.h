#pragma once

#include "exchange/sequence_screen.h"

class FrmMain;
struct SettingsState;

// The main window as the read and write sequences see it.
class WindowSequenceScreen : public SequenceScreen
{
public:
    WindowSequenceScreen(FrmMain &window, SettingsState &state);

    void setStatusText(const QString &text) override;
    void clearLog() override;
    void appendLog(const QString &text) override;
    void showMessage(const QString &text) override;

    void showChannels() override;
    void showMailAddresses() override;
    void showConnection() override;
    void showConnectionButtons() override;
    void unlockScreen() override;

    AlarmScriptInputs alarmScriptInputs() const override;
    MailScriptInputs mailScriptInputs() const override;

private:
    FrmMain &m_window;
    SettingsState &m_state;
};
