#include "model/show_mail_addresses.h"

#include "model/screen_model.h"
#include "state/settings_state.h"

void ShowMailAddresses(const SettingsState &state, ScreenModel &screen)
{
    constexpr int kRows = MailAddressFields::kAddresses;
    for (int i = 0; i < 2 * kRows; ++i) {
        const QString &answer = state.EepMail.at(i + 1);
        TextField &field = i < kRows ? screen.alarmAddresses().Text4(i) : screen.dataAddresses().Text5(i - kRows);
        field.unlock();
        field.setText(answer.contains(u'@') ? answer : QString());
    }
}
