#pragma once

#include "settings/device_settings.h"
#include "settings/settings_compare.h"

#include <QList>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {
class ScreenModel;
} // namespace telvaro::model

namespace telvaro::screen_files {

// The settings the screen stands for: the answers a read would receive right after the screen
// was written to the logger it shows (answersAfterWrite), with what that logger says of itself
// (model, channels). Saved to a settings file and opened again, they show the same screen.
settings::DeviceSettings settingsOnScreen(const state::SettingsState &state, const model::ScreenModel &screen);

// Every item the file gives whose value differs from the screen's, in file order, the left side
// being the screen's. An item the file does not give is no difference.
QList<settings::ItemDifference> differencesFromScreen(const settings::DeviceSettings &file, const state::SettingsState &state,
                                            const model::ScreenModel &screen);

} // namespace telvaro::screen_files
