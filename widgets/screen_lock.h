#pragma once

struct ScreenControls;
struct SettingsState;

// Greys and disables the mail address fields, the connection fields and the authentication
// selector while an exchange runs. Texts stay as they are; the channel rows are left alone.
void LockScreen(const ScreenControls &controls);

// Gives the command buttons, the tab control and the settings menu back, and enables and
// whitens the mail and connection fields. The APN field and the authentication selector
// follow only when the last read found them in use (ApnAuthEnabled).
void UnlockScreen(const SettingsState &state, const ScreenControls &controls);
