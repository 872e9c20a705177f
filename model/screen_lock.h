#pragma once

namespace telvaro::state {
struct SettingsState;
} // namespace telvaro::state

namespace telvaro::model {

class ScreenModel;

// What the read and write buttons do before their exchange starts: the command buttons, the tab
// control and the settings menu are disabled, so nothing starts a second exchange or changes
// the port while one runs; the exchange gives them back when it ends.
void disableCommands(ScreenModel &screen);

// Greys and disables the mail address fields, the connection fields and the authentication
// selector while an exchange runs. Texts stay as they are; the channel rows are left alone.
void LockScreen(ScreenModel &screen);

// Gives the command buttons, the tab control and the settings menu back, and enables and
// whitens the mail and connection fields. The APN field and the authentication selector
// follow only when the last read found them in use (ApnAuthEnabled).
void UnlockScreen(const state::SettingsState &state, ScreenModel &screen);

} // namespace telvaro::model
