#include "widgets/screen_lock.h"

#include "state/settings_state.h"
#include "widgets/field_paint.h"
#include "widgets/screen_controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int kApnField = 10;

} // namespace

void LockScreen(const ScreenControls &controls)
{
    for (QLineEdit *field : controls.Text4)
        lockField(field);
    for (QLineEdit *field : controls.Text5)
        lockField(field);
    for (QLineEdit *field : controls.Text3)
        lockField(field);
    lockField(controls.setObserbox);
}

void UnlockScreen(const SettingsState &state, const ScreenControls &controls)
{
    for (QPushButton *button : controls.Command1)
        button->setEnabled(true);
    controls.SSTab2->setEnabled(true);
    controls.mnu_Set->setEnabled(true);

    for (QLineEdit *field : controls.Text4)
        unlockField(field);
    for (QLineEdit *field : controls.Text5)
        unlockField(field);
    for (int k = 0; k < kApnField; ++k)
        unlockField(controls.Text3.at(k));

    if (state.ApnAuthEnabled == kTrue) {
        unlockField(controls.Text3.at(kApnField));
        unlockField(controls.setObserbox);
    }
}
