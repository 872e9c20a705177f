#pragma once

#include "exchange/sequence_screen.h"

class ScreenModel;
struct SettingsState;

// The screen model as the read and write sequences see it: status texts, the exchange log and
// the bindings all go to the model. Message boxes are left to the front end.
class ModelSequenceScreen : public SequenceScreen
{
public:
    ModelSequenceScreen(ScreenModel &screen, SettingsState &state);

    void setStatusText(const QString &text) override;
    void clearLog() override;
    void appendLog(const QString &text) override;

    void showChannels() override;
    void showMailAddresses() override;
    void showConnection() override;
    void showConnectionButtons() override;
    void unlockScreen() override;

    AlarmScriptInputs alarmScriptInputs() const override;
    MailScriptInputs mailScriptInputs() const override;

    ScreenModel &screen() { return m_screen; }
    const ScreenModel &screen() const { return m_screen; }

private:
    ScreenModel &m_screen;
    SettingsState &m_state;
};
