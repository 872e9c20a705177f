#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"

class ScreenModel;
struct SettingsState;

// What a write sends, taken from the screen as it stands: the element codes and alarm flags
// from the settings state, the limits, addresses and connection items from their fields, the
// authentication code from AuthLabel.
AlarmScriptInputs alarmScriptInputsFrom(const SettingsState &state, const ScreenModel &screen);
MailScriptInputs mailScriptInputsFrom(const ScreenModel &screen);
