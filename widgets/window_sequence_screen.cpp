#include "widgets/window_sequence_screen.h"

#include "widgets/frm_main.h"
#include "widgets/screen_lock.h"
#include "widgets/script_inputs.h"
#include "widgets/show_channels.h"
#include "widgets/show_connection.h"
#include "widgets/show_mail_addresses.h"

WindowSequenceScreen::WindowSequenceScreen(FrmMain &window, SettingsState &state)
    : m_window(window)
    , m_state(state)
{
}

void WindowSequenceScreen::setStatusText(const QString &text)
{
    m_window.setStatusText(text);
}

void WindowSequenceScreen::clearLog()
{
    m_window.clearLog();
}

void WindowSequenceScreen::appendLog(const QString &text)
{
    m_window.appendLog(text);
}

void WindowSequenceScreen::showMessage(const QString &text)
{
    m_window.showMessage(text);
}

void WindowSequenceScreen::showChannels()
{
    ShowChannels(m_state, m_window.controls());
}

void WindowSequenceScreen::showMailAddresses()
{
    ShowMailAddresses(m_state, m_window.controls());
}

void WindowSequenceScreen::showConnection()
{
    ShowConnection(m_state, m_window.controls());
}

void WindowSequenceScreen::showConnectionButtons()
{
    ShowConnectionButtons(m_window.controls());
}

void WindowSequenceScreen::unlockScreen()
{
    UnlockScreen(m_state, m_window.controls());
}

AlarmScriptInputs WindowSequenceScreen::alarmScriptInputs() const
{
    return alarmScriptInputsFrom(m_state, m_window.controls());
}

MailScriptInputs WindowSequenceScreen::mailScriptInputs() const
{
    return mailScriptInputsFrom(m_window.controls());
}
