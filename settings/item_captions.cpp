#include "settings/item_captions.h"

#include "files/alarm_scripts.h"
#include "files/mail_scripts.h"
#include "state/settings_state.h"

#include <QCoreApplication>

using namespace telvaro::state;
using namespace telvaro::files;

namespace telvaro::settings {

std::array<QString, SettingsItems::kCount> itemCaptions(const SettingsState &state)
{
    std::array<QString, SettingsItems::kCount> captions;
    captions.at(SettingsItems::kModel) = QCoreApplication::translate("SettingsFile", "model code");
    captions.at(SettingsItems::kChannels) = QCoreApplication::translate("SettingsFile", "answer to \"EERC9\"");

    // The script builders name the field of every line they write.
    AlarmScriptInputs alarm;
    for (int row = 0; row < AlarmScriptInputs::kRows; ++row) {
        alarm.alarmFlag.at(row) = state.ModelAlarmFlag.at(row);
        alarm.rowLabel.at(row) = state.ModelChLabel.at(row);
    }
    const MailScriptInputs mail;
    for (const ScriptLine &line : armScriptLines(alarm) + mailScriptLines(mail) + connectionScriptLines(mail))
        captions.at(*SettingsItems::indexOfScriptKey(line.key)) = line.caption;
    return captions;
}

} // namespace telvaro::settings
