#pragma once

#include "settings/settings_items.h"

#include <QString>

#include <array>

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::settings {

// The caption of the screen field each item comes from, as the pre-flight check names it
// ("要素名 3", "警報下限値 CH3", "LoginID"...), for the model whose row labels and alarm flags the
// state holds: a channel row goes by its ChNo caption, and the k-th row that takes limits shows
// ALARM2k and ALARM2k+1. An ALARM item that no row of the model sends has no caption; model and
// channels have a translated one of their own.
std::array<QString, SettingsItems::kCount> itemCaptions(const state::SettingsState &state);

} // namespace telvaro::settings
