#include "widgets/auth_selector.h"

#include "state/settings_state.h"
#include "widgets/screen_controls.h"

#include <QComboBox>
#include <QLabel>

void onAuthTypePicked(const SettingsState &state, const ScreenControls &controls)
{
    const int position = controls.setObserbox->currentIndex();
    // The list holds exactly the four types; any other position is no pick from it, and an
    // index error here would escape the event loop.
    if (position < 0 || position > decltype(state.AuthCodes)::kLast)
        return;
    controls.AuthLabel->setText(QString::number(state.AuthCodes.at(position)));
}
