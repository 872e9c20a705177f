#pragma once

#include "settings/device_settings.h"
#include "settings/settings_compare.h"

#include <QList>

class ScreenModel;
struct SettingsState;

// The settings the screen stands for: the answers a read would receive right after the screen
// was written to the logger it shows (answersAfterWrite), with what that logger says of itself
// (model, channels). Saved to a settings file and opened again, they show the same screen.
DeviceSettings settingsOnScreen(const SettingsState &state, const ScreenModel &screen);

// Every item the file gives whose value differs from the screen's, in file order, the left side
// being the screen's. An item the file does not give is no difference.
QList<ItemDifference> differencesFromScreen(const DeviceSettings &file, const SettingsState &state,
                                            const ScreenModel &screen);
