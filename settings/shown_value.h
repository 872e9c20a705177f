#pragma once

#include <QString>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::settings {

// An item's value as the operator is shown it. An element code (mode0..mode15) comes with the
// name its row's element list shows for it, "温度 (001)", since the screen shows the name and
// never the code; a code the row does not offer, or any code while no model is known, shows
// alone. Every other value shows as it stands. Settings and script files keep the bare code.
QString shownValue(int item, const QString &value, const state::SettingsState &state);

} // namespace telvaro::settings
