#include "widgets/show_mail_addresses.h"

#include "state/settings_state.h"
#include "widgets/field_paint.h"
#include "widgets/screen_controls.h"

#include <QLineEdit>

void ShowMailAddresses(const SettingsState &state, const ScreenControls &controls)
{
    constexpr int kRows = ScreenControls::kMailRows;
    for (int i = 0; i < 2 * kRows; ++i) {
        const QString &answer = state.EepMail.at(i + 1);
        QLineEdit *field = i < kRows ? controls.Text4.at(i) : controls.Text5.at(i - kRows);
        unlockField(field);
        field->setText(answer.contains(u'@') ? answer : QString());
    }
}
