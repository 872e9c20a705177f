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

class ScreenOrigins;

// What the screen holds for each item a write sends, as it stands: the fields' text before the
// write narrows it, each row's element code, the authentication code.
settings::DeviceSettings screenItems(const state::SettingsState &state, const model::ScreenModel &screen);

// The settings the screen stands for: the device image with each item the screen shows as it
// shows it, but for the items the logger lacks, which keep the image's answer ("???"), and
// with what the logger says of itself (model, channels). Saved to a settings file and opened
// again, they show the same screen.
settings::DeviceSettings settingsOnScreen(const state::SettingsState &state, const model::ScreenModel &screen);

// What a save keeps: the settings on the screen once a read has shown a logger; before any read,
// only the items that opened files gave or the operator typed, and the model a file brought.
settings::DeviceSettings settingsToSave(const state::SettingsState &state, const model::ScreenModel &screen,
                                        const ScreenOrigins &origins);

// Every item the file gives whose value differs from the screen's, in file order, the left side
// being the screen's. An item the file does not give is no difference.
QList<settings::ItemDifference> differencesFromScreen(const settings::DeviceSettings &file, const state::SettingsState &state,
                                            const model::ScreenModel &screen);

} // namespace telvaro::screen_files
