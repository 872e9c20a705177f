#include "model/script_inputs.h"

#include "model/screen_model.h"
#include "state/settings_state.h"

using namespace telvaro::state;
using namespace telvaro::files;

namespace telvaro::model {

AlarmScriptInputs alarmScriptInputsFrom(const SettingsState &state, const ScreenModel &screen)
{
    AlarmScriptInputs inputs;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        inputs.channelCode.at(row) = state.ChannelCode.at(row);
        inputs.alarmFlag.at(row) = state.ModelAlarmFlag.at(row);
        inputs.rowLabel.at(row) = state.ModelChLabel.at(row);
        inputs.lowerLimit.at(row) = screen.channelRow(row).Text1().text();
        inputs.upperLimit.at(row) = screen.channelRow(row).Text2().text();
    }
    return inputs;
}

MailScriptInputs mailScriptInputsFrom(const ScreenModel &screen)
{
    MailScriptInputs inputs;
    for (int k = 0; k < MailScriptInputs::kAddresses; ++k) {
        inputs.dataAddress.at(k) = screen.dataAddresses().Text5(k).text();
        inputs.alarmAddress.at(k) = screen.alarmAddresses().Text4(k).text();
    }
    for (int i = 0; i < MailScriptInputs::kConnectionItems; ++i)
        inputs.connection.at(i) = screen.connection().Text3(i).text();
    inputs.authCaption = screen.authType().AuthLabel().caption();
    return inputs;
}

} // namespace telvaro::model
