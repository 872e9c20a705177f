#include "exchange/model_sequence_screen.h"

#include "model/screen_lock.h"
#include "model/screen_model.h"
#include "model/script_inputs.h"
#include "model/show_channels.h"
#include "model/show_connection.h"
#include "model/show_mail_addresses.h"

ModelSequenceScreen::ModelSequenceScreen(ScreenModel &screen, SettingsState &state)
    : m_screen(screen)
    , m_state(state)
{
}

void ModelSequenceScreen::setStatusText(const QString &text)
{
    m_screen.setStatusText(text);
}

void ModelSequenceScreen::clearLog()
{
    m_screen.clearLog();
}

void ModelSequenceScreen::appendLog(const QString &text)
{
    m_screen.appendLog(text);
}

void ModelSequenceScreen::showChannels()
{
    ShowChannels(m_state, m_screen);
}

void ModelSequenceScreen::showMailAddresses()
{
    ShowMailAddresses(m_state, m_screen);
}

void ModelSequenceScreen::showConnection()
{
    ShowConnection(m_state, m_screen);
}

void ModelSequenceScreen::showConnectionButtons()
{
    ShowConnectionButtons(m_screen);
}

void ModelSequenceScreen::unlockScreen()
{
    UnlockScreen(m_state, m_screen);
}

AlarmScriptInputs ModelSequenceScreen::alarmScriptInputs() const
{
    return alarmScriptInputsFrom(m_state, m_screen);
}

MailScriptInputs ModelSequenceScreen::mailScriptInputs() const
{
    return mailScriptInputsFrom(m_screen);
}
