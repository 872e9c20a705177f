#include "model/screen_lock.h"

#include "model/screen_model.h"
#include "state/settings_state.h"

using namespace telvaro::state;

namespace telvaro::model {

namespace {

void setCommandsEnabled(CommandControls &commands, bool enabled)
{
    for (int i = 0; i < CommandControls::kCommands; ++i)
        commands.Command1(i).setEnabled(enabled);
    commands.SSTab2().setEnabled(enabled);
    commands.mnu_Set().setEnabled(enabled);
}

} // namespace

void disableCommands(ScreenModel &screen)
{
    setCommandsEnabled(screen.commands(), false);
}

void LockScreen(ScreenModel &screen)
{
    for (TextField &field : screen.alarmAddresses().fields())
        field.lock();
    for (TextField &field : screen.dataAddresses().fields())
        field.lock();
    for (TextField &field : screen.connection().fields())
        field.lock();
    screen.authType().setObserbox().lock();
}

void UnlockScreen(const SettingsState &state, ScreenModel &screen)
{
    setCommandsEnabled(screen.commands(), true);

    for (TextField &field : screen.alarmAddresses().fields())
        field.unlock();
    for (TextField &field : screen.dataAddresses().fields())
        field.unlock();
    for (int k = 0; k < ConnectionFields::kFields; ++k) {
        if (k != ConnectionFields::kApnField)
            screen.connection().Text3(k).unlock();
    }

    if (state.ApnAuthEnabled == kTrue) {
        screen.connection().Text3(ConnectionFields::kApnField).unlock();
        screen.authType().setObserbox().unlock();
    }
}

} // namespace telvaro::model
