#include "model/show_mail_addresses.h"

#include "model/screen_model.h"
#include "state/settings_state.h"

using namespace telvaro::base;
using namespace telvaro::state;

namespace telvaro::model {

namespace {

MailAddressFields &pageOf(ScreenModel &screen, ItemField field)
{
    if (field == ItemField::AlarmAddressBox)
        return screen.alarmAddresses();
    return screen.dataAddresses();
}

} // namespace

void ShowMailAddresses(const SettingsState &state, ScreenModel &screen)
{
    for (int row = 0; row < LoggerItems::kRowCount; ++row) {
        const LoggerItems::Row &item = LoggerItems::kRows[std::size_t(row)];
        if (item.block != ItemBlock::Mail)
            continue;
        MailAddressFields &page = pageOf(screen, item.field);
        for (int k = 0; k < item.count; ++k) {
            const QString &answer = state.EepMail.at(LoggerItems::firstPosition(row) + k);
            TextField &field = page.fields().at(std::size_t(k));
            field.unlock();
            field.setText(answer.contains(u'@') ? answer : QString());
        }
    }
}

} // namespace telvaro::model
