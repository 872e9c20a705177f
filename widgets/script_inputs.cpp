#include "widgets/script_inputs.h"

#include "state/settings_state.h"
#include "widgets/screen_controls.h"

#include <QLabel>
#include <QLineEdit>

AlarmScriptInputs alarmScriptInputsFrom(const SettingsState &state, const ScreenControls &controls)
{
    AlarmScriptInputs inputs;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        inputs.channelCode.at(row) = state.ChannelCode.at(row);
        inputs.alarmFlag.at(row) = state.ModelAlarmFlag.at(row);
        inputs.lowerLimit.at(row) = controls.Text1.at(row)->text();
        inputs.upperLimit.at(row) = controls.Text2.at(row)->text();
    }
    return inputs;
}

MailScriptInputs mailScriptInputsFrom(const ScreenControls &controls)
{
    MailScriptInputs inputs;
    for (int k = 0; k < MailScriptInputs::kAddresses; ++k) {
        inputs.dataAddress.at(k) = controls.Text5.at(k)->text();
        inputs.alarmAddress.at(k) = controls.Text4.at(k)->text();
    }
    for (int i = 0; i < MailScriptInputs::kConnectionItems; ++i)
        inputs.connection.at(i) = controls.Text3.at(i)->text();
    inputs.authCaption = controls.AuthLabel->text();
    return inputs;
}
