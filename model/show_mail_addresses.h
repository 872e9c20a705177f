#pragma once

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {

class ScreenModel;

// Shows the mail block of the device image on the six alarm and six data address fields and
// unlocks them. An answer without "@" is no address and shows an empty field.
void ShowMailAddresses(const state::SettingsState &state, ScreenModel &screen);

} // namespace telvaro::model
