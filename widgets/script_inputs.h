#pragma once

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"

struct ScreenControls;
struct SettingsState;

// What a write sends, taken from the screen as it stands: the element codes and alarm flags
// from the settings state, the limits, addresses and connection items from their boxes.
AlarmScriptInputs alarmScriptInputsFrom(const SettingsState &state, const ScreenControls &controls);
MailScriptInputs mailScriptInputsFrom(const ScreenControls &controls);
