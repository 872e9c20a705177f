#include "screen_files/settings_on_screen.h"

#include "model/script_inputs.h"
#include "settings/settings_image.h"

using namespace telvaro::state;
using namespace telvaro::model;
using namespace telvaro::settings;

namespace telvaro::screen_files {

DeviceSettings settingsOnScreen(const SettingsState &state, const ScreenModel &screen)
{
    return answersAfterWrite(state, alarmScriptInputsFrom(state, screen), mailScriptInputsFrom(screen));
}

QList<ItemDifference> differencesFromScreen(const DeviceSettings &file, const SettingsState &state,
                                            const ScreenModel &screen)
{
    const DeviceSettings shown = settingsOnScreen(state, screen);
    DeviceSettings shownOfFileItems;
    for (int item = 0; item < SettingsItems::kCount; ++item) {
        if (file.contains(item) && shown.contains(item))
            shownOfFileItems.set(item, *shown.value(item));
    }
    return differingItems(shownOfFileItems, file, state);
}

} // namespace telvaro::screen_files
