#pragma once

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {

class ScreenModel;

// Shows the connection block of the device image on the connection page, fills the
// authentication selector, puts the logger's authentication code into AuthLabel and sets
// ApnAuthEnabled; a logger without APN item ("???") leaves the selector alone. Ends with
// ShowConnectionButtons.
void ShowConnection(state::SettingsState &state, ScreenModel &screen);

// The buttons, the tab control and the settings menu as a read leaves them: read, save and
// exit enabled, write disabled.
void ShowConnectionButtons(ScreenModel &screen);

} // namespace telvaro::model
