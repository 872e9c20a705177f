#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {

class ScreenModel;

// What a write sends, taken from the screen as it stands: the element codes and alarm flags
// from the settings state, the limits, addresses and connection items from their fields, the
// authentication code from AuthLabel.
files::AlarmScriptInputs alarmScriptInputsFrom(const state::SettingsState &state, const ScreenModel &screen);
files::MailScriptInputs mailScriptInputsFrom(const ScreenModel &screen);

} // namespace telvaro::model
