#include "screen/window_sequence_screen.h"

#include "binding/screen_lock.h"
#include "binding/show_channels.h"
#include "binding/show_connection.h"
#include "binding/show_mail_addresses.h"
#include "screen/frm_main.h"
#include "screen/script_inputs.h"

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
